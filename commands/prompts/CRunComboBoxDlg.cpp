// The run-time combo box: the list sorts the choices and the first in that order is chosen.
#include "commands/prompts/CRunComboBoxDlg.h"

#include "commands/prompts/CRunComboBoxDlgRes.h"

namespace vendrel::commands {

std::int32_t CRunComboBoxDlg::TemplateId() const {
  return IDD_RUN_COMBO_BOX;
}

std::vector<std::int32_t> CRunComboBoxDlg::SortedLists() const {
  return {IDC_RUN_COMBO_BOX_CHOICES};
}

void CRunComboBoxDlg::OnInit() {
  mbInitStrWnd(&Ui(), L"CRunComboBoxDlg", false, L"", L"", L"");
  Ui().SetText(IDC_RUN_COMBO_BOX_PROMPT, prompt_);
  for (const std::wstring& choice : choices_) Ui().AddItem(IDC_RUN_COMBO_BOX_CHOICES, choice, 0);
  if (Ui().ItemCount(IDC_RUN_COMBO_BOX_CHOICES) > 0) Ui().SelectItem(IDC_RUN_COMBO_BOX_CHOICES, 0);
}

bool CRunComboBoxDlg::OnOk() {
  const std::int32_t chosen = Ui().SelectedItem(IDC_RUN_COMBO_BOX_CHOICES);
  answer_ = chosen < 0 ? std::wstring() : Ui().ItemText(IDC_RUN_COMBO_BOX_CHOICES, chosen);
  return true;
}

}  // namespace vendrel::commands
