// Resource ids of the move-folder editor.
#pragma once

#define IDD_MOVE_FOLDER 234

#define IDC_MOVE_FOLDER_OLD 338
#define IDC_MOVE_FOLDER_OLD_MENU 304
#define IDC_MOVE_FOLDER_NEW 341
#define IDC_MOVE_FOLDER_NEW_MENU 306
