// The edit box editor has no controls beyond the shared prompt and variable list.
#include "commands/prompts/CEditBoxDlg.h"

#include "commands/prompts/CEditBoxDlgRes.h"

namespace vendrel::commands {

CEditBoxDlg::CEditBoxDlg(const CmdEditBox& command)
    : PromptEditorDlg(
          {IDD_EDIT_BOX, IDC_EDIT_BOX_PROMPT, IDC_EDIT_BOX_VARIABLE, IDC_EDIT_BOX_EDIT_VARIABLES},
          L"CEditBoxDlg", command) {}

}  // namespace vendrel::commands
