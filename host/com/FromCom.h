// The add-in side of the COM boundary: the host's COM objects seen as C++ host objects, and the
// IZemAddIn5 operations carried out by a C++ host::AddIn.
#pragma once

#include "host/AddIn.h"
#include "host/Vault.h"
#include "host/com/Com.h"

namespace vendrel::com {

// Null when the reference is null or does not answer IZemVault.
host::Ref<host::VaultSession> VaultFromCom(IUnknown* vault);

class RegistrarClient : public host::HostRegistrar {
 public:
  explicit RegistrarClient(ComPtr<IZemRegistrar> registrar) : registrar_(std::move(registrar)) {}
  host::HResult AddMenuCommand(std::int32_t commandId, const std::wstring& menuText,
                               std::int32_t flags, const std::wstring& text2,
                               const std::wstring& text3, std::int32_t int1,
                               std::int32_t int2) override;
  host::HResult AddHook(std::int32_t kind, std::int32_t arg) override;

 private:
  ComPtr<IZemRegistrar> registrar_;
};

// IZemAddIn5::GetAddInInfo on a C++ add-in: the record's texts are allocated for the host.
HRESULT GetAddInInfoForCom(host::AddIn& addIn, ZemAddInInfo* info, IUnknown* vault,
                           IZemRegistrar* registrar);
// IZemAddIn5::OnCommand on a C++ add-in: refresh flags and veto are written back into the record.
HRESULT OnCommandForCom(host::AddIn& addIn, ZemNotification* notification, SAFEARRAY* items);

}  // namespace vendrel::com
