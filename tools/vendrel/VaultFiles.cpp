// Finding the vault files of the command line and describing them.
#include "tools/vendrel/VaultFiles.h"

#include <algorithm>

#include "platform/CaseFold.h"
#include "sim/Client.h"
#include "tools/vendrel/Host.h"
#include "tools/vendrel/Json.h"
#include "tools/vendrel/Report.h"

namespace vendrel::tools {

FileState StateOf(host::VaultFile& file) {
  FileState f;
  std::int32_t stateId = 0;
  host::CheckOutInfo checkOut;
  file.Name(f.name);
  file.CurrentVersion(f.version);
  file.CurrentState(f.state, stateId);
  if (host::Succeeded(file.CheckOutState(checkOut))) {
    f.checkedOutBy = checkOut.userName;
    f.computer = checkOut.computer;
  }
  return f;
}

std::string FileLine(const FileState& f) {
  std::string line = Utf8(f.name) + "  v" + std::to_string(f.version);
  if (!f.state.empty()) line += "  " + Utf8(f.state);
  if (!f.checkedOutBy.empty()) {
    line += "  checked out by " + Utf8(f.checkedOutBy) + " on " + Utf8(f.computer);
  }
  return line;
}

std::optional<FileRef> FileAt(VaultHost& host, const std::wstring& path) {
  FileRef ref;
  ref.path = path;
  if (host.Session().GetFileFromPath(ref.path, ref.file, ref.folder) != host::kOk || !ref.file ||
      !ref.folder) {
    return std::nullopt;
  }
  ref.file->Id(ref.fileId);
  ref.folder->Id(ref.folderId);
  return ref;
}

UsageError NoVaultFile(const std::wstring& path) {
  return UsageError("no vault file " + Utf8(path));
}

FileRef FindFile(VaultHost& host, const std::string& given) {
  const std::wstring path = host.VaultPath(Wide(given));
  std::optional<FileRef> ref = FileAt(host, path);
  if (!ref) throw NoVaultFile(path);
  return std::move(*ref);
}

std::vector<FileRef> FindFiles(VaultHost& host, const Args& paths) {
  if (paths.empty()) throw UsageError("name at least one vault file");
  std::vector<FileRef> files;
  for (const std::string& path : paths) files.push_back(FindFile(host, path));
  return files;
}

host::Ref<host::VaultFolder> FindFolder(VaultHost& host, const std::wstring& path) {
  host::Ref<host::VaultFolder> folder;
  if (host.Session().GetFolderFromPath(path, folder) != host::kOk) return nullptr;
  return folder;
}

namespace {

std::wstring Joined(const std::vector<std::wstring>& paths) {
  std::wstring text;
  for (const std::wstring& path : paths) text += (text.empty() ? L"" : L", ") + path;
  return text;
}

}  // namespace

void RequireBelowRoot(VaultHost& host, const std::wstring& path) {
  const std::wstring& root = host.Vault().RootPath();
  if (path.size() <= root.size() || path[root.size()] != L'\\' ||
      !platform::SameIgnoringCase(path.substr(0, root.size()), root)) {
    throw UsageError("no vault folder " + Utf8(path) + "; give a folder below the vault's root " +
                     Utf8(root));
  }
}

host::Ref<host::VaultFolder> MakeFolder(VaultHost& host, const std::wstring& path,
                                        std::vector<std::wstring>& made) {
  if (host::Ref<host::VaultFolder> existing = FindFolder(host, path)) return existing;
  RequireBelowRoot(host, path);
  const std::size_t slash = path.rfind(L'\\');
  const host::Ref<host::VaultFolder> parent = MakeFolder(host, path.substr(0, slash), made);
  host::Ref<host::VaultFolder> folder;
  const host::HResult hr = parent->AddFolder(0, path.substr(slash + 1), 0, folder);
  if (host::Failed(hr) || !folder) {
    std::string reason = "the vault refused the folder " + Utf8(path) + ": " +
                         ErrorText(host, host::Failed(hr) ? hr : host::kPointer);
    if (!made.empty())
      reason += ", and remove the folders made before it if need be: " + Utf8(Joined(made));
    throw UsageError(reason);
  }
  made.push_back(path);
  return folder;
}

host::Ref<host::VaultFolder> MakeFolder(VaultHost& host, const std::wstring& path) {
  std::vector<std::wstring> made;
  return MakeFolder(host, path, made);
}

std::vector<std::wstring> PathsOf(const std::vector<FileRef>& files) {
  std::vector<std::wstring> paths;
  for (const FileRef& f : files) paths.push_back(f.path);
  return paths;
}

VaultMark::VaultMark(VaultHost& host) : changes_(host.Vault().Changes()) {}

bool VaultMark::Unchanged(VaultHost& host) const {
  return host.Vault().Changes() == changes_;
}

Json FilesJson(const std::vector<std::pair<std::wstring, FileState>>& files) {
  Json list = Json::array();
  for (const auto& [path, f] : files) {
    list.push_back({{"path", path},
                    {"version", f.version},
                    {"state", f.state},
                    {"checkedOutBy", f.checkedOutBy}});
  }
  return list;
}

void CheckNewPath(const std::wstring& path, const std::string& advice) {
  if (path.size() > sim::kMaxPath) {
    throw UsageError(Utf8(path.substr(0, 40)) + "... has " + std::to_string(path.size()) +
                     " characters, more than the " + std::to_string(sim::kMaxPath) +
                     " Windows takes in a path; " + advice);
  }
  for (std::size_t start = path.find(L'\\') + 1; start > 0 && start <= path.size();) {
    const std::size_t end = std::min(path.find(L'\\', start), path.size());
    const std::wstring name = path.substr(start, end - start);
    if (host::Failed(sim::ValidateName(name))) {
      throw UsageError("\"" + Utf8(name) + "\" in " + Utf8(path) +
                       " is no name Windows allows (device names such as CON, NUL or COM1, also "
                       "with an extension, names ending in a dot or blank, and the characters "
                       "\\ / : * ? \" < > | are refused); " +
                       advice);
    }
    start = end + 1;
  }
}

}  // namespace vendrel::tools
