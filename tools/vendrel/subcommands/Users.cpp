// The vault's users and groups, and what the users find in their inboxes.
#include <algorithm>
#include <ostream>

#include "platform/CaseFold.h"
#include "sim/Dates.h"
#include "tools/vendrel/Command.h"
#include "tools/vendrel/Host.h"
#include "tools/vendrel/Inbox.h"
#include "tools/vendrel/Json.h"

namespace vendrel::tools {
namespace {

std::wstring OnlyName(const Call& call) {
  if (call.Arguments().size() != 1) throw call.Misused();
  if (call.Arguments()[0].empty()) throw UsageError("give a name that is not empty");
  return Wide(call.Arguments()[0]);
}

// The vault's spelling of a user's name; throws for a user it lacks.
std::wstring KnownUser(const std::vector<std::wstring>& users, const std::string& given) {
  const auto user = std::find_if(users.begin(), users.end(), [&](const std::wstring& u) {
    return platform::SameIgnoringCase(u, Wide(given));
  });
  if (user == users.end()) throw UsageError("no user " + given + " (vendrel users lists them)");
  return *user;
}

// The group's members; throws for a group the vault lacks.
std::vector<std::wstring> KnownGroup(sim::SimVault& vault, const std::wstring& name) {
  for (auto& [group, members] : vault.Groups()) {
    if (platform::SameIgnoringCase(group, name)) return std::move(members);
  }
  throw UsageError("no group " + Utf8(name) + " (vendrel users lists them)");
}

std::string NamesText(const std::vector<std::wstring>& names) {
  std::string text;
  for (const std::wstring& name : names) text += (text.empty() ? "" : ", ") + Utf8(name);
  return text;
}

// One line, or {"KEY": NAME} with --json.
int Done(Call& call, const char* key, const std::wstring& name, const std::string& line) {
  if (call.Json()) {
    Json json;
    json[key] = name;
    call.Out() << WriteJson(json);
  } else {
    call.Out() << line << "\n";
  }
  return kExitOk;
}

}  // namespace

std::string MessageLine(const sim::InboxMessage& message) {
  std::string line = "from " + Utf8(message.sender);
  if (!message.group.empty()) line += " to " + Utf8(message.group);
  return line + ", \"" + Utf8(message.subject) + "\": " + Utf8(message.text);
}

int RunUserAdd(Call& call) {
  const std::wstring name = OnlyName(call);
  call.Host().Vault().AddUser(name);
  return Done(call, "added", name, "added user " + Utf8(name));
}

int RunUserRemove(Call& call) {
  const std::wstring name = OnlyName(call);
  sim::SimVault& vault = call.Host().Vault();
  const std::vector<std::wstring> users = vault.Users();
  // Without users nobody could open the vault again.
  if (users.size() == 1 && platform::SameIgnoringCase(users[0], name))
    throw UsageError(Utf8(name) + " is the vault's last user");
  vault.RemoveUser(name);
  return Done(call, "removed", name, "removed user " + Utf8(name) + " with their inbox");
}

// A new group, or more members for one the vault has.
int RunGroupAdd(Call& call) {
  const std::wstring name = OnlyName(call);
  sim::SimVault& vault = call.Host().Vault();
  const std::vector<std::wstring> users = vault.Users();
  std::vector<std::wstring> members;
  for (const std::string& given : call.Opt().members) members.push_back(KnownUser(users, given));
  const auto groups = vault.Groups();
  const bool exists = std::any_of(groups.begin(), groups.end(), [&](const auto& group) {
    return platform::SameIgnoringCase(group.first, name);
  });
  if (exists && members.empty()) throw UsageError("the group " + Utf8(name) + " exists already");
  if (!exists) vault.AddGroup(name);
  for (const std::wstring& member : members) vault.AddMember(name, member);
  if (call.Json()) {
    Json json;
    json["group"] = name;
    json["members"] = members;
    call.Out() << WriteJson(json);
  } else {
    call.Out() << (exists ? "group " : "added group ") << Utf8(name);
    if (!members.empty()) call.Out() << " with " << NamesText(members);
    call.Out() << "\n";
  }
  return kExitOk;
}

int RunGroupRemove(Call& call) {
  const std::wstring name = OnlyName(call);
  sim::SimVault& vault = call.Host().Vault();
  KnownGroup(vault, name);
  vault.RemoveGroup(name);
  return Done(call, "removed", name, "removed group " + Utf8(name));
}

// Every member named is checked before the first leaves.
int RunGroupRemoveMember(Call& call) {
  const std::wstring name = OnlyName(call);
  sim::SimVault& vault = call.Host().Vault();
  const std::vector<std::wstring> members = KnownGroup(vault, name);
  const std::vector<std::wstring> users = vault.Users();
  std::vector<std::wstring> leaving;
  for (const std::string& given : call.Opt().members) {
    const std::wstring user = KnownUser(users, given);
    if (std::find(members.begin(), members.end(), user) == members.end())
      throw UsageError(Utf8(user) + " is no member of " + Utf8(name) +
                       " (vendrel users lists them)");
    leaving.push_back(user);
  }
  for (const std::wstring& user : leaving) vault.RemoveMember(name, user);
  if (call.Json()) {
    Json json;
    json["group"] = name;
    json["removed"] = leaving;
    call.Out() << WriteJson(json);
  } else {
    call.Out() << "removed " << NamesText(leaving) << " from group " << Utf8(name) << "\n";
  }
  return kExitOk;
}

int RunUsers(Call& call) {
  if (!call.Arguments().empty()) throw call.Misused();
  sim::SimVault& vault = call.Host().Vault();
  const std::vector<std::wstring> users = vault.Users();
  const auto groups = vault.Groups();
  if (call.Json()) {
    Json groupsJson = Json::array();
    for (const auto& [group, members] : groups) {
      Json json;
      json["name"] = group;
      json["members"] = members;
      groupsJson.push_back(std::move(json));
    }
    Json json;
    json["users"] = users;
    json["groups"] = std::move(groupsJson);
    call.Out() << WriteJson(json);
    return kExitOk;
  }
  for (const std::wstring& user : users) call.Out() << Utf8(user) << "\n";
  for (const auto& [group, members] : groups)
    call.Out() << "group " << Utf8(group) << ": " << NamesText(members) << "\n";
  return kExitOk;
}

int RunInbox(Call& call) {
  const std::wstring user = OnlyName(call);
  const std::vector<sim::InboxMessage> messages = call.Host().Vault().Inbox(user);
  if (call.Json()) {
    Json array = Json::array();
    for (const sim::InboxMessage& message : messages) {
      Json json;
      json["sender"] = message.sender;
      json["group"] = message.group.empty() ? Json() : Json(message.group);
      json["subject"] = message.subject;
      json["text"] = message.text;
      json["sent"] = DateJson(message.sent);
      array.push_back(std::move(json));
    }
    call.Out() << WriteJson(array);
    return kExitOk;
  }
  if (messages.empty()) call.Out() << Utf8(user) << "'s inbox is empty\n";
  for (const sim::InboxMessage& message : messages) call.Out() << MessageLine(message) << "\n";
  return kExitOk;
}

}  // namespace vendrel::tools
