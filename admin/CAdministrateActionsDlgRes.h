// Resource ids of the Administrate-actions dialog.
#pragma once

#define IDD_ADMINISTRATE_ACTIONS 300

#define IDC_ADMIN_LIST 201
#define IDC_ADMIN_EDIT 202
#define IDC_ADMIN_LOAD 203
#define IDC_ADMIN_SAVE 204
#define IDC_ADMIN_COPY 205
#define IDC_ADMIN_PASTE 206
#define IDC_ADMIN_ADD 207
#define IDC_ADMIN_LIST_LABEL 208
#define IDC_ADMIN_REMOVE 220
