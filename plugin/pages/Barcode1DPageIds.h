// Control ids of the "1D Code" page (template IDD_BARCODE_1D_PAGE).
#pragma once

#define IDC_1D_FONT_NAME 1201     // "1D Code1" .. "1D Code8"
#define IDC_1D_TYPE 1202          // the symbology list
#define IDC_1D_WIDTH 1203         // module width edit
#define IDC_1D_WIDTH_SPIN 1204    // its up-down control
#define IDC_1D_WIDTH_RANGE 1205   // "[ 2. . 6 ]"
#define IDC_1D_HEIGHT 1206        // bar height edit
#define IDC_1D_HEIGHT_SPIN 1207
#define IDC_1D_HEIGHT_RANGE 1208  // "[ 1 . . 255 ]"
#define IDC_1D_HRI_POSITION 1209
#define IDC_1D_FONT_A 1210
#define IDC_1D_FONT_B 1211
#define IDC_1D_MM 1212            // total height in millimetres, read-only
#define IDC_1D_POINT 1213         // font size in points, read-only
#define IDC_1D_DATA 1214          // test print data
#define IDC_1D_PRINT 1215
