// The yes/no box editor's own controls: the two answers.
#include "commands/prompts/CYesNoBoxDlg.h"

#include "commands/prompts/CYesNoBoxDlgRes.h"

namespace vendrel::commands {

CYesNoBoxDlg::CYesNoBoxDlg(const CmdYesNoBox& command)
    : PromptEditorDlg({IDD_YES_NO_BOX, IDC_YES_NO_BOX_PROMPT, IDC_YES_NO_BOX_VARIABLE,
                       IDC_YES_NO_BOX_EDIT_VARIABLES},
                      L"CYesNoBoxDlg", command,
                      {{"yes", IDC_YES_NO_BOX_YES}, {"no", IDC_YES_NO_BOX_NO}}) {}

}  // namespace vendrel::commands
