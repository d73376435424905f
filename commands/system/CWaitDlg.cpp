// The wait editor: a new command takes the first entry of the sorted list at once.
#include "commands/system/CWaitDlg.h"

#include "commands/system/CWaitDlgRes.h"
#include "host/Strings.h"

namespace vendrel::commands {
namespace {

constexpr FieldControl kBound[] = {{"condition", IDC_WAIT_CONDITION, FieldControl::Kind::kList}};

}  // namespace

CWaitDlg::CWaitDlg(const CmdWait& command)
    : FieldsDlg(IDD_WAIT, L"CWaitDlg", command, {{"path", IDC_WAIT_PATH, IDC_WAIT_PATH_MENU}},
                kBound),
      conditions_(command.Conditions()) {}

std::vector<std::int32_t> CWaitDlg::SortedLists() const {
  return {IDC_WAIT_CONDITION};
}

void CWaitDlg::OnInit() {
  // Listed before the field chooses among them.
  for (const auto& [condition, text] : conditions_)
    Ui().AddItem(IDC_WAIT_CONDITION, text, condition);
  FieldsDlg::OnInit();
  if (Values().condition == kNoCondition && Ui().ItemCount(IDC_WAIT_CONDITION) > 0)
    Ui().SelectItem(IDC_WAIT_CONDITION, 0);
  ShowPathLabel();
}

void CWaitDlg::OnControl(std::int32_t control, platform::ControlEvent event) {
  if (control == IDC_WAIT_CONDITION && event == platform::ControlEvent::kSelectionChanged) {
    ShowPathLabel();
    return;
  }
  TextFieldsDlg::OnControl(control, event);
}

void CWaitDlg::ShowPathLabel() {
  const std::int32_t chosen = Ui().SelectedItem(IDC_WAIT_CONDITION);
  const bool registry =
      chosen >= 0 && Ui().ItemData(IDC_WAIT_CONDITION, chosen) == kRegistryValueSet;
  Ui().SetText(IDC_WAIT_PATH_LABEL,
               registry ? strings::Load(91, L"Registry value:") : strings::Load(90, L"Filename:"));
}

}  // namespace vendrel::commands
