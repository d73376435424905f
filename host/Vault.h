// The vault host's object model as the add-in sees it. Every operation returns a status code
// (negative on failure); outputs are reference parameters, set only on success.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "host/Ref.h"
#include "host/Status.h"
#include "host/Value.h"

namespace vendrel::host {

// Window handles travel to the host as 32-bit values.
using HostWindow = std::int32_t;

enum class ObjectKind : std::int32_t { kFile = 1, kFolder = 2 };

class VaultFile;
class VaultFolder;
class VaultUser;

// A file or folder of the vault.
class VaultObject : public Counted {
 public:
  virtual ObjectKind Kind() const = 0;
  virtual HResult Id(std::int32_t& id) = 0;
  virtual HResult Name(std::wstring& name) = 0;
  // The interface queries of the host: kNoInterface when the object is of the other kind.
  virtual HResult QueryFile(Ref<VaultFile>& file);
  virtual HResult QueryFolder(Ref<VaultFolder>& folder);
};

class VaultFolder : public VaultObject {
 public:
  ObjectKind Kind() const override { return ObjectKind::kFolder; }
  HResult QueryFolder(Ref<VaultFolder>& folder) override;

  // Full local path of the folder, without a trailing backslash.
  virtual HResult LocalPath(std::wstring& path) = 0;
  virtual HResult Files(std::vector<Ref<VaultFile>>& files) = 0;
  virtual HResult SubFolders(std::vector<Ref<VaultFolder>>& folders) = 0;
  // kFolderNotFound when the folder has no sub-folder of that name.
  virtual HResult SubFolder(const std::wstring& name, Ref<VaultFolder>& folder) = 0;
  virtual HResult AddFolder(HostWindow window, const std::wstring& name, std::int32_t flags,
                            Ref<VaultFolder>& folder) = 0;
  // Adds the local file under `newName` into this folder.
  virtual HResult AddFile(HostWindow window, const std::wstring& localPath,
                          const std::wstring& newName, std::int32_t flags,
                          Ref<VaultFile>& file) = 0;
  virtual HResult DeleteFile(HostWindow window, std::int32_t fileId, std::int32_t flags) = 0;
};

// One entry of a file's version history.
struct VersionInfo {
  std::int32_t version = 0;
  std::wstring user;  // who made the version
  Date time;
  std::wstring comment;
};

// Who holds a file checked out, where and on which computer.
struct CheckOutInfo {
  std::int32_t userId = 0;    // 0 (or 1) when the file is not checked out
  std::int32_t folderId = 0;  // folder the file was checked out in
  std::wstring userName;
  std::wstring computer;
  std::wstring path;  // local path of the check-out; its computer part names the computer
};

class CardVariableSet;

class VaultFile : public VaultObject {
 public:
  ObjectKind Kind() const override { return ObjectKind::kFile; }
  HResult QueryFile(Ref<VaultFile>& file) override;

  // `version` empty or 0 means the latest; `where` is a folder id (int) or a local path (text).
  virtual HResult GetLocalCopy(HostWindow window, const Value& version, const Value& where,
                               std::int32_t flags, const std::wstring& text) = 0;
  virtual HResult CheckOut(std::int32_t folderId, HostWindow window, std::int32_t flags) = 0;
  virtual HResult CheckIn(HostWindow window, const std::wstring& comment, std::int32_t arg1,
                          std::int32_t arg2) = 0;
  virtual HResult UndoCheckOut(HostWindow window, std::int32_t flags) = 0;
  virtual HResult Rename(HostWindow window, const std::wstring& newName, std::int32_t flags) = 0;
  virtual HResult CheckOutState(CheckOutInfo& info) = 0;
  virtual HResult CurrentVersion(std::int32_t& version) = 0;
  virtual HResult CurrentRevision(std::wstring& revision) = 0;
  // Name of the file's current workflow state; its id too.
  virtual HResult CurrentState(std::wstring& name, std::int32_t& stateId) = 0;
  // Oldest first.
  virtual HResult VersionHistory(std::vector<VersionInfo>& versions) = 0;
  virtual HResult Configurations(std::vector<std::wstring>& names) = 0;
  virtual HResult CardVariables(Ref<CardVariableSet>& card) = 0;
};

// A file's data-card values.
class CardVariableSet : public Counted {
 public:
  // An empty configuration name reads the value that is not bound to a configuration.
  virtual HResult GetValue(const std::wstring& variable, const std::wstring& configuration,
                           Value& value) = 0;
};

enum class CardType : std::int32_t { kText = 1, kInteger = 2, kFloat = 3, kYesNo = 4, kDate = 5 };
inline bool IsCardType(std::int32_t type) {
  return type >= static_cast<std::int32_t>(CardType::kText) &&
         type <= static_cast<std::int32_t>(CardType::kDate);
}

// A card variable as the vault defines it; `type` is a CardType.
struct CardVariableInfo {
  std::wstring name;
  std::int32_t type = 0;
  std::int32_t flags = 0;
  std::int32_t id = 0;
};

class VariableManager : public Counted {
 public:
  virtual HResult Variables(std::vector<CardVariableInfo>& variables) = 0;
  // kFalse when the vault has no variable of that name.
  virtual HResult VariableByName(const std::wstring& name, CardVariableInfo& variable) = 0;
};

// One failure that a batch commit reports. fileId 0 means the record names a folder.
struct BatchError {
  std::int32_t fileId = 0;
  std::int32_t folderId = 0;
  HResult code = kOk;
};

// Card values collected and written in one go.
class BatchUpdate : public Counted {
 public:
  // No configuration means the value for all configurations.
  virtual HResult AddFileValue(std::int32_t fileId, std::int32_t variableId, const Value& value,
                               const std::optional<std::wstring>& configuration,
                               std::int32_t flags) = 0;
  virtual HResult AddFolderValue(std::int32_t folderId, std::int32_t variableId, const Value& value,
                                 std::int32_t flags) = 0;
  virtual HResult Commit(std::vector<BatchError>& errors) = 0;
};

class VaultUser : public Counted {
 public:
  virtual HResult Id(std::int32_t& id) = 0;
  virtual HResult Name(std::wstring& name) = 0;
  virtual HResult SendMessage(const std::wstring& subject, const std::wstring& text) = 0;
};

class VaultGroup : public Counted {
 public:
  virtual HResult Id(std::int32_t& id) = 0;
  virtual HResult Name(std::wstring& name) = 0;
  virtual HResult SendMessage(const std::wstring& subject, const std::wstring& text,
                              std::int32_t flags) = 0;
};

class VaultUserDirectory : public Counted {
 public:
  virtual HResult LoggedInUser(Ref<VaultUser>& user) = 0;
  virtual HResult Users(std::vector<Ref<VaultUser>>& users) = 0;
  virtual HResult Groups(std::vector<Ref<VaultGroup>>& groups) = 0;
  // Names pass as string variants, as the host takes them.
  virtual HResult UserByName(const Value& name, Ref<VaultUser>& user) = 0;
  virtual HResult GroupByName(const Value& name, Ref<VaultGroup>& group) = 0;
};

struct WorkflowStateInfo {
  std::int32_t id = 0;
  std::wstring name;
};

struct WorkflowInfo {
  std::int32_t id = 0;
  std::wstring name;
  std::vector<WorkflowStateInfo> states;  // in the workflow's order
};

class WorkflowManager : public Counted {
 public:
  virtual HResult Workflows(std::vector<WorkflowInfo>& workflows) = 0;
};

// Texts an add-in keeps in the vault under 32-bit keys.
class AddInDictionary : public Counted {
 public:
  // `exists` tells whether the key is present; text is empty when it is not.
  virtual HResult Read(std::int32_t key, std::wstring& text, bool& exists) = 0;
  // Read for a text too long to hold twice: `take` gets it piece by piece, in order, with at
  // most how many characters are still to come (to size what it builds once). A host that
  // cannot do better hands over the whole text at once.
  virtual HResult ReadInPieces(std::int32_t key,
                               const std::function<void(std::wstring_view, std::size_t)>& take,
                               bool& exists) {
    std::wstring text;
    const HResult hr = Read(key, text, exists);
    if (Succeeded(hr) && !text.empty()) take(text, 0);
    return hr;
  }
  virtual HResult Write(std::int32_t key, const std::wstring& text) = 0;
  // Atomic across every client of the vault.
  virtual HResult SetIfAbsent(std::int32_t key, const std::wstring& text, bool& wasSet) = 0;
  virtual HResult Remove(std::int32_t key) = 0;
};

// The host's localized texts, looked up by string file, section and id.
class StringService : public Counted {
 public:
  virtual HResult Open(const std::wstring& product, const std::wstring& stringFile) = 0;
  virtual HResult Text(const std::wstring& section, std::int32_t id, std::wstring& text) = 0;
};

class VaultSession : public Counted {
 public:
  virtual HResult HostVersion(std::int32_t& major, std::int32_t& minor) = 0;
  virtual HResult GetObject(ObjectKind kind, std::int32_t id, Ref<VaultObject>& object) = 0;
  // kOk with the file and its parent folder when the path names a vault file.
  virtual HResult GetFileFromPath(const std::wstring& path, Ref<VaultFile>& file,
                                  Ref<VaultFolder>& folder) = 0;
  // kOk when found, kFalse when the path lies outside the vault, a failure code inside it.
  virtual HResult GetFolderFromPath(const std::wstring& path, Ref<VaultFolder>& folder) = 0;
  virtual HResult RootFolderPath(std::wstring& path) = 0;
  virtual HResult Name(std::wstring& name) = 0;
  // kFalse and no dictionary when it does not exist and `create` is false.
  virtual HResult GetDictionary(const std::wstring& name, bool create,
                                Ref<AddInDictionary>& dictionary) = 0;
  virtual HResult ErrorText(HResult code, std::wstring& name, std::wstring& description) = 0;
  virtual HResult UserDirectory(Ref<VaultUserDirectory>& directory) = 0;
  virtual HResult Workflows(Ref<WorkflowManager>& manager) = 0;
  virtual HResult Variables(Ref<VariableManager>& manager) = 0;
  virtual HResult CreateBatchUpdate(Ref<BatchUpdate>& batch) = 0;
  virtual HResult CreateStringService(Ref<StringService>& service) = 0;
  // Tells the host which windows are the add-in's; called before the administration dialog.
  virtual HResult SetWindows(HostWindow first, HostWindow second) = 0;
};

}  // namespace vendrel::host
