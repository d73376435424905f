// Resource ids of the send-message editor.
#pragma once

#define IDD_SEND_MSG 245

#define IDC_SEND_MSG_HINT 480
#define IDC_SEND_MSG_TO_LABEL 481
#define IDC_SEND_MSG_TO 482
#define IDC_SEND_MSG_SUBJECT_LABEL 483
#define IDC_SEND_MSG_SUBJECT 484
#define IDC_SEND_MSG_MESSAGE_LABEL 485
#define IDC_SEND_MSG_MESSAGE 486
