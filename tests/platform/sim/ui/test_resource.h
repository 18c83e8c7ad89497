// Resource ids of the dialog layer's test templates.
#pragma once

#define IDR_MAINFRAME 128
#define IDD_TEST_FRAME 500
#define IDD_TEST_PAGE 501
#define IDD_TEST_CHILD 502
#define IDD_TEST_EMPTY 503
#define IDD_TEST_TIMED 504
#define IDM_TEST_ABOUT 16

#define IDC_PLACEHOLDER 2001
#define IDC_BACK 2002
#define IDC_HINT 2003
#define IDC_RADIO_A 2010
#define IDC_RADIO_B 2011
#define IDC_RADIO_C 2012
#define IDC_RADIO_D 2013
#define IDC_CHECK 2020
#define IDC_PLAIN_CHECK 2021
#define IDC_NAME 2030
#define IDC_NOTES 2031
#define IDC_LIST 2040
#define IDC_SORTED 2041
#define IDC_LISTBOX 2042
#define IDC_EDIT_COMBO 2043
#define IDC_PROGRESS 2050
#define IDC_DISABLED 2060
#define IDC_HIDDEN 2061
#define IDC_PAGE_RADIO 2070
#define IDC_PAGE_EDIT 2071
