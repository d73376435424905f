// Resource ids of the move-file editor.
#pragma once

#define IDD_MOVE_FILE 235

#define IDC_MOVE_FILE_SOURCE 345
#define IDC_MOVE_FILE_SOURCE_MENU 304
#define IDC_MOVE_FILE_NEW_NAME 347
#define IDC_MOVE_FILE_NEW_NAME_MENU 306
