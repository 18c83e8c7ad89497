// Control ids of the "Font" page (the printer's fonts) and the icons of its tree.
#pragma once

#define IDC_FONT_LIST 1068  // in the template, hidden
#define IDC_FONT_TREE 1069

#define IDI_FONT_TREE_ROOT 125
#define IDI_FONT_TREE_FAMILY 126
#define IDI_FONT_TREE_FONT 127
