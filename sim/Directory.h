// Users and groups of the simulated vault, and the messages sent to them.
#pragma once

#include "host/Vault.h"
#include "sim/Client.h"

namespace vendrel::sim {

class SimUserDirectory : public host::CountedImpl<host::VaultUserDirectory> {
 public:
  explicit SimUserDirectory(ClientPtr client) : client_(std::move(client)) {}

  host::HResult LoggedInUser(host::Ref<host::VaultUser>& user) override;
  host::HResult Users(std::vector<host::Ref<host::VaultUser>>& users) override;
  host::HResult Groups(std::vector<host::Ref<host::VaultGroup>>& groups) override;
  host::HResult UserByName(const host::Value& name, host::Ref<host::VaultUser>& user) override;
  host::HResult GroupByName(const host::Value& name, host::Ref<host::VaultGroup>& group) override;

 private:
  // The users or groups an SQL query of ids and names gives, or the one named.
  template <class Entry, class Interface>
  host::HResult All(const char* sql, std::vector<host::Ref<Interface>>& entries);
  template <class Entry, class Interface>
  host::HResult ByName(const char* sql, const host::Value& name, host::HResult missing,
                       host::Ref<Interface>& entry);

  ClientPtr client_;
};

}  // namespace vendrel::sim
