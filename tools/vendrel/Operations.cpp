// The host operations with their notifications.
#include "tools/vendrel/Operations.h"

#include <filesystem>
#include <optional>
#include <unordered_map>

#include "addin/CVornAddIn.h"
#include "host/Strings.h"
#include "platform/NativePath.h"
#include "platform/Sqlite.h"
#include "sim/SimVault.h"
#include "tools/vendrel/NotificationItems.h"

namespace vendrel::tools {

namespace fs = std::filesystem;
using host::HostNotificationItem;

namespace {

std::vector<HostNotificationItem> CheckOutItems(const std::vector<FileRef>& files) {
  std::vector<HostNotificationItem> items;
  for (const FileRef& f : files) items.push_back(CheckOutItem(f.fileId, f.folderId, f.path));
  return items;
}

// The registered menu command of a text as registered or as the host shows it; the
// administration command also without its dots.
std::optional<std::int32_t> MenuCommandId(const VaultHost& host, const std::wstring& text) {
  for (const MenuEntry& entry : host.Registered().menus) {
    const std::wstring shown = strings::HostText(entry.text);
    const bool dotted = shown.ends_with(L"...") && shown.substr(0, shown.size() - 3) == text;
    if (entry.text == text || shown == text || dotted) return entry.id;
  }
  return std::nullopt;
}

// Folder ids of a selection, and whether each has subfolders: most selections are files of
// folders without any, whose files then need no lookup of a folder of the same name.
using HasSubFolders = std::unordered_map<std::int32_t, bool>;

// A folder of the same path as a file, which a selection takes before the file: asked of the
// file's folder, which saves walking the whole path again.
host::Ref<host::VaultFolder> SubFolderOf(const FileRef& file, HasSubFolders& withSubFolders) {
  const auto [known, added] = withSubFolders.try_emplace(file.folderId, true);
  if (added) {
    std::vector<host::Ref<host::VaultFolder>> subFolders;
    known->second = host::Failed(file.folder->SubFolders(subFolders)) || !subFolders.empty();
  }
  if (!known->second) return nullptr;
  host::Ref<host::VaultFolder> folder;
  const std::wstring name = file.path.substr(file.path.rfind(L'\\') + 1);
  if (file.folder->SubFolder(name, folder) != host::kOk) return nullptr;
  return folder;
}

struct Selection {
  std::vector<HostNotificationItem> items;
  std::vector<FileRef> files;
  std::int32_t currentFolder = sim::kRootFolderId;
  std::optional<VaultMark> mark;
};

// The folders and files named after the menu command, read in one snapshot rather than one
// read transaction per statement.
Selection Select(VaultHost& host, const Args& args) {
  const platform::ReadTransaction snapshot = host.Vault().Snapshot();
  Selection selected;
  selected.mark.emplace(host);
  HasSubFolders withSubFolders;
  for (std::size_t i = 1; i < args.size(); ++i) {
    const std::wstring path = host.VaultPath(Wide(args[i]));
    std::optional<FileRef> file = FileAt(host, path);
    if (const auto folder = file ? SubFolderOf(*file, withSubFolders) : FindFolder(host, path)) {
      std::int32_t id = 0;
      folder->Id(id);
      selected.items.push_back(MenuFolderItem(id, path));
      if (i == 1) selected.currentFolder = id;
      continue;
    }
    if (!file) throw NoVaultFile(path);
    FileRef& f = *file;
    selected.items.push_back(MenuFileItem(f.fileId, f.folderId, f.path));
    if (i == 1) selected.currentFolder = f.folderId;
    selected.files.push_back(std::move(f));
  }
  return selected;
}

// Adds beyond this many files show their progress.
constexpr std::size_t kProgressFrom = 300;

struct Local {
  Local(fs::path file, std::wstring vaultFolder)
      : file(std::move(file)), vaultFolder(std::move(vaultFolder)) {}

  fs::path file;
  std::wstring vaultFolder;
  std::int32_t folderId = 0;
  std::int32_t fileId = 0;
  host::Ref<host::VaultFolder> folder;

  std::wstring VaultPath() const {
    return vaultFolder + L"\\" + platform::PathText(file.filename());
  }
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
  const std::wstring top = into + L"\\" + platform::PathText(given.filename());
  for (const auto& entry : fs::recursive_directory_iterator(given)) {
    if (!entry.is_regular_file()) continue;
    std::wstring folder = top;
    for (const fs::path& part : fs::relative(entry.path().parent_path(), given)) {
      if (part != ".") folder += L"\\" + platform::PathText(part);
    }
    locals.emplace_back(entry.path(), folder);
  }
}

}  // namespace

Outcome OperateOnFiles(VaultHost& host, FileOperation operation, const std::vector<FileRef>& files,
                       const std::wstring& comment) {
  static constexpr struct {
    std::int32_t before;
    std::int32_t after;
  } kKinds[] = {{addin::kBeforeCheckOut, addin::kAfterCheckOut},
                {addin::kBeforeCheckIn, addin::kAfterCheckIn},
                {addin::kBeforeUndoCheckOut, addin::kAfterUndoCheckOut}};
  const auto& kinds = kKinds[static_cast<int>(operation)];
  const auto items = [&] { return CheckOutItems(files); };
  return host.Operate(
      kinds.before, kinds.after, items,
      [&] {
        for (const FileRef& f : files) {
          switch (operation) {
            case FileOperation::kCheckOut:
              VENDREL_RETURN_IF_FAILED(f.file->CheckOut(f.folderId, 0, 0));
              break;
            case FileOperation::kCheckIn:
              VENDREL_RETURN_IF_FAILED(f.file->CheckIn(0, comment, 0, 0));
              break;
            case FileOperation::kUndoCheckOut:
              VENDREL_RETURN_IF_FAILED(f.file->UndoCheckOut(0, 0));
              break;
          }
        }
        return host::kOk;
      },
      items);
}

Outcome ChangeStates(VaultHost& host, const std::vector<FileRef>& files,
                     const std::string& target) {
  const std::size_t dot = target.find('.');
  const std::wstring state = Wide(target.substr(dot == std::string::npos ? 0 : dot + 1));
  std::optional<std::int32_t> stateId;
  try {
    if (dot != std::string::npos)
      stateId = host.Vault().StateId(Wide(target.substr(0, dot)), state);
  } catch (const std::exception&) {
  }
  if (!stateId) {
    std::string known;
    for (const sim::Workflow& w : host.Vault().Workflows()) {
      for (const sim::WorkflowState& s : w.states)
        known += (known.empty() ? "" : ", ") + Utf8(w.name) + "." + Utf8(s.name);
    }
    const std::string what = dot == std::string::npos ? "--to " + target + " names no workflow"
                                                      : "there is no state " + target;
    throw UsageError(what + "; give one of " + known);
  }
  const auto items = [&] {
    std::vector<HostNotificationItem> list;
    for (const FileRef& f : files) {
      list.push_back(StateChangeItem(f.fileId, f.folderId, f.path, *stateId));
    }
    return list;
  };
  return host.Operate(
      addin::kBeforeStateChange, addin::kAfterStateChange, items,
      [&] {
        for (const FileRef& f : files) {
          VENDREL_RETURN_IF_FAILED(host.Vault().ChangeState(f.fileId, state, host.User()));
        }
        return host::kOk;
      },
      items);
}

MenuChoice ChooseMenuCommand(VaultHost& host, const Args& args) {
  const auto commandId = MenuCommandId(host, Wide(args.at(0)));
  if (!commandId) {
    throw UsageError("no menu command \"" + args[0] + "\" (vendrel registered lists them)");
  }
  Selection selected = Select(host, args);
  host::HostNotification notification =
      host.NewNotification(addin::kMenuCommand, std::move(selected.items));
  notification.commandId = *commandId;
  notification.folderId = selected.currentFolder;
  MenuChoice choice;
  choice.outcome.status = host.Notify(notification);
  choice.outcome.refresh = notification.refreshFlags;
  choice.files = std::move(selected.files);
  choice.mark = std::move(selected.mark);
  return choice;
}

Addition AddLocalFiles(VaultHost& host, const Args& given, const std::string& to,
                       std::ostream* progress) {
  const std::wstring target = host.VaultPath(Wide(to));
  if (!FindFolder(host, target)) {
    throw UsageError("no vault folder " + Utf8(target) + "; make it with vendrel mkdir");
  }
  std::vector<Local> locals;
  const fs::path here = fs::current_path();
  for (const std::string& path : given) Gather(here / path, target, locals);
  for (const Local& l : locals) CheckNewPath(l.VaultPath(), "rename the local file or folder");
  std::vector<std::wstring> made;
  for (Local& l : locals) {
    l.folder = MakeFolder(host, l.vaultFolder, made);
    l.folder->Id(l.folderId);
  }
  Addition addition{{}, {}, VaultMark(host)};
  const auto items = [&] {
    std::vector<HostNotificationItem> list;
    for (const Local& l : locals) list.push_back(AddItem(l.folderId, l.fileId, l.VaultPath()));
    return list;
  };
  if (locals.size() <= kProgressFrom) progress = nullptr;
  addition.outcome = host.Operate(
      addin::kBeforeAdd, addin::kAfterAdd, items,
      [&] {
        // One transaction for them all, kept whatever the outcome: each add is a step of its
        // own inside it, so a failed one leaves the adds before it, as it would alone.
        platform::Transaction batch = host.Vault().Batch();
        host::HResult hr = host::kOk;
        for (std::size_t i = 0; i < locals.size(); ++i) {
          Local& l = locals[i];
          host::Ref<host::VaultFile> file;
          hr = l.folder->AddFile(0, platform::WindowsPath(l.file),
                                 platform::PathText(l.file.filename()), 1, file);
          if (host::Failed(hr)) break;
          file->Id(l.fileId);
          addition.files.push_back({l.VaultPath(), l.fileId, l.folderId, file, l.folder});
          if (progress) *progress << "\radded " << i + 1 << " of " << locals.size() << std::flush;
        }
        if (progress) *progress << "\n";
        batch.Commit();
        addition.mark = VaultMark(host);
        return hr;
      },
      items);
  return addition;
}

}  // namespace vendrel::tools
