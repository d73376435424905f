// Resource ids of the window shown while a wait command waits.
#pragma once

#define IDD_RUN_WAIT 283

#define IDC_RUN_WAIT_TEXT 313
