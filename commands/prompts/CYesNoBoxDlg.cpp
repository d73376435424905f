// The yes/no box editor's own controls: the two answers.
#include "commands/prompts/CYesNoBoxDlg.h"

#include "commands/prompts/CYesNoBoxDlgRes.h"

namespace vendrel::commands {

CYesNoBoxDlg::CYesNoBoxDlg(const CmdYesNoBox& command)
    : PromptEditorDlg({IDD_YES_NO_BOX, IDC_YES_NO_BOX_PROMPT, IDC_YES_NO_BOX_VARIABLE,
                       IDC_YES_NO_BOX_EDIT_VARIABLES},
                      L"CYesNoBoxDlg", command, command.Values().prompt, command.Values().variable),
      yesValue_(command.Values().yesValue),
      noValue_(command.Values().noValue) {}

void CYesNoBoxDlg::OnInit() {
  PromptEditorDlg::OnInit();
  Ui().SetText(IDC_YES_NO_BOX_YES, yesValue_);
  Ui().SetText(IDC_YES_NO_BOX_NO, noValue_);
}

bool CYesNoBoxDlg::OnOk() {
  yesValue_ = Ui().Text(IDC_YES_NO_BOX_YES);
  noValue_ = Ui().Text(IDC_YES_NO_BOX_NO);
  return PromptEditorDlg::OnOk();
}

}  // namespace vendrel::commands
