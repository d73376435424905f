// A client's session with the simulated vault: the host's entry object.
#pragma once

#include "host/Vault.h"
#include "sim/Client.h"

namespace vendrel::sim {

class SimSession : public host::CountedImpl<host::VaultSession> {
 public:
  explicit SimSession(ClientPtr client) : client_(std::move(client)) {}

  host::HResult HostVersion(std::int32_t& major, std::int32_t& minor) override;
  host::HResult GetObject(host::ObjectKind kind, std::int32_t id,
                          host::Ref<host::VaultObject>& object) override;
  host::HResult GetFileFromPath(const std::wstring& path, host::Ref<host::VaultFile>& file,
                                host::Ref<host::VaultFolder>& folder) override;
  host::HResult GetFolderFromPath(const std::wstring& path,
                                  host::Ref<host::VaultFolder>& folder) override;
  host::HResult RootFolderPath(std::wstring& path) override;
  host::HResult Name(std::wstring& name) override;
  host::HResult GetDictionary(const std::wstring& name, bool create,
                              host::Ref<host::AddInDictionary>& dictionary) override;
  host::HResult ErrorText(host::HResult code, std::wstring& name,
                          std::wstring& description) override;
  host::HResult UserDirectory(host::Ref<host::VaultUserDirectory>& directory) override;
  host::HResult Workflows(host::Ref<host::WorkflowManager>& manager) override;
  host::HResult Variables(host::Ref<host::VariableManager>& manager) override;
  host::HResult CreateBatchUpdate(host::Ref<host::BatchUpdate>& batch) override;
  host::HResult CreateStringService(host::Ref<host::StringService>& service) override;
  host::HResult SetWindows(host::HostWindow first, host::HostWindow second) override;

  // The windows the add-in last named as its own.
  std::pair<host::HostWindow, host::HostWindow> AddInWindows() const { return windows_; }

 private:
  Store& store() const { return *client_->store; }

  ClientPtr client_;
  std::pair<host::HostWindow, host::HostWindow> windows_{0, 0};
};

}  // namespace vendrel::sim
