// Resource ids of the delete-file editor.
#pragma once

#define IDD_DELETE_FILE 219

#define IDC_DELETE_FILE_PATH 233
#define IDC_DELETE_FILE_PATH_MENU 302
#define IDC_DELETE_FILE_FROM_VAULT 390
