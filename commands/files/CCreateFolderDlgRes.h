// Resource ids of the create-folder editor.
#pragma once

#define IDD_CREATE_FOLDER 233

#define IDC_CREATE_FOLDER_PATH 343
#define IDC_CREATE_FOLDER_PATH_MENU 302
