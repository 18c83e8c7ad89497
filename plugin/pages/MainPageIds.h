// Control ids of the "Main" page (paper size and text as graphics).
#pragma once

#define IDC_MAIN_PAPER_SIZE 1020
#define IDC_MAIN_TEXT_AS_GRAPHICS_YES 1061
#define IDC_MAIN_TEXT_AS_GRAPHICS_NO 1062
// Kept in the template but not shown: the rotation, zoom and scale of the device mode reach the
// user only through the Yes/No buttons they lock.
#define IDC_MAIN_ROTATE_NORMAL 1070
#define IDC_MAIN_ROTATE_180 1071
#define IDC_MAIN_ZOOM 1073
#define IDC_MAIN_SCALE 1047
#define IDC_MAIN_SCALE_UPDOWN 1076
