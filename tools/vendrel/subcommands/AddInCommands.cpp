// What the add-in registered, and choosing one of its menu commands.
#include <optional>
#include <ostream>
#include <unordered_map>
#include <vector>

#include "addin/CVornAddIn.h"
#include "platform/Sqlite.h"
#include "sim/SimVault.h"
#include "tools/vendrel/Command.h"
#include "tools/vendrel/Host.h"
#include "tools/vendrel/Json.h"
#include "tools/vendrel/NotificationItems.h"
#include "tools/vendrel/Report.h"
#include "tools/vendrel/VaultFiles.h"

namespace vendrel::tools {
namespace {

// The registered menu command of a text; the administration command also by its plain text,
// with or without its dots.
std::optional<std::int32_t> MenuCommandId(const VaultHost& host, const std::wstring& text) {
  for (const MenuEntry& entry : host.Registered().menus) {
    std::wstring plain = entry.text;
    if (plain.starts_with(L"\u00a7(")) plain.erase(0, plain.find(L')') + 1);
    const bool dotted = plain.ends_with(L"...") && plain.substr(0, plain.size() - 3) == text;
    if (entry.text == text || plain == text || dotted) return entry.id;
  }
  return std::nullopt;
}

Json RegisteredJson(const VaultHost& host) {
  const host::AddInInfo& info = host.Info();
  Json entries = Json::array();
  for (const MenuEntry& entry : host.Registered().menus) {
    entries.push_back({{"menu", entry.id}, {"text", entry.text}, {"flags", entry.flags}});
  }
  for (const std::int32_t kind : host.Registered().hooks) entries.push_back({{"hook", kind}});
  return {{"info",
           {{"name", info.name},
            {"company", info.company},
            {"description", info.description},
            {"version", info.version}}},
          {"registrations", std::move(entries)}};
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
  std::vector<host::HostNotificationItem> items;
  std::vector<FileRef> files;
  std::int32_t currentFolder = sim::kRootFolderId;
  std::optional<VaultMark> mark;  // of the snapshot the files were found in
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

}  // namespace

int RunMenu(Call& call) {
  VaultHost& host = call.Host();
  const Args& args = call.Arguments();
  if (args.empty()) throw call.Misused();
  const auto commandId = MenuCommandId(host, Wide(args[0]));
  if (!commandId) {
    throw UsageError("no menu command \"" + args[0] + "\" (vendrel registered lists them)");
  }
  Selection selected = Select(host, args);
  host::HostNotification notification =
      host.NewNotification(addin::kMenuCommand, std::move(selected.items));
  notification.commandId = *commandId;
  notification.folderId = selected.currentFolder;
  Outcome outcome;
  outcome.status = host.Notify(notification);
  outcome.refresh = notification.refreshFlags;
  return Report(call, "menu", outcome, selected.files, *selected.mark);
}

int RunRegistered(Call& call) {
  VaultHost& host = call.Host();
  std::ostream& out = call.Out();
  if (call.Json()) {
    out << WriteJson(RegisteredJson(host));
    return kExitOk;
  }
  const host::AddInInfo& info = host.Info();
  out << Utf8(info.name) << ", " << Utf8(info.company) << ", " << Utf8(info.description) << " ("
      << info.version << ")\n";
  for (const MenuEntry& entry : host.Registered().menus) {
    out << "menu " << entry.id << " \"" << Utf8(entry.text) << "\" flags " << HexCode(entry.flags)
        << "\n";
  }
  for (const std::int32_t kind : host.Registered().hooks) {
    out << "hook " << kind << " " << NotificationName(kind) << "\n";
  }
  return kExitOk;
}

}  // namespace vendrel::tools
