// Resource ids of the OK message box editor.
#pragma once

#define IDD_OK_MSG_BOX 260

#define IDC_OK_MSG_BOX_HINT 376
#define IDC_OK_MSG_BOX_LABEL 238
#define IDC_OK_MSG_BOX_TEXT 240
#define IDC_OK_MSG_BOX_TEXT_MENU 302
