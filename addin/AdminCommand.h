// Where the administration menu command goes: the administration layer plugs in here.
#pragma once

#include "actions/ActionStore.h"
#include "host/AddIn.h"
#include "host/Vault.h"

namespace vendrel::addin {

struct AdminRequest {
  host::HostNotification& notification;  // answers the refresh flags
  host::VaultSession& vault;
  actions::ActionStore& store;  // the add-in's own actions and ids
  // True when this notification's load step loaded the actions from the vault successfully.
  bool loadedThisCall = false;
};

class AdminCommand {
 public:
  virtual ~AdminCommand() = default;
  virtual void Administrate(const AdminRequest& request) = 0;
};

}  // namespace vendrel::addin
