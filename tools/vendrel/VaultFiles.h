// Vault files and folders as the subcommands name them, and how they are shown.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "host/Vault.h"
#include "sim/SimVault.h"
#include "tools/vendrel/Cli.h"
#include "tools/vendrel/JsonFwd.h"

namespace vendrel::tools {

class VaultHost;

// A vault file as the vault has it now.
struct FileState {
  std::wstring name;
  std::int32_t version = 0;
  std::wstring state;
  std::wstring checkedOutBy;
  std::wstring computer;
};

FileState StateOf(host::VaultFile& file);
// "a.txt  v2  Draft  checked out by anna on PC1"
std::string FileLine(const FileState& file);
// Vault paths with their files' states, as JSON.
Json FilesJson(const std::vector<std::pair<std::wstring, FileState>>& files);

struct FileRef {
  std::wstring path;
  std::int32_t fileId = 0;
  std::int32_t folderId = 0;
  host::Ref<host::VaultFile> file;
  host::Ref<host::VaultFolder> folder;  // where it was found
};

// The file at a vault path as VaultHost::VaultPath gives it; none when the vault has no such file.
std::optional<FileRef> FileAt(VaultHost& host, const std::wstring& path);
UsageError NoVaultFile(const std::wstring& path);
// Throw UsageError when a file is not in the vault, or when `paths` is empty.
FileRef FindFile(VaultHost& host, const std::string& given);
std::vector<FileRef> FindFiles(VaultHost& host, const Args& paths);
// Null when the vault has no such folder.
host::Ref<host::VaultFolder> FindFolder(VaultHost& host, const std::wstring& path);

// Throws UsageError unless `path` lies below the vault's root.
void RequireBelowRoot(VaultHost& host, const std::wstring& path);

// The vault folder of `path` (with the root), made with every missing parent; `made` collects
// the folders it made. Throws UsageError, naming those, when the vault refuses one.
host::Ref<host::VaultFolder> MakeFolder(VaultHost& host, const std::wstring& path,
                                        std::vector<std::wstring>& made);
host::Ref<host::VaultFolder> MakeFolder(VaultHost& host, const std::wstring& path);

// Throws UsageError, ending in `advice`, unless Windows could make every name of the vault path
// C:\a\b (no device name, no dot or blank at the end, no forbidden character) and the whole path
// is short enough.
void CheckNewPath(const std::wstring& path, const std::string& advice);

std::vector<std::wstring> PathsOf(const std::vector<FileRef>& files);

// Whether the vault's database changed since the mark was taken, by this client or any other:
// what was found in it before still holds while it did not.
class VaultMark {
 public:
  explicit VaultMark(VaultHost& host);
  bool Unchanged(VaultHost& host) const;

 private:
  sim::ChangeMark changes_;
};

}  // namespace vendrel::tools
