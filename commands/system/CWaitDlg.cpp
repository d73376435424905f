// The wait editor: a new command takes the first entry of the sorted list at once.
#include "commands/system/CWaitDlg.h"

#include "commands/system/CWaitDlgRes.h"
#include "host/Strings.h"

namespace vendrel::commands {

CWaitDlg::CWaitDlg(const CmdWait& command)
    : FieldsDlg(IDD_WAIT, L"CWaitDlg", command, {{IDC_WAIT_PATH, IDC_WAIT_PATH_MENU}}),
      conditions_(command.Conditions()),
      condition_(command.Values().condition) {}

std::vector<std::int32_t> CWaitDlg::SortedLists() const {
  return {IDC_WAIT_CONDITION};
}

void CWaitDlg::OnInit() {
  TextFieldsDlg::OnInit();
  for (const auto& [condition, text] : conditions_)
    Ui().AddItem(IDC_WAIT_CONDITION, text, condition);
  const auto chosen = conditions_.find(condition_);
  if (chosen != conditions_.end()) {
    Ui().SelectItem(IDC_WAIT_CONDITION, Ui().FindItem(IDC_WAIT_CONDITION, chosen->second));
  } else if (condition_ == kNoCondition && Ui().ItemCount(IDC_WAIT_CONDITION) > 0) {
    Ui().SelectItem(IDC_WAIT_CONDITION, 0);
    condition_ = static_cast<std::int32_t>(Ui().ItemData(IDC_WAIT_CONDITION, 0));
  }
  ShowPathLabel();
}

void CWaitDlg::OnControl(std::int32_t control, platform::ControlEvent event) {
  if (control == IDC_WAIT_CONDITION && event == platform::ControlEvent::kSelectionChanged) {
    const std::int32_t chosen = Ui().SelectedItem(IDC_WAIT_CONDITION);
    if (chosen >= 0)
      condition_ = static_cast<std::int32_t>(Ui().ItemData(IDC_WAIT_CONDITION, chosen));
    ShowPathLabel();
    return;
  }
  TextFieldsDlg::OnControl(control, event);
}

void CWaitDlg::ShowPathLabel() {
  Ui().SetText(IDC_WAIT_PATH_LABEL, condition_ == kRegistryValueSet
                                        ? strings::Load(91, L"Registry value:")
                                        : strings::Load(90, L"Filename:"));
}

}  // namespace vendrel::commands
