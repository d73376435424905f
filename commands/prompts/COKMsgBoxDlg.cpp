// The OK message box editor's controls: the multi-line text with its "->" button.
#include "commands/prompts/COKMsgBoxDlg.h"

#include "commands/prompts/COKMsgBoxDlgRes.h"

namespace vendrel::commands {

COKMsgBoxDlg::COKMsgBoxDlg(const CmdOkMsgBox& command)
    : FieldsDlg(IDD_OK_MSG_BOX, L"COKMsgBoxDlg", command,
                {{"message", IDC_OK_MSG_BOX_TEXT, IDC_OK_MSG_BOX_TEXT_MENU}}) {}

}  // namespace vendrel::commands
