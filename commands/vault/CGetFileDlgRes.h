// Resource ids of the get-file editor.
#pragma once

#define IDD_GET_FILE 242

#define IDC_GET_FILE_PATH 418
#define IDC_GET_FILE_PATH_MENU 302
#define IDC_GET_FILE_IF_MISSING 419
#define IDC_GET_FILE_IF_EARLIER 420
