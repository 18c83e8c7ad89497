// Control ids of the "Control Font Character Translation Table" dialog.
#pragma once

#define IDD_CONTROL_TABLE_DIALOG 115

#define IDC_CONTROL_TABLE_EDIT 1016
#define IDC_CONTROL_TABLE_DELETE 1036
#define IDC_CONTROL_TABLE_DRIVER 1047
#define IDC_CONTROL_TABLE_LIST 1048
