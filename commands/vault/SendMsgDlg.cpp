// The send-message editor: list entries read "Group:" or "User:" followed by the name.
#include "commands/vault/SendMsgDlg.h"

#include <algorithm>

#include "commands/core/FieldControls.h"
#include "commands/vault/SendMsgDlgRes.h"
#include "host/Strings.h"

namespace vendrel::commands {
namespace {

// The recipients are the list's selection, not a field's control of their own.
constexpr FieldControl kTexts[] = {{"subject", IDC_SEND_MSG_SUBJECT},
                                   {"message", IDC_SEND_MSG_MESSAGE}};

}  // namespace

SendMsgDlg::SendMsgDlg(SendMsgFields& stored, std::vector<std::wstring> vaultUsers,
                       std::vector<std::wstring> vaultGroups)
    : stored_(stored),
      fields_(stored),
      vaultUsers_(std::move(vaultUsers)),
      vaultGroups_(std::move(vaultGroups)),
      userPrefix_(strings::Load(423, L"User:")),
      groupPrefix_(strings::Load(424, L"Group:")) {}

std::int32_t SendMsgDlg::TemplateId() const {
  return IDD_SEND_MSG;
}

std::vector<std::int32_t> SendMsgDlg::SortedLists() const {
  return {IDC_SEND_MSG_TO};
}

bool SendMsgDlg::SelectStored(std::vector<std::wstring>& stored,
                              const std::vector<std::wstring>& known, const std::wstring& prefix) {
  bool selected = false;
  std::erase_if(stored, [&](const std::wstring& name) {
    if (std::find(known.begin(), known.end(), name) == known.end()) return true;
    const std::int32_t index = Ui().FindItem(IDC_SEND_MSG_TO, prefix + name);
    if (index >= 0) {
      Ui().SelectRow(IDC_SEND_MSG_TO, index, true);
      selected = true;
    }
    return false;
  });
  return selected;
}

void SendMsgDlg::OnInit() {
  mbInitStrWnd(&Ui(), L"SendMsgDlg", false, L"", L"", L"");
  for (const std::wstring& name : vaultGroups_)
    Ui().AddItem(IDC_SEND_MSG_TO, groupPrefix_ + name, 0);
  for (const std::wstring& name : vaultUsers_) Ui().AddItem(IDC_SEND_MSG_TO, userPrefix_ + name, 0);
  const bool groupSelected = SelectStored(stored_.groups, vaultGroups_, groupPrefix_);
  const bool userSelected = SelectStored(stored_.users, vaultUsers_, userPrefix_);
  ShowFields(Ui(), stored_, kTexts);
  Ui().Enable(platform::kIdOk, groupSelected || userSelected);
}

void SendMsgDlg::OnControl(std::int32_t control, platform::ControlEvent event) {
  if (control != IDC_SEND_MSG_TO || event != platform::ControlEvent::kSelectionChanged) return;
  Ui().Enable(platform::kIdOk, !Ui().SelectedRows(IDC_SEND_MSG_TO).empty());
}

bool SendMsgDlg::OnOk() {
  TakeFields(Ui(), fields_, kTexts);
  fields_.users.clear();
  fields_.groups.clear();
  for (std::int32_t row : Ui().SelectedRows(IDC_SEND_MSG_TO)) {
    const std::wstring entry = Ui().ItemText(IDC_SEND_MSG_TO, row);
    const std::size_t colon = entry.find(L':');
    const std::wstring name = colon == std::wstring::npos ? entry : entry.substr(colon + 1);
    if (entry.find(groupPrefix_) != std::wstring::npos) {
      fields_.groups.push_back(name);
    } else if (entry.find(userPrefix_) != std::wstring::npos) {
      fields_.users.push_back(name);
    }
  }
  return true;
}

}  // namespace vendrel::commands
