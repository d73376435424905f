// Send message: subject and text go out as typed, to every group first, then to every user.
#include "commands/vault/CmdSendMsg.h"

#include "actions/ActionData.h"
#include "commands/vault/SendMsgDlg.h"

namespace vendrel::commands {
namespace {

// The names of every user and every group of the vault, in the directory's order.
void ReadDirectory(host::VaultSession* vault, std::vector<std::wstring>& users,
                   std::vector<std::wstring>& groups) {
  host::Ref<host::VaultUserDirectory> directory;
  if (!vault || host::Failed(vault->UserDirectory(directory)) || !directory) return;
  std::vector<host::Ref<host::VaultUser>> allUsers;
  if (host::Succeeded(directory->Users(allUsers))) {
    for (const auto& user : allUsers) {
      std::wstring name;
      if (user && host::Succeeded(user->Name(name))) users.push_back(std::move(name));
    }
  }
  std::vector<host::Ref<host::VaultGroup>> allGroups;
  if (host::Succeeded(directory->Groups(allGroups))) {
    for (const auto& group : allGroups) {
      std::wstring name;
      if (group && host::Succeeded(group->Name(name))) groups.push_back(std::move(name));
    }
  }
}

}  // namespace

std::wstring CmdSendMsg::Summarize(const Fields& fields) const {
  return fields.subject + fields.message;
}

bool CmdSendMsg::Edit(platform::Window parent) {
  std::vector<std::wstring> users;
  std::vector<std::wstring> groups;
  ReadDirectory(Vault().Get(), users, groups);
  // The dialog drops recipients who left the vault from the command, even on Cancel.
  SendMsgDlg dialog(fields_.users, fields_.groups, users, groups, fields_.subject, fields_.message);
  if (!ShowEditor(dialog, parent)) return false;
  Fields edited = fields_;
  edited.subject = dialog.Subject();
  edited.message = dialog.Message();
  Assign(std::move(edited));
  return true;
}

bool CmdSendMsg::Execute(actions::ActionData& run) {
  if (fields_.users.empty() && fields_.groups.empty()) return true;
  host::Ref<host::VaultUserDirectory> directory;
  if (!run.vault || host::Failed(run.vault->UserDirectory(directory)) || !directory) return false;
  // The first recipient the vault does not know ends the sending; those before it have it.
  for (const std::wstring& name : fields_.groups) {
    host::Ref<host::VaultGroup> group;
    if (host::Failed(directory->GroupByName(host::Value(name), group)) || !group) return false;
    if (host::Failed(group->SendMessage(fields_.subject, fields_.message, -1))) return false;
  }
  for (const std::wstring& name : fields_.users) {
    host::Ref<host::VaultUser> user;
    if (host::Failed(directory->UserByName(host::Value(name), user)) || !user) return false;
    if (host::Failed(user->SendMessage(fields_.subject, fields_.message))) return false;
  }
  return true;
}

}  // namespace vendrel::commands
