// Resource ids of the check-out editor.
#pragma once

#define IDD_LOCK_FILE 237

#define IDC_LOCK_FILE_PATH 398
#define IDC_LOCK_FILE_PATH_MENU 302
