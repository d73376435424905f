// Resource ids of the command selection.
#pragma once

#define IDD_SELECT_CMD 302

#define IDC_SELECT_CMD_KINDS 232
#define IDC_SELECT_CMD_PROMPT 376
