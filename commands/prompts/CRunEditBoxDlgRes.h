// Resource ids of the run-time edit box.
#pragma once

#define IDD_RUN_EDIT_BOX 264

#define IDC_RUN_EDIT_BOX_PROMPT 238
#define IDC_RUN_EDIT_BOX_ANSWER 273
