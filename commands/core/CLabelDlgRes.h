// Resource ids of the label dialog.
#pragma once

#define IDD_LABEL 207

#define IDC_LABEL_EXPLANATION 1001
#define IDC_LABEL_NAME_LABEL 1002
#define IDC_LABEL_NAME 1003
