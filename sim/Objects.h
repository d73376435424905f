// Folders and files of the simulated vault. Objects hold ids only and read the database on
// every call, so they see what other processes changed.
#pragma once

#include "host/Vault.h"
#include "sim/Client.h"

namespace vendrel::sim {

class SimFolder : public host::CountedImpl<host::VaultFolder> {
 public:
  SimFolder(ClientPtr client, std::int32_t id) : client_(std::move(client)), id_(id) {}

  host::HResult Id(std::int32_t& id) override;
  host::HResult Name(std::wstring& name) override;
  host::HResult LocalPath(std::wstring& path) override;
  host::HResult Files(std::vector<host::Ref<host::VaultFile>>& files) override;
  host::HResult SubFolders(std::vector<host::Ref<host::VaultFolder>>& folders) override;
  host::HResult SubFolder(const std::wstring& name, host::Ref<host::VaultFolder>& folder) override;
  host::HResult AddFolder(host::HostWindow window, const std::wstring& name, std::int32_t flags,
                          host::Ref<host::VaultFolder>& folder) override;
  host::HResult AddFile(host::HostWindow window, const std::wstring& localPath,
                        const std::wstring& newName, std::int32_t flags,
                        host::Ref<host::VaultFile>& file) override;
  host::HResult DeleteFile(host::HostWindow window, std::int32_t fileId,
                           std::int32_t flags) override;

 private:
  Store& store() const { return *client_->store; }

  ClientPtr client_;
  std::int32_t id_;
};

// A file as seen from one of its folders (its home folder or a folder it is shared into).
class SimFile : public host::CountedImpl<host::VaultFile> {
 public:
  SimFile(ClientPtr client, std::int32_t id, std::int32_t folderId)
      : client_(std::move(client)), id_(id), folderId_(folderId) {}
  // A file of a folder listing, which read its name already.
  SimFile(ClientPtr client, std::int32_t id, std::int32_t folderId, std::wstring listedName)
      : client_(std::move(client)),
        id_(id),
        folderId_(folderId),
        listedName_(std::move(listedName)) {}

  host::HResult Id(std::int32_t& id) override;
  host::HResult Name(std::wstring& name) override;
  host::HResult GetLocalCopy(host::HostWindow window, const host::Value& version,
                             const host::Value& where, std::int32_t flags,
                             const std::wstring& text) override;
  host::HResult CheckOut(std::int32_t folderId, host::HostWindow window,
                         std::int32_t flags) override;
  host::HResult CheckIn(host::HostWindow window, const std::wstring& comment, std::int32_t arg1,
                        std::int32_t arg2) override;
  host::HResult UndoCheckOut(host::HostWindow window, std::int32_t flags) override;
  host::HResult Rename(host::HostWindow window, const std::wstring& newName,
                       std::int32_t flags) override;
  host::HResult CheckOutState(host::CheckOutInfo& info) override;
  host::HResult CurrentVersion(std::int32_t& version) override;
  host::HResult CurrentRevision(std::wstring& revision) override;
  host::HResult CurrentState(std::wstring& name, std::int32_t& stateId) override;
  host::HResult VersionHistory(std::vector<host::VersionInfo>& versions) override;
  host::HResult Configurations(std::vector<std::wstring>& names) override;
  host::HResult CardVariables(host::Ref<host::CardVariableSet>& card) override;

 private:
  Store& store() const { return *client_->store; }
  // The file's name; throws kFileNotFound when it was deleted.
  std::wstring LoadName();
  std::wstring PathIn(std::int32_t folderId);
  // Where the bytes of a version lie; 0 for the latest.
  Stored Version(std::int32_t version);

  ClientPtr client_;
  std::int32_t id_;
  std::int32_t folderId_;
  // What a listed file shows as its name, as a host's listed objects do, without asking the vault
  // again: a menu command on a large folder asks every file. A rename through this object
  // changes it; empty for files not listed.
  std::wstring listedName_;
};

}  // namespace vendrel::sim
