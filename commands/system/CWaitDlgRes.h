// Resource ids of the wait editor.
#pragma once

#define IDD_WAIT 281

#define IDC_WAIT_HINT 376
#define IDC_WAIT_UNTIL_LABEL 321
#define IDC_WAIT_CONDITION 278
#define IDC_WAIT_PATH_LABEL 279
#define IDC_WAIT_PATH 277
#define IDC_WAIT_PATH_MENU 302
