// Resource ids of the edit box editor.
#pragma once

#define IDD_EDIT_BOX 262

#define IDC_EDIT_BOX_HINT 376
#define IDC_EDIT_BOX_PROMPT_LABEL 238
#define IDC_EDIT_BOX_PROMPT 240
#define IDC_EDIT_BOX_VARIABLE_LABEL 236
#define IDC_EDIT_BOX_VARIABLE 297
#define IDC_EDIT_BOX_EDIT_VARIABLES 295
