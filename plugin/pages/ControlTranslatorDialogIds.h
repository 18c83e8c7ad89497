// Control ids of the "Control Font Character Translator" dialog, which edits one character's
// command.
#pragma once

#define IDD_CONTROL_TRANSLATOR_DIALOG 116

#define IDC_TRANSLATOR_CHAR 1047
#define IDC_TRANSLATOR_HEX 1048
#define IDC_TRANSLATOR_COMMAND 1052
