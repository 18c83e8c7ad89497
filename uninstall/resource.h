// Resource ids of the uninstaller's dialogs, controls and icon, shared by uninstall.rc and the
// dialog classes.
#pragma once

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

// The program's main icon (the large and small window icon, the About box's picture).
#define IDR_MAINFRAME 128

// Dialog templates.
#define IDD_ABOUTBOX 100
#define IDD_UNINSTALL 102
#define IDD_RESTART 130

// The system-menu command of the About box (commands 16 to 31 all mean About).
#define IDM_ABOUTBOX 16

// Main window (102).
#define IDC_NOTE 1000
#define IDC_CANDIDATES 1001
#define IDC_USB_DRIVER 1002
#define IDC_LOG 1003
#define IDC_UNINSTALL 1004
#define IDC_SELECT 1005
#define IDC_EXIT 1006

// About box (100).
#define IDC_ABOUT_VERSION 1091
#define IDC_ABOUT_COPYRIGHT 1092

// Restart question (130). Yes is IDOK, No is IDCANCEL.
#define IDC_REBOOT_NOTE1 1101
#define IDC_REBOOT_NOTE2 1102
#define IDC_REBOOT_NOTE3 1103
