// Resource ids of the check-in editor.
#pragma once

#define IDD_UNLOCK_FILE 238

#define IDC_UNLOCK_FILE_PATH 404
#define IDC_UNLOCK_FILE_PATH_MENU 304
#define IDC_UNLOCK_FILE_COMMENT 405
#define IDC_UNLOCK_FILE_COMMENT_MENU 306
