// The in-memory test vault.
#include "tests/support/FakeVault.h"

#include "platform/CaseFold.h"
#include "platform/PathParts.h"

namespace vendrel::testing {
namespace {

using host::kFail;
using host::kOk;

template <class T>
HResult Give(const T& value, T& out) {
  out = value;
  return kOk;
}

}  // namespace

HResult FakeCard::GetValue(const std::wstring& variable, const std::wstring& configuration,
                           host::Value& value) {
  ++reads;
  const auto it = values_.find({variable, configuration});
  if (it == values_.end()) return host::kVariableNotFound;
  value = it->second;
  return kOk;
}

HResult FakeFile::Id(std::int32_t& out) {
  return Give(id, out);
}
HResult FakeFile::Name(std::wstring& out) {
  return Give(name, out);
}
HResult FakeFile::GetLocalCopy(host::HostWindow, const host::Value&, const host::Value&,
                               std::int32_t, const std::wstring&) {
  return kFail;
}
HResult FakeFile::CheckOut(std::int32_t, host::HostWindow, std::int32_t) {
  return kFail;
}
HResult FakeFile::CheckIn(host::HostWindow, const std::wstring&, std::int32_t, std::int32_t) {
  return kFail;
}
HResult FakeFile::UndoCheckOut(host::HostWindow, std::int32_t) {
  return kFail;
}
HResult FakeFile::Rename(host::HostWindow, const std::wstring&, std::int32_t) {
  return kFail;
}
HResult FakeFile::CheckOutState(host::CheckOutInfo&) {
  return kFail;
}
HResult FakeFile::CurrentVersion(std::int32_t& out) {
  return Give(version, out);
}
HResult FakeFile::CurrentRevision(std::wstring& out) {
  return Give(revision, out);
}
HResult FakeFile::CurrentState(std::wstring& outName, std::int32_t& outId) {
  outName = stateName;
  outId = stateId;
  return kOk;
}
HResult FakeFile::VersionHistory(std::vector<host::VersionInfo>& out) {
  return Give(history, out);
}
HResult FakeFile::Configurations(std::vector<std::wstring>& out) {
  return Give(configurations, out);
}
HResult FakeFile::CardVariables(Ref<host::CardVariableSet>& out) {
  ++cardRequests;
  out = card;
  return kOk;
}

HResult FakeFolder::Id(std::int32_t& out) {
  return Give(id, out);
}
HResult FakeFolder::Name(std::wstring& out) {
  return Give(name, out);
}
HResult FakeFolder::LocalPath(std::wstring& out) {
  return Give(path, out);
}
HResult FakeFolder::Files(std::vector<Ref<host::VaultFile>>& out) {
  out.assign(files.begin(), files.end());
  return kOk;
}
HResult FakeFolder::SubFolders(std::vector<Ref<host::VaultFolder>>& out) {
  out.assign(subFolders.begin(), subFolders.end());
  return kOk;
}
HResult FakeFolder::SubFolder(const std::wstring& subName, Ref<host::VaultFolder>& out) {
  for (const auto& folder : subFolders) {
    if (platform::SameIgnoringCase(folder->name, subName))
      return Give<Ref<host::VaultFolder>>(folder, out);
  }
  return host::kFolderNotFound;
}
HResult FakeFolder::AddFolder(host::HostWindow, const std::wstring&, std::int32_t,
                              Ref<host::VaultFolder>&) {
  return kFail;
}
HResult FakeFolder::AddFile(host::HostWindow, const std::wstring&, const std::wstring&,
                            std::int32_t, Ref<host::VaultFile>&) {
  return kFail;
}
HResult FakeFolder::DeleteFile(host::HostWindow, std::int32_t, std::int32_t) {
  return kFail;
}

HResult FakeUser::Id(std::int32_t& out) {
  return Give(id, out);
}
HResult FakeUser::Name(std::wstring& out) {
  return Give(name, out);
}
HResult FakeUser::SendMessage(const std::wstring&, const std::wstring&) {
  return kFail;
}

HResult FakeUserDirectory::LoggedInUser(Ref<host::VaultUser>& out) {
  if (!loggedIn) return host::kNotLoggedIn;
  return Give<Ref<host::VaultUser>>(loggedIn, out);
}
HResult FakeUserDirectory::Users(std::vector<Ref<host::VaultUser>>&) {
  return kFail;
}
HResult FakeUserDirectory::Groups(std::vector<Ref<host::VaultGroup>>&) {
  return kFail;
}
HResult FakeUserDirectory::UserByName(const host::Value&, Ref<host::VaultUser>&) {
  return kFail;
}
HResult FakeUserDirectory::GroupByName(const host::Value&, Ref<host::VaultGroup>&) {
  return kFail;
}

Ref<FakeFolder> FakeVault::AddFolder(std::int32_t id, const std::wstring& relativePath) {
  auto folder =
      host::MakeRef<FakeFolder>(id, platform::NameOfPath(relativePath), rootPath + relativePath);
  folders[id] = folder;
  return folder;
}

Ref<FakeFile> FakeVault::AddFile(std::int32_t id, const std::wstring& fileName,
                                 std::int32_t folderId) {
  auto file = host::MakeRef<FakeFile>(id, fileName);
  files[id] = file;
  if (const auto it = folders.find(folderId); it != folders.end())
    it->second->files.push_back(file);
  return file;
}

HResult FakeVault::HostVersion(std::int32_t& major, std::int32_t& minor) {
  major = hostMajor;
  minor = hostMinor;
  return kOk;
}

HResult FakeVault::GetObject(host::ObjectKind kind, std::int32_t id, Ref<host::VaultObject>& out) {
  if (kind == host::ObjectKind::kFile) {
    const auto it = files.find(id);
    if (it == files.end()) return host::kFileNotFound;
    return Give<Ref<host::VaultObject>>(it->second, out);
  }
  const auto it = folders.find(id);
  if (it == folders.end()) return host::kFolderNotFound;
  return Give<Ref<host::VaultObject>>(it->second, out);
}

HResult FakeVault::GetFileFromPath(const std::wstring& path, Ref<host::VaultFile>& file,
                                   Ref<host::VaultFolder>& folder) {
  for (const auto& [id, candidate] : folders) {
    for (const auto& entry : candidate->files) {
      if (platform::SameIgnoringCase(candidate->path + L"\\" + entry->name, path)) {
        file = entry;
        folder = candidate;
        return kOk;
      }
    }
  }
  return host::kFileNotFound;
}

HResult FakeVault::GetFolderFromPath(const std::wstring& path, Ref<host::VaultFolder>& out) {
  for (const auto& [id, folder] : folders) {
    if (platform::SameIgnoringCase(folder->path, path))
      return Give<Ref<host::VaultFolder>>(folder, out);
  }
  const bool inside = path.size() >= rootPath.size() &&
                      platform::SameIgnoringCase(path.substr(0, rootPath.size()), rootPath);
  return inside ? host::kFolderNotFound : host::kFalse;
}

HResult FakeVault::RootFolderPath(std::wstring& out) {
  if (host::Failed(rootResult)) return rootResult;
  return Give(rootPath, out);
}

HResult FakeVault::Name(std::wstring& out) {
  if (host::Failed(nameResult)) return nameResult;
  return Give(name, out);
}

HResult FakeVault::GetDictionary(const std::wstring&, bool, Ref<host::AddInDictionary>&) {
  return kFail;
}
HResult FakeVault::ErrorText(HResult, std::wstring&, std::wstring&) {
  return kFail;
}
HResult FakeVault::UserDirectory(Ref<host::VaultUserDirectory>& out) {
  return Give<Ref<host::VaultUserDirectory>>(users, out);
}
HResult FakeVault::Workflows(Ref<host::WorkflowManager>&) {
  return kFail;
}
HResult FakeVault::Variables(Ref<host::VariableManager>&) {
  return kFail;
}
HResult FakeVault::CreateBatchUpdate(Ref<host::BatchUpdate>&) {
  return kFail;
}
HResult FakeVault::CreateStringService(Ref<host::StringService>&) {
  return kFail;
}
HResult FakeVault::SetWindows(host::HostWindow, host::HostWindow) {
  return kOk;
}

}  // namespace vendrel::testing
