// Finding the vault files of the command line and describing them.
#include "tools/vendrel/VaultFiles.h"

#include "tools/vendrel/Host.h"
#include "tools/vendrel/Json.h"

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

host::Ref<host::VaultFolder> MakeFolder(VaultHost& host, const std::wstring& path) {
  if (host::Ref<host::VaultFolder> existing = FindFolder(host, path)) return existing;
  const std::size_t slash = path.rfind(L'\\');
  if (slash == std::wstring::npos || path.size() <= host.Vault().RootPath().size()) {
    throw UsageError("no vault folder " + Utf8(path) + "; give a folder below the vault's root " +
                     Utf8(host.Vault().RootPath()));
  }
  const host::Ref<host::VaultFolder> parent = MakeFolder(host, path.substr(0, slash));
  host::Ref<host::VaultFolder> made;
  if (host::Failed(parent->AddFolder(0, path.substr(slash + 1), 0, made)) || !made) {
    throw UsageError("the vault refused the folder " + Utf8(path) +
                     "; check the name and your rights");
  }
  return made;
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

}  // namespace vendrel::tools
