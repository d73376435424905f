// The host side of the COM boundary: C++ host objects exposed as COM objects, and an add-in
// object reached through IZemAddIn5 seen as a host::AddIn.
#pragma once

#include "host/AddIn.h"
#include "host/Vault.h"
#include "host/com/Com.h"

namespace vendrel::com {

// Null in, null out.
ComPtr<IZemVault> VaultToCom(host::Ref<host::VaultSession> vault);
ComPtr<IZemObject> ObjectToCom(host::Ref<host::VaultObject> object);

// The registrar must outlive the COM object (it lives for one get add-in info call).
ComPtr<IZemRegistrar> RegistrarToCom(host::HostRegistrar& registrar);

// What a host calls: each operation becomes a call of the add-in's IZemAddIn5.
class AddInClient : public host::AddIn {
 public:
  explicit AddInClient(ComPtr<IZemAddIn5> addIn) : addIn_(std::move(addIn)) {}
  host::HResult GetAddInInfo(host::AddInInfo* info, host::VaultSession* vault,
                             host::HostRegistrar* registrar) override;
  host::HResult OnCommand(host::HostNotification& notification) override;

 private:
  ComPtr<IZemAddIn5> addIn_;
};

}  // namespace vendrel::com
