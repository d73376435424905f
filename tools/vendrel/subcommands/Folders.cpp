// Vault folders: making them with their parents, and adding local files and folder trees.
#include <filesystem>
#include <ostream>

#include "addin/CVornAddIn.h"
#include "platform/NativePath.h"
#include "platform/Sqlite.h"
#include "tools/vendrel/Command.h"
#include "tools/vendrel/Host.h"
#include "tools/vendrel/NotificationItems.h"
#include "tools/vendrel/Platform.h"
#include "tools/vendrel/Report.h"
#include "tools/vendrel/VaultFiles.h"

namespace vendrel::tools {

namespace fs = std::filesystem;
using host::HostNotificationItem;

namespace {

// Adds beyond this many files show their progress on a terminal.
constexpr std::size_t kProgressFrom = 300;

// The vault folder of `path` (with the root), made with every missing parent.
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

struct Local {
  Local(fs::path file, std::wstring vaultFolder)
      : file(std::move(file)), vaultFolder(std::move(vaultFolder)) {}

  fs::path file;
  std::wstring vaultFolder;
  std::int32_t folderId = 0;
  std::int32_t fileId = 0;
  host::Ref<host::VaultFolder> folder;

  std::wstring VaultPath() const { return vaultFolder + L"\\" + file.filename().wstring(); }
};

// A local file, or every file below a local folder in the vault folder of the same name.
void Gather(const fs::path& given, const std::wstring& into, std::vector<Local>& locals) {
  if (fs::is_regular_file(given)) {
    locals.emplace_back(given, into);
    return;
  }
  if (!fs::is_directory(given)) {
    throw UsageError("no local file or folder " + given.string() + "; check the path");
  }
  const std::wstring top = into + L"\\" + given.filename().wstring();
  for (const auto& entry : fs::recursive_directory_iterator(given)) {
    if (!entry.is_regular_file()) continue;
    std::wstring folder = top;
    for (const fs::path& part : fs::relative(entry.path().parent_path(), given)) {
      if (part != ".") folder += L"\\" + part.wstring();
    }
    locals.emplace_back(entry.path(), folder);
  }
}

}  // namespace

int RunMakeFolder(Call& call) {
  VaultHost& host = call.Host();
  if (call.Arguments().empty()) throw call.Misused();
  for (const std::string& given : call.Arguments()) {
    const std::wstring path = host.VaultPath(Wide(given));
    MakeFolder(host, path);
    call.Out() << "folder " << Utf8(path) << "\n";
  }
  return kExitOk;
}

int RunAdd(Call& call) {
  VaultHost& host = call.Host();
  if (call.Arguments().empty() || !call.Opt().to) throw call.Misused();
  const std::wstring target = host.VaultPath(Wide(*call.Opt().to));
  if (!FindFolder(host, target)) {
    throw UsageError("no vault folder " + Utf8(target) + "; make it with vendrel mkdir");
  }
  std::vector<Local> locals;
  const fs::path here = fs::current_path();
  for (const std::string& given : call.Arguments()) Gather(here / given, target, locals);
  for (Local& l : locals) {
    l.folder = MakeFolder(host, l.vaultFolder);
    l.folder->Id(l.folderId);
  }
  std::vector<std::wstring> paths;
  for (const Local& l : locals) paths.push_back(l.VaultPath());
  const auto items = [&] {
    std::vector<HostNotificationItem> list;
    for (const Local& l : locals) list.push_back(AddItem(l.folderId, l.fileId, l.VaultPath()));
    return list;
  };
  const bool progress = locals.size() > kProgressFrom && ErrorsGoToTerminal();
  const Outcome outcome = host.Operate(
      addin::kBeforeAdd, addin::kAfterAdd, items,
      [&] {
        // One transaction for them all, kept whatever the outcome: each add is a step of its
        // own inside it, so a failed one leaves the adds before it, as it would alone.
        platform::Transaction batch = host.Vault().Batch();
        host::HResult hr = host::kOk;
        for (std::size_t i = 0; i < locals.size(); ++i) {
          Local& l = locals[i];
          host::Ref<host::VaultFile> file;
          hr = l.folder->AddFile(0, platform::WindowsPath(l.file), l.file.filename().wstring(), 1,
                                 file);
          if (host::Failed(hr)) break;
          file->Id(l.fileId);
          if (progress)
            call.Io().err << "\radded " << i + 1 << " of " << locals.size() << std::flush;
        }
        if (progress) call.Io().err << "\n";
        batch.Commit();
        return hr;
      },
      items);
  return Report(call, "add", outcome, paths);
}

}  // namespace vendrel::tools
