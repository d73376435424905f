// The command selection: one entry per kind, named as a sample command of the kind names itself.
#include "admin/CSelectCmdDlg.h"

#include "admin/CSelectCmdDlgRes.h"
#include "commands/core/CmdFactory.h"

namespace vendrel::admin {

std::int32_t CSelectCmdDlg::TemplateId() const {
  return IDD_SELECT_CMD;
}

std::vector<std::int32_t> CSelectCmdDlg::SortedLists() const {
  return {IDC_SELECT_CMD_KINDS};
}

void CSelectCmdDlg::OnInit() {
  mbInitStrWnd(&Ui(), L"CSelectCmdDlg", false, L"", L"", L"");
  for (std::int32_t type = commands::kFirstListType; type <= commands::kLastListType; ++type) {
    if (const auto sample = commands::CreateCmd(type, nullptr))
      Ui().AddItem(IDC_SELECT_CMD_KINDS, sample->GetName(), type);
  }
  Ui().SelectItem(IDC_SELECT_CMD_KINDS, 0);
}

bool CSelectCmdDlg::OnOk() {
  const std::int32_t chosen = Ui().SelectedItem(IDC_SELECT_CMD_KINDS);
  if (chosen < 0) return false;
  typeId_ = static_cast<std::int32_t>(Ui().ItemData(IDC_SELECT_CMD_KINDS, chosen));
  return true;
}

}  // namespace vendrel::admin
