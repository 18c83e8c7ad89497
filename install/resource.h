// Resource ids of the installer's window, About box, string and icon, shared by install.rc and
// the window's class.
#pragma once

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

// The program's main icon (window icons, the About box's picture).
#define IDR_MAINFRAME 128

// Dialog templates.
#define IDD_ABOUTBOX 100
#define IDD_INSTALLER 102

// The About item's text in the system menu.
#define IDS_ABOUTBOX 101

// The About box's system-menu command (the system keeps the low four bits: 16 to 31).
#define IDM_ABOUTBOX 16

// Installer window (102). The hidden Cancel button is IDCANCEL (2).
#define IDC_INSTALL 1002
#define IDC_LOG 1007
