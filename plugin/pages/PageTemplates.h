// Dialog template ids of the plug-in's property pages in the library's resource script.
#pragma once

#define IDD_MAIN_PAGE 128
#define IDD_WATERMARK_PAGE 131
#define IDD_OPERATION_PAGE 103
#define IDD_BARCODE_1D_PAGE 117
#define IDD_BARCODE_2D_PAGE 118
#define IDD_VERSION_PAGE 105  // on both sheets
#define IDD_UTILITY_PAGE 114
#define IDD_DOWNLOAD_PAGE 113
#define IDD_FONT_PAGE 119
