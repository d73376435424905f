// An in-memory vault for unit tests: folders, files with card values, a logged-in user.
// Operations a test has not set up fail with kFail.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "host/Ref.h"
#include "host/Vault.h"

namespace vendrel::testing {

using host::HResult;
using host::Ref;

class FakeCard : public host::CountedImpl<host::CardVariableSet> {
 public:
  void Set(const std::wstring& variable, const std::wstring& configuration, host::Value value) {
    values_[{variable, configuration}] = std::move(value);
  }
  HResult GetValue(const std::wstring& variable, const std::wstring& configuration,
                   host::Value& value) override;

  int reads = 0;

 private:
  std::map<std::pair<std::wstring, std::wstring>, host::Value> values_;
};

class FakeFile : public host::CountedImpl<host::VaultFile> {
 public:
  FakeFile(std::int32_t id, std::wstring name) : id(id), name(std::move(name)) {}

  HResult Id(std::int32_t& out) override;
  HResult Name(std::wstring& out) override;
  HResult GetLocalCopy(host::HostWindow, const host::Value&, const host::Value&, std::int32_t,
                       const std::wstring&) override;
  HResult CheckOut(std::int32_t, host::HostWindow, std::int32_t) override;
  HResult CheckIn(host::HostWindow, const std::wstring&, std::int32_t, std::int32_t) override;
  HResult UndoCheckOut(host::HostWindow, std::int32_t) override;
  HResult Rename(host::HostWindow, const std::wstring&, std::int32_t) override;
  HResult CheckOutState(host::CheckOutInfo& info) override;
  HResult CurrentVersion(std::int32_t& out) override;
  HResult CurrentRevision(std::wstring& out) override;
  HResult CurrentState(std::wstring& outName, std::int32_t& outId) override;
  HResult VersionHistory(std::vector<host::VersionInfo>& out) override;
  HResult Configurations(std::vector<std::wstring>& out) override;
  HResult CardVariables(Ref<host::CardVariableSet>& out) override;

  std::int32_t id;
  std::wstring name;
  std::int32_t version = 1;
  std::wstring revision;
  std::wstring stateName;
  std::int32_t stateId = 0;
  std::vector<host::VersionInfo> history;  // oldest first
  std::vector<std::wstring> configurations;
  Ref<FakeCard> card = host::MakeRef<FakeCard>();
  int cardRequests = 0;
};

class FakeFolder : public host::CountedImpl<host::VaultFolder> {
 public:
  FakeFolder(std::int32_t id, std::wstring name, std::wstring path)
      : id(id), name(std::move(name)), path(std::move(path)) {}

  HResult Id(std::int32_t& out) override;
  HResult Name(std::wstring& out) override;
  HResult LocalPath(std::wstring& out) override;
  HResult Files(std::vector<Ref<host::VaultFile>>& out) override;
  HResult SubFolders(std::vector<Ref<host::VaultFolder>>& out) override;
  HResult SubFolder(const std::wstring& subName, Ref<host::VaultFolder>& out) override;
  HResult AddFolder(host::HostWindow, const std::wstring&, std::int32_t,
                    Ref<host::VaultFolder>&) override;
  HResult AddFile(host::HostWindow, const std::wstring&, const std::wstring&, std::int32_t,
                  Ref<host::VaultFile>&) override;
  HResult DeleteFile(host::HostWindow, std::int32_t, std::int32_t) override;

  std::int32_t id;
  std::wstring name;
  std::wstring path;
  std::vector<Ref<FakeFile>> files;
  std::vector<Ref<FakeFolder>> subFolders;
};

class FakeUser : public host::CountedImpl<host::VaultUser> {
 public:
  explicit FakeUser(std::wstring name) : name(std::move(name)) {}
  HResult Id(std::int32_t& out) override;
  HResult Name(std::wstring& out) override;
  HResult SendMessage(const std::wstring&, const std::wstring&) override;

  std::int32_t id = 1;
  std::wstring name;
};

class FakeUserDirectory : public host::CountedImpl<host::VaultUserDirectory> {
 public:
  HResult LoggedInUser(Ref<host::VaultUser>& out) override;
  HResult Users(std::vector<Ref<host::VaultUser>>& out) override;
  HResult Groups(std::vector<Ref<host::VaultGroup>>& out) override;
  HResult UserByName(const host::Value&, Ref<host::VaultUser>&) override;
  HResult GroupByName(const host::Value&, Ref<host::VaultGroup>&) override;

  Ref<FakeUser> loggedIn;  // null: nobody logged in (kNotLoggedIn)
};

class FakeVault : public host::CountedImpl<host::VaultSession> {
 public:
  // Adds a folder and returns it; its path is the root path plus `relativePath`.
  Ref<FakeFolder> AddFolder(std::int32_t id, const std::wstring& relativePath);
  Ref<FakeFile> AddFile(std::int32_t id, const std::wstring& name, std::int32_t folderId);

  HResult HostVersion(std::int32_t& major, std::int32_t& minor) override;
  HResult GetObject(host::ObjectKind kind, std::int32_t id, Ref<host::VaultObject>& out) override;
  HResult GetFileFromPath(const std::wstring& path, Ref<host::VaultFile>& file,
                          Ref<host::VaultFolder>& folder) override;
  HResult GetFolderFromPath(const std::wstring& path, Ref<host::VaultFolder>& out) override;
  HResult RootFolderPath(std::wstring& out) override;
  HResult Name(std::wstring& out) override;
  HResult GetDictionary(const std::wstring&, bool, Ref<host::AddInDictionary>&) override;
  HResult ErrorText(HResult, std::wstring&, std::wstring&) override;
  HResult UserDirectory(Ref<host::VaultUserDirectory>& out) override;
  HResult Workflows(Ref<host::WorkflowManager>&) override;
  HResult Variables(Ref<host::VariableManager>&) override;
  HResult CreateBatchUpdate(Ref<host::BatchUpdate>&) override;
  HResult CreateStringService(Ref<host::StringService>&) override;
  HResult SetWindows(host::HostWindow, host::HostWindow) override;

  std::int32_t hostMajor = 1;
  std::int32_t hostMinor = 0;
  std::wstring rootPath = L"C:\\Vault";
  HResult rootResult = host::kOk;  // a failure code makes the root unobtainable
  std::wstring name = L"Vault";
  HResult nameResult = host::kOk;
  std::map<std::int32_t, Ref<FakeFolder>> folders;
  std::map<std::int32_t, Ref<FakeFile>> files;
  Ref<FakeUserDirectory> users = host::MakeRef<FakeUserDirectory>();
};

}  // namespace vendrel::testing
