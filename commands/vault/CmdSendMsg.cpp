// Send message: subject and text go out as typed, to every group first, then to every user.
#include "commands/vault/CmdSendMsg.h"

#include <optional>

#include "actions/ActionData.h"
#include "commands/vault/SendMsgDlg.h"

namespace vendrel::commands {
namespace {

// The names of every user (or group) of the vault in the directory's order; nothing when the
// directory cannot list them.
template <class Entry>
std::optional<std::vector<std::wstring>> Names(
    host::HResult (host::VaultUserDirectory::*list)(std::vector<host::Ref<Entry>>&),
    host::VaultUserDirectory* directory) {
  std::vector<host::Ref<Entry>> entries;
  if (!directory || host::Failed((directory->*list)(entries))) return std::nullopt;
  std::vector<std::wstring> names;
  for (const auto& entry : entries) {
    std::wstring name;
    if (!entry || host::Failed(entry->Name(name))) return std::nullopt;
    names.push_back(std::move(name));
  }
  return names;
}

}  // namespace

std::wstring CmdSendMsg::Summarize(const Fields& fields) const {
  return fields.subject + fields.message;
}

bool CmdSendMsg::Edit(platform::Window parent) {
  host::Ref<host::VaultUserDirectory> directory;
  if (Vault() && host::Failed(Vault()->UserDirectory(directory))) directory = nullptr;
  // The dialog drops recipients who left the vault from the command, even on Cancel; a list the
  // vault cannot give keeps the command's own names rather than dropping them all.
  const std::vector<std::wstring> users =
      Names(&host::VaultUserDirectory::Users, directory.Get()).value_or(fields_.users);
  const std::vector<std::wstring> groups =
      Names(&host::VaultUserDirectory::Groups, directory.Get()).value_or(fields_.groups);
  return EditWith(SendMsgDlg(fields_, users, groups), parent);
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
