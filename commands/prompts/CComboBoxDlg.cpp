// The combo box editor's own control: the choices as lines of a multi-line edit.
#include "commands/prompts/CComboBoxDlg.h"

#include "commands/prompts/CComboBoxDlgRes.h"

#include "commands/prompts/ChoiceLines.h"

namespace vendrel::commands {

CComboBoxDlg::CComboBoxDlg(const CmdComboBox& command)
    : PromptEditorDlg({IDD_COMBO_BOX, IDC_COMBO_BOX_PROMPT, IDC_COMBO_BOX_VARIABLE,
                       IDC_COMBO_BOX_EDIT_VARIABLES},
                      L"CComboBoxDlg", command, command.Values().prompt, command.Values().variable),
      choices_(command.Values().choices) {}

void CComboBoxDlg::OnInit() {
  PromptEditorDlg::OnInit();
  Ui().SetText(IDC_COMBO_BOX_CHOICES, JoinChoices(choices_));
}

bool CComboBoxDlg::OnOk() {
  choices_ = SplitChoices(Ui().Text(IDC_COMBO_BOX_CHOICES));
  return PromptEditorDlg::OnOk();
}

}  // namespace vendrel::commands
