// Resource ids of the run-time combo box.
#pragma once

#define IDD_RUN_COMBO_BOX 265

#define IDC_RUN_COMBO_BOX_PROMPT 238
#define IDC_RUN_COMBO_BOX_CHOICES 308
