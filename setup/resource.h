// Resource ids of setup's dialogs, controls and icon, shared by setup.rc and the dialog classes.
#pragma once

// Controls the program never addresses (labels without a language text, the frame's separator).
#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

// The program's main icon (the large and small window icon, the About box's picture).
#define IDR_MAINFRAME 128

// Dialog templates.
#define IDD_ABOUTBOX 100
#define IDD_WIZARD_FRAME 102
#define IDD_OS_PAGE 130
#define IDD_MODEL_PAGE 131
#define IDD_PORT_PAGE 132
#define IDD_LICENSE_PAGE 133
#define IDD_MODE_PAGE 137
#define IDD_PROGRESS 141

// The system-menu command of the About box (the system leaves its low four bits to itself, so
// commands 16 to 31 all mean About).
#define IDM_ABOUTBOX 16

// Wizard frame (102). Next/Install is IDOK (1) and Cancel IDCANCEL (2).
#define IDC_PAGE_PLACEHOLDER 1001
#define IDC_BACK 1002
#define IDC_SIDE_PICTURE 1087
#define IDC_HELP_HINT 1093

// About box (100).
#define IDC_ABOUT_VERSION 1091
#define IDC_ABOUT_COPYRIGHT 1092

// Agreement page (133).
#define IDC_ACCEPT 1057
#define IDC_REJECT 1058
#define IDC_LICENSE_TEXT 1081
#define IDC_AGREEMENT_GROUP 1090

// Model page (131).
#define IDC_SERIES_RECEIPT 1019
#define IDC_SERIES_TICKET 1020
#define IDC_SERIES_LABEL 1021
#define IDC_SERIES_EMBEDDED 1073
#define IDC_MODELS_RECEIPT 1030
#define IDC_MODELS_TICKET 1031
#define IDC_MODELS_LABEL 1032
#define IDC_MODELS_EMBEDDED 1074
#define IDC_DEFAULT_PRINTER 1046
#define IDC_SERIES_GROUP 1094

// Mode page (137).
#define IDC_TYPICAL 1066
#define IDC_ADVANCED 1067
// The note on the chosen mode (Mode/Note1, Mode/Note2 or Message/IDS_TYPICAL_NOTES).
#define IDC_MODE_NOTE 1068
// The second note of Advanced mode (Mode/Note3), shown only while Advanced is chosen.
#define IDC_ADVANCED_NOTE 1069
// A note line the template carries but the page never shows.
#define IDC_UNUSED_MODE_NOTE 1070
#define IDC_MODE_GROUP 1103
#define IDC_MODE_REMARKS 1104

// OS page (130); its group box shares 1094 with the model page's.
#define IDC_OS_98ME 1026
#define IDC_OS_NT 1027
#define IDC_OS_2000 1028
#define IDC_OS_XP 1029
#define IDC_OS_2003 1075
#define IDC_OS_VISTA 1076
#define IDC_OS_2008 1077
#define IDC_OS_WIN7 1078
#define IDC_OS_GROUP 1094
#define IDC_VIETNAMESE_FONTS 1107

// Port page (132).
#define IDC_PORTS 1040
#define IDC_BAUD_RATE 1041
#define IDC_PARITY 1042
#define IDC_BYTE_SIZE 1043
#define IDC_STOP_BITS 1044
#define IDC_PROTOCOL 1045
// The network printer's address.
#define IDC_IP_ADDRESS 1047
// The notice line: no serial ports, or the USB driver that the installation will bring.
#define IDC_PORT_NOTICE 1048
#define IDC_RASTER 1052
#define IDC_PORT_GROUP 1095
#define IDC_PORTS_LABEL 1096
#define IDC_SERIAL_GROUP 1097
#define IDC_BAUD_LABEL 1098
#define IDC_PARITY_LABEL 1099
#define IDC_BYTE_SIZE_LABEL 1100
#define IDC_STOP_BITS_LABEL 1101
#define IDC_PROTOCOL_LABEL 1102

// Progress dialog (141).
#define IDC_PROGRESS_BAR 1079
