// Control ids of the "Download" page (stored logos and file download).
#pragma once

// Logo group.
#define IDC_DOWNLOAD_LOGOS 1101            // the logo list (ID, Name, Path)
#define IDC_DOWNLOAD_ADD 1102
#define IDC_DOWNLOAD_DELETE 1103
#define IDC_DOWNLOAD_ALL 1104              // "Download all"
#define IDC_DOWNLOAD_CLEAR_LOGOS 1105
#define IDC_DOWNLOAD_PREVIEW 1106          // the preview area the page paints
#define IDC_DOWNLOAD_ORIGINAL 1107
#define IDC_DOWNLOAD_TRANSFORMATION 1108
#define IDC_DOWNLOAD_GRAY 1109
#define IDC_DOWNLOAD_NONE 1110
#define IDC_DOWNLOAD_DITHER_M3 1111
#define IDC_DOWNLOAD_DITHER_M4 1112
#define IDC_DOWNLOAD_ERROR_DIFFUSE 1113
#define IDC_DOWNLOAD_CONTRAST 1114
#define IDC_DOWNLOAD_CONTRAST_VALUE 1115
#define IDC_DOWNLOAD_BRIGHTNESS 1116
#define IDC_DOWNLOAD_BRIGHTNESS_VALUE 1117
#define IDC_DOWNLOAD_NOTICE 1118

// File group.
#define IDC_DOWNLOAD_FILE_PATH 1121
#define IDC_DOWNLOAD_BROWSE 1122
#define IDC_DOWNLOAD_FILE 1123             // "Download"
