// The probe add-in: the C++ add-in that the test server wraps. It records what reaches it and
// answers from what it is given, so every value seen by a test has crossed COM twice.
#include <memory>

#include "host/Strings.h"
#include "module/AddInFactory.h"
#include "tests/com/Probe.h"

namespace vendrel {

namespace {

probe::State state;

class ProbeAddIn final : public host::AddIn {
 public:
  host::HResult GetAddInInfo(host::AddInInfo* info, host::VaultSession* vault,
                             host::HostRegistrar* registrar) override {
    if (!info) return host::kPointer;
    info->name = L"Probe";
    if (vault) vault->Name(info->company);
    info->description = strings::Load(8, L"Administrate Actions...");
    info->version = 2016000826;
    info->field5 = 16;
    if (!registrar) return host::kPointer;
    std::int32_t major = 0, minor = 0;
    if (vault) vault->HostVersion(major, minor);
    VENDREL_RETURN_IF_FAILED(
        registrar->AddMenuCommand(100 + major, info->company, 0x4000, L"second", L"", -1, minor));
    return registrar->AddHook(10, 0);
  }

  host::HResult OnCommand(host::HostNotification& notification) override {
    ++state.notifications;
    state.last = notification;
    state.lastVaultName.clear();
    if (notification.vault) notification.vault->Name(state.lastVaultName);
    state.last.vault = nullptr;
    notification.refreshFlags = state.refreshFlags;
    notification.veto = state.veto;
    return state.status;
  }
};

}  // namespace

std::unique_ptr<host::AddIn> module::CreateAddIn() {
  return std::make_unique<ProbeAddIn>();
}

}  // namespace vendrel

extern "C" __declspec(dllexport) vendrel::probe::State* ProbeState() {
  return &vendrel::state;
}
