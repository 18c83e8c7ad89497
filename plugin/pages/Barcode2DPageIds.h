// Control ids of the "2D Code" page (template IDD_BARCODE_2D_PAGE).
#pragma once

#define IDC_2D_FONT_NAME 1301            // "2D Code1", "2D Code2"
#define IDC_2D_TYPE 1302                 // "PDF417", "QR Code"
#define IDC_2D_POINT 1303                // "9.5", read-only
// The "PDF417" group.
#define IDC_2D_PDF_GROUP 1310
#define IDC_2D_PDF_COLUMNS_LABEL 1311
#define IDC_2D_PDF_COLUMNS 1312
#define IDC_2D_PDF_COLUMNS_SPIN 1313
#define IDC_2D_PDF_COLUMNS_RANGE 1314    // "[ 1. . 30 ]"
#define IDC_2D_PDF_WIDTH_LABEL 1315
#define IDC_2D_PDF_WIDTH 1316
#define IDC_2D_PDF_WIDTH_SPIN 1317
#define IDC_2D_PDF_WIDTH_RANGE 1318      // "[ 1. . 4 ]"
#define IDC_2D_PDF_ROWS_LABEL 1319
#define IDC_2D_PDF_ROWS 1320
#define IDC_2D_PDF_ROWS_SPIN 1321
#define IDC_2D_PDF_ROWS_RANGE 1322       // "[ 3 . . 90 ]"
#define IDC_2D_PDF_HEIGHT_LABEL 1323
#define IDC_2D_PDF_HEIGHT 1324
#define IDC_2D_PDF_HEIGHT_SPIN 1325
#define IDC_2D_PDF_HEIGHT_RANGE 1326     // "[ 2 . . 25 ]"
#define IDC_2D_PDF_ERROR_LABEL 1327
#define IDC_2D_PDF_ERROR 1328            // "Error Correction Level 0" .. "8"
// The "QR" group.
#define IDC_2D_QR_GROUP 1340
#define IDC_2D_QR_SIZE_LABEL 1341
#define IDC_2D_QR_SIZE 1342              // module size ("Element Width")
#define IDC_2D_QR_SIZE_SPIN 1343
#define IDC_2D_QR_LANGUAGE_LABEL 1344
#define IDC_2D_QR_LANGUAGE 1345          // "Chinese", "Japanese"
#define IDC_2D_QR_MODEL_LABEL 1346
#define IDC_2D_QR_MODEL 1347             // "1", "2"
#define IDC_2D_QR_ERROR_LABEL 1348
#define IDC_2D_QR_ERROR 1349             // "L", "M", "H", "Q"
// The "Print" group.
#define IDC_2D_DATA 1360
#define IDC_2D_PRINT 1361
