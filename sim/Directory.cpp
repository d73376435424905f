// User directory: users, groups and their message inboxes.
#include "sim/Directory.h"

namespace vendrel::sim {

using host::HResult;
using host::Ref;

namespace {

// A user or a group: its id and name as read, and the client that reads them.
template <class Interface>
class NamedEntry : public host::CountedImpl<Interface> {
 public:
  NamedEntry(ClientPtr client, std::int32_t id, std::wstring name)
      : client_(std::move(client)), id_(id), name_(std::move(name)) {}

  HResult Id(std::int32_t& id) override {
    VENDREL_RETURN_IF_FAILED(client_->store->Enter());
    id = id_;
    return host::kOk;
  }
  HResult Name(std::wstring& name) override {
    VENDREL_RETURN_IF_FAILED(client_->store->Enter());
    name = name_;
    return host::kOk;
  }

 protected:
  ClientPtr client_;
  std::int32_t id_;
  std::wstring name_;
};

class SimUser : public NamedEntry<host::VaultUser> {
 public:
  using NamedEntry::NamedEntry;

  HResult SendMessage(const std::wstring& subject, const std::wstring& text) override {
    VENDREL_RETURN_IF_FAILED(client_->store->Enter());
    return client_->store->Write([&] {
      client_->store->Db().Run(
          "INSERT INTO messages(recipient_id, sender_id, subject, body, sent) "
          "SELECT id, ?, ?, ?, ? FROM users WHERE id = ?",
          client_->userId, subject, text, client_->store->Now().serial, id_);
      return host::kOk;
    });
  }
};

class SimGroup : public NamedEntry<host::VaultGroup> {
 public:
  using NamedEntry::NamedEntry;

  // Every member gets the message in their own inbox.
  HResult SendMessage(const std::wstring& subject, const std::wstring& text,
                      std::int32_t) override {
    VENDREL_RETURN_IF_FAILED(client_->store->Enter());
    return client_->store->Write([&] {
      if (!client_->store->Db().Query("SELECT 1 FROM groups WHERE id = ?", id_).Step())
        return host::kInvalidGroupName;
      client_->store->Db().Run(
          "INSERT INTO messages(recipient_id, sender_id, group_id, subject, body, sent) "
          "SELECT user_id, ?1, ?2, ?3, ?4, ?5 FROM group_members WHERE group_id = ?2",
          client_->userId, id_, subject, text, client_->store->Now().serial);
      return host::kOk;
    });
  }
};

}  // namespace

HResult SimUserDirectory::LoggedInUser(Ref<host::VaultUser>& user) {
  VENDREL_RETURN_IF_FAILED(client_->store->Enter());
  user = host::MakeRef<SimUser>(client_, client_->userId, client_->userName);
  return host::kOk;
}

template <class Entry, class Interface>
HResult SimUserDirectory::All(const char* sql, std::vector<Ref<Interface>>& entries) {
  VENDREL_RETURN_IF_FAILED(client_->store->Enter());
  return client_->store->Read([&] {
    platform::Statement rows = client_->store->Db().Prepare(sql);
    std::vector<Ref<Interface>> found;
    while (rows.Step()) found.push_back(host::MakeRef<Entry>(client_, rows.Int(0), rows.Text(1)));
    entries = std::move(found);
    return host::kOk;
  });
}

template <class Entry, class Interface>
HResult SimUserDirectory::ByName(const char* sql, const host::Value& name, HResult missing,
                                 Ref<Interface>& entry) {
  VENDREL_RETURN_IF_FAILED(client_->store->Enter());
  const auto* text = std::get_if<std::wstring>(&name);
  if (!text) return host::kTypeMismatch;
  return client_->store->Read([&] {
    platform::Statement row = client_->store->Db().Query(sql, *text);
    if (!row.Step()) return missing;
    entry = host::MakeRef<Entry>(client_, row.Int(0), row.Text(1));
    return host::kOk;
  });
}

HResult SimUserDirectory::Users(std::vector<Ref<host::VaultUser>>& users) {
  return All<SimUser>("SELECT id, name FROM users ORDER BY id", users);
}

HResult SimUserDirectory::Groups(std::vector<Ref<host::VaultGroup>>& groups) {
  return All<SimGroup>("SELECT id, name FROM groups ORDER BY id", groups);
}

HResult SimUserDirectory::UserByName(const host::Value& name, Ref<host::VaultUser>& user) {
  return ByName<SimUser>("SELECT id, name FROM users WHERE name = ?", name, host::kInvalidName,
                         user);
}

HResult SimUserDirectory::GroupByName(const host::Value& name, Ref<host::VaultGroup>& group) {
  return ByName<SimGroup>("SELECT id, name FROM groups WHERE name = ?", name,
                          host::kInvalidGroupName, group);
}

}  // namespace vendrel::sim
