// The commands that work on a vault: creating one, the host operations with their
// notifications, the add-in's registrations, its stored actions, and inspection.
#include <fstream>
#include <ostream>

#include "actions/ActionStore.h"
#include "actions/DiskFile.h"
#include "commands/core/CmdFactory.h"
#include "commands/core/ValueText.h"
#include "platform/NativePath.h"
#include "sim/Dates.h"
#include "tools/vendrel/Cli.h"
#include "tools/vendrel/Files.h"
#include "tools/vendrel/Host.h"
#include "tools/vendrel/Session.h"

namespace vendrel::tools {

namespace fs = std::filesystem;
using host::HostNotificationItem;

namespace {

// Values of a command's own options ("--to X"), the rest as positional arguments.
struct Parsed {
  Args positional;
  std::vector<std::pair<std::string, std::string>> values;
  std::vector<std::string> flags;

  std::optional<std::string> Get(const std::string& name) const {
    for (const auto& [key, value] : values) {
      if (key == name) return value;
    }
    return std::nullopt;
  }
  bool Has(const std::string& flag) const {
    return std::find(flags.begin(), flags.end(), flag) != flags.end();
  }
};

Parsed Parse(const Args& args, std::initializer_list<const char*> withValue,
             std::initializer_list<const char*> bare = {}) {
  Parsed parsed;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const auto named = [&](const char* n) { return arg == n; };
    if (std::any_of(withValue.begin(), withValue.end(), named)) {
      if (i + 1 >= args.size()) throw UsageError(arg + " needs a value");
      parsed.values.emplace_back(arg, args[++i]);
    } else if (std::any_of(bare.begin(), bare.end(), named)) {
      parsed.flags.push_back(arg);
    } else if (arg.starts_with("--")) {
      throw UsageError("unknown option " + arg);
    } else {
      parsed.positional.push_back(arg);
    }
  }
  return parsed;
}

std::string ErrorText(VaultHost& host, host::HResult code) {
  std::wstring name;
  std::wstring description;
  if (host::Succeeded(host.Session().ErrorText(code, name, description)) && !description.empty()) {
    return Utf8(description) + " (" + HexCode(code) + ")";
  }
  return HexCode(code);
}

// A vault file as the vault has it now.
struct FileState {
  std::wstring name;
  std::int32_t version = 0;
  std::wstring state;
  std::wstring checkedOutBy;
  std::wstring computer;
};

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

// The vault files of an operation afterwards, by path; a path the vault no longer finds is left
// out.
std::vector<std::pair<std::wstring, FileState>> Afterwards(VaultHost& host,
                                                           const std::vector<std::wstring>& paths) {
  std::vector<std::pair<std::wstring, FileState>> files;
  for (const std::wstring& path : paths) {
    host::Ref<host::VaultFile> file;
    host::Ref<host::VaultFolder> folder;
    if (host.Session().GetFileFromPath(path, file, folder) == host::kOk && file) {
      files.emplace_back(path, StateOf(*file));
    }
  }
  return files;
}

Json FilesJson(const std::vector<std::pair<std::wstring, FileState>>& files) {
  Json::Array list;
  for (const auto& [path, f] : files) {
    Json item;
    item.Add("path", path);
    item.Add("version", f.version);
    item.Add("state", f.state);
    item.Add("checkedOutBy", f.checkedOutBy);
    list.push_back(std::move(item));
  }
  return list;
}

// Reports the outcome of an operation on the vault files of `paths`; the exit code follows it.
int Report(VaultHost& host, const std::string& operation, const Outcome& outcome,
           const std::vector<std::wstring>& paths, const Options& options, Console& console) {
  const auto files = Afterwards(host, paths);
  if (options.json) {
    Json json;
    json.Add("operation", Wide(operation));
    json.Add("status", outcome.status);
    json.Add("refresh", outcome.refresh);
    json.Add("veto", outcome.veto ? 1 : 0);
    json.Add("hostStatus", outcome.operation);
    json.Add("notifications", host.GetTrace().NotificationsJson());
    // Through COM the runs are the add-in's own business: no list rather than an empty one.
    if (host.AddInLinked()) json.Add("runs", host.GetTrace().RunsJson());
    json.Add("files", FilesJson(files));
    console.out << json.Write();
  } else if (outcome.veto) {
    console.out << operation << " refused by the add-in\n";
  } else if (host::Failed(outcome.operation)) {
    console.out << operation << " failed: " << ErrorText(host, outcome.operation) << "\n";
  } else if (host::Failed(outcome.status)) {
    console.out << operation << ": the add-in answered " << HexCode(outcome.status) << "\n";
  } else {
    console.out << operation << " done"
                << (outcome.refresh != 0 ? "; the add-in asks for a refresh" : "") << "\n";
  }
  if (!options.json) {
    for (const auto& [path, f] : files) console.out << "  " << FileLine(f) << "\n";
  }
  const bool refused =
      outcome.veto || host::Failed(outcome.operation) || host::Failed(outcome.status);
  return refused ? kExitRefused : kExitOk;
}

struct FileRef {
  std::wstring path;
  std::int32_t fileId = 0;
  std::int32_t folderId = 0;
  host::Ref<host::VaultFile> file;
};

FileRef FindFile(VaultHost& host, const std::string& given) {
  FileRef ref;
  ref.path = host.VaultPath(Wide(given));
  host::Ref<host::VaultFolder> folder;
  if (host.Session().GetFileFromPath(ref.path, ref.file, folder) != host::kOk || !ref.file ||
      !folder) {
    throw UsageError("no vault file " + Utf8(ref.path));
  }
  ref.file->Id(ref.fileId);
  folder->Id(ref.folderId);
  return ref;
}

host::Ref<host::VaultFolder> FindFolder(VaultHost& host, const std::wstring& path) {
  host::Ref<host::VaultFolder> folder;
  if (host.Session().GetFolderFromPath(path, folder) != host::kOk) return nullptr;
  return folder;
}

std::vector<std::wstring> PathsOf(const std::vector<FileRef>& files) {
  std::vector<std::wstring> paths;
  for (const FileRef& f : files) paths.push_back(f.path);
  return paths;
}

std::vector<FileRef> FindFiles(VaultHost& host, const Args& paths) {
  if (paths.empty()) throw UsageError("name at least one vault file");
  std::vector<FileRef> files;
  for (const std::string& path : paths) files.push_back(FindFile(host, path));
  return files;
}

// Items of the check-out family: file id, folder id, path.
std::vector<HostNotificationItem> FileItems(const std::vector<FileRef>& files,
                                            std::int32_t stateId = 0) {
  std::vector<HostNotificationItem> items;
  for (const FileRef& f : files) items.push_back({f.fileId, f.folderId, 0, f.path, L"", stateId});
  return items;
}

int CheckOutFamily(VaultHost& host, const std::string& command, const Args& args,
                   const Options& options, Console& console) {
  const Parsed parsed = Parse(args, {"--comment"});
  if (command != "checkin" && parsed.Get("--comment")) throw UsageError("--comment is for checkin");
  const std::vector<FileRef> files = FindFiles(host, parsed.positional);
  const std::wstring comment = Wide(parsed.Get("--comment").value_or(""));
  const auto items = [&] { return FileItems(files); };
  std::int32_t before = 3;
  if (command == "checkin") before = 5;
  if (command == "undo-checkout") before = 7;
  const Outcome outcome = host.Operate(
      before, before + 1, items,
      [&] {
        for (const FileRef& f : files) {
          host::HResult hr = host::kOk;
          if (command == "checkout") hr = f.file->CheckOut(f.folderId, 0, 0);
          if (command == "checkin") hr = f.file->CheckIn(0, comment, 0, 0);
          if (command == "undo-checkout") hr = f.file->UndoCheckOut(0, 0);
          VENDREL_RETURN_IF_FAILED(hr);
        }
        return host::kOk;
      },
      items);
  return Report(host, command, outcome, PathsOf(files), options, console);
}

int ChangeState(VaultHost& host, const Args& args, const Options& options, Console& console) {
  const Parsed parsed = Parse(args, {"--to"});
  const std::string target = parsed.Get("--to").value_or("");
  const std::size_t dot = target.find('.');
  if (dot == std::string::npos) throw UsageError("state needs --to WORKFLOW.STATE");
  const std::wstring workflow = Wide(target.substr(0, dot));
  const std::wstring state = Wide(target.substr(dot + 1));
  const std::vector<FileRef> files = FindFiles(host, parsed.positional);
  std::int32_t stateId = 0;
  try {
    stateId = host.Vault().StateId(workflow, state);
  } catch (const std::exception&) {
    throw UsageError("no state " + target);
  }
  const auto items = [&] { return FileItems(files, stateId); };
  const Outcome outcome = host.Operate(
      9, 10, items,
      [&] {
        for (const FileRef& f : files) {
          VENDREL_RETURN_IF_FAILED(host.Vault().ChangeState(f.fileId, state, host.User()));
        }
        return host::kOk;
      },
      items);
  return Report(host, "state", outcome, PathsOf(files), options, console);
}

int AddFiles(VaultHost& host, const Args& args, const Options& options, Console& console) {
  const Parsed parsed = Parse(args, {"--to"});
  if (parsed.positional.empty() || !parsed.Get("--to")) {
    throw UsageError("usage: vendrel add LOCALFILE... --to VAULTFOLDER");
  }
  const std::wstring folderPath = host.VaultPath(Wide(*parsed.Get("--to")));
  const host::Ref<host::VaultFolder> folder = FindFolder(host, folderPath);
  if (!folder) throw UsageError("no vault folder " + Utf8(folderPath));
  std::int32_t folderId = 0;
  folder->Id(folderId);
  struct Local {
    std::wstring windowsPath;
    std::wstring name;
    std::int32_t fileId = 0;
  };
  std::vector<Local> locals;
  for (const std::string& given : parsed.positional) {
    const fs::path local = fs::absolute(given);
    if (!fs::is_regular_file(local)) throw UsageError("no local file " + given);
    locals.push_back({platform::WindowsPath(local), local.filename().wstring(), 0});
  }
  std::vector<std::wstring> paths;
  for (const Local& l : locals) paths.push_back(folderPath + L"\\" + l.name);
  const auto items = [&] {
    std::vector<HostNotificationItem> list;
    for (std::size_t i = 0; i < locals.size(); ++i) {
      list.push_back({folderId, locals[i].fileId, 0, paths[i], L"", 0});
    }
    return list;
  };
  const Outcome outcome = host.Operate(
      11, 12, items,
      [&] {
        for (Local& l : locals) {
          host::Ref<host::VaultFile> file;
          VENDREL_RETURN_IF_FAILED(folder->AddFile(0, l.windowsPath, l.name, 0, file));
          file->Id(l.fileId);
        }
        return host::kOk;
      },
      items);
  return Report(host, "add", outcome, paths, options, console);
}

// The registered menu command of a text; the administration command also by its plain text.
std::optional<std::int32_t> MenuCommandId(const VaultHost& host, const std::wstring& text) {
  for (const MenuEntry& entry : host.Registered().menus) {
    std::wstring plain = entry.text;
    if (plain.starts_with(L"\u00a7(")) plain.erase(0, plain.find(L')') + 1);
    if (entry.text == text || plain == text) return entry.id;
  }
  return std::nullopt;
}

int Menu(VaultHost& host, const Args& args, const Options& options, Console& console) {
  const Parsed parsed = Parse(args, {});
  if (parsed.positional.empty()) throw UsageError("usage: vendrel menu \"MENU TEXT\" [PATH...]");
  const std::wstring text = Wide(parsed.positional[0]);
  const auto commandId = MenuCommandId(host, text);
  if (!commandId) {
    throw UsageError("no menu command \"" + parsed.positional[0] +
                     "\" (vendrel registered lists them)");
  }
  std::vector<HostNotificationItem> items;
  std::vector<std::wstring> selectedFiles;
  std::int32_t currentFolder = sim::kRootFolderId;
  for (std::size_t i = 1; i < parsed.positional.size(); ++i) {
    const std::wstring path = host.VaultPath(Wide(parsed.positional[i]));
    if (const auto folder = FindFolder(host, path)) {
      std::int32_t id = 0;
      folder->Id(id);
      items.push_back({1, id, 0, path, L"", 0});
      if (i == 1) currentFolder = id;
      continue;
    }
    const FileRef f = FindFile(host, parsed.positional[i]);
    items.push_back({f.fileId, 0, f.folderId, f.path, L"", 0});
    selectedFiles.push_back(f.path);
    if (i == 1) currentFolder = f.folderId;
  }
  host::HostNotification notification = host.NewNotification(1, std::move(items));
  notification.commandId = *commandId;
  notification.folderId = currentFolder;
  Outcome outcome;
  outcome.status = host.Notify(notification);
  outcome.refresh = notification.refreshFlags;
  return Report(host, "menu", outcome, selectedFiles, options, console);
}

int Registered(VaultHost& host, const Options& options, Console& console) {
  const host::AddInInfo& info = host.Info();
  if (options.json) {
    Json json;
    Json infoJson;
    infoJson.Add("name", info.name);
    infoJson.Add("company", info.company);
    infoJson.Add("description", info.description);
    infoJson.Add("version", info.version);
    json.Add("info", std::move(infoJson));
    Json::Array entries;
    for (const MenuEntry& entry : host.Registered().menus) {
      Json item;
      item.Add("menu", entry.id);
      item.Add("text", entry.text);
      item.Add("flags", entry.flags);
      entries.push_back(std::move(item));
    }
    for (const std::int32_t kind : host.Registered().hooks) {
      Json item;
      item.Add("hook", kind);
      entries.push_back(std::move(item));
    }
    json.Add("registrations", std::move(entries));
    console.out << json.Write();
    return kExitOk;
  }
  console.out << Utf8(info.name) << ", " << Utf8(info.company) << ", " << Utf8(info.description)
              << " (" << info.version << ")\n";
  for (const MenuEntry& entry : host.Registered().menus) {
    console.out << "menu " << entry.id << " \"" << Utf8(entry.text) << "\" flags "
                << HexCode(entry.flags) << "\n";
  }
  for (const std::int32_t kind : host.Registered().hooks) {
    console.out << "hook " << kind << " " << NotificationName(kind) << "\n";
  }
  return kExitOk;
}

// The vault's stored actions, loaded; a vault with none yet gives an empty store, one whose
// stored set cannot be read stops the command before anything is written.
actions::ActionStore LoadStore(VaultHost& host) {
  platform::Services& s = host.Services();
  actions::ActionStore store(*s.waitCursor, *s.clock, *s.messageBoxes, commands::CreateCmd);
  store.Load(host.Session());
  if (store.LastLoad() == actions::ActionStore::Stored::kUnreadable) {
    throw UsageError(
        "the vault's stored actions cannot be read (damaged, or locked by another client); "
        "nothing was changed");
  }
  return store;
}

int Import(VaultHost& host, const Args& args, Console& console) {
  if (args.size() != 1) throw UsageError("usage: vendrel import FILE.acn");
  actions::ActionList loaded;
  try {
    actions::DiskFile file(Wide(args[0]), actions::DiskFile::Mode::kRead);
    actions::Archive archive(file, actions::Archive::Mode::kLoad);
    if (!actions::ReadActionFile(archive, loaded, commands::CreateCmd)) {
      throw UsageError(args[0] + " is not an action file");
    }
  } catch (const actions::FileError& e) {
    throw UsageError(Utf8(e.Message()));
  } catch (const actions::ArchiveError&) {
    throw UsageError(args[0] + " holds damaged or unknown actions");
  }
  actions::ActionStore store = LoadStore(host);
  actions::ActionSet& set = store.Set();
  for (auto& action : loaded) {
    action->changedMark = true;
    action->actionId = ++set.highestId;
    console.out << "imported \"" << Utf8(action->name) << "\" as " << action->actionId << "\n";
    set.actions.push_back(std::move(action));
  }
  if (!store.Save(host.Session())) {
    console.err << "vendrel: Error accessing database.\n";
    return kExitRefused;
  }
  return kExitOk;
}

int Export(VaultHost& host, const Args& args, Console& console) {
  if (args.size() != 1) throw UsageError("usage: vendrel export FILE.acn");
  actions::ActionStore store = LoadStore(host);
  std::vector<const actions::Action*> list;
  for (const auto& action : store.Set().actions) {
    if (action) list.push_back(action.get());
  }
  try {
    actions::DiskFile file(Wide(args[0]), actions::DiskFile::Mode::kCreate);
    actions::Archive archive(file, actions::Archive::Mode::kStore);
    actions::WriteActionFile(archive, list);
    file.Close();
  } catch (const actions::FileError& e) {
    throw UsageError(Utf8(e.Message()));
  }
  console.out << "exported " << list.size() << " action(s) to " << args[0] << "\n";
  return kExitOk;
}

std::wstring StoredText(VaultHost& host) {
  host::Ref<host::AddInDictionary> dictionary;
  std::wstring text;
  bool exists = false;
  if (host.Session().GetDictionary(actions::kDictionaryName, false, dictionary) != host::kOk ||
      !dictionary || host::Failed(dictionary->Read(actions::kActionSetKey, text, exists))) {
    return {};
  }
  return text;
}

int ListActions(VaultHost& host, const Args& args, Console& console) {
  const Parsed parsed = Parse(args, {}, {"--json"});
  const std::wstring text = StoredText(host);
  Json json = text.empty() ? Json() : VaultSetToJson(HexToBytes(text), DefaultCodec());
  if (json.IsNull()) {
    json.Add("format", L"vault-set");
    json.Add("version", actions::kArchiveVersion);
    json.Add("actions", Json::Array());
  }
  if (parsed.Has("--json")) {
    console.out << json.Write();
    return kExitOk;
  }
  for (const Json& action : json.Find("actions")->AsArray("actions")) {
    if (action.Find("record")) {
      console.out << "(a record in an older form)\n";
      continue;
    }
    console.out << action.Find("id")->AsInteger("id") << "  "
                << Utf8(action.Find("name")->AsString("name"));
    for (const Json& kind : action.Find("activation")->AsArray("activation")) {
      if (kind.IsString()) console.out << "  [" << Utf8(kind.AsString("activation")) << "]";
    }
    console.out << "  " << action.Find("commands")->AsArray("commands").size() << " command(s)\n";
  }
  return kExitOk;
}

int List(VaultHost& host, const Args& args, Console& console) {
  if (args.size() > 1) throw UsageError("usage: vendrel ls [FOLDER]");
  const std::wstring path = host.VaultPath(args.empty() ? L"" : Wide(args[0]));
  const host::Ref<host::VaultFolder> folder = FindFolder(host, path);
  if (!folder) throw UsageError("no vault folder " + Utf8(path));
  std::vector<host::Ref<host::VaultFolder>> subFolders;
  std::vector<host::Ref<host::VaultFile>> files;
  folder->SubFolders(subFolders);
  folder->Files(files);
  console.out << Utf8(path) << "\n";
  for (const auto& sub : subFolders) {
    std::wstring name;
    sub->Name(name);
    console.out << "  " << Utf8(name) << "\\\n";
  }
  for (const auto& file : files) console.out << "  " << FileLine(StateOf(*file)) << "\n";
  return kExitOk;
}

int Show(VaultHost& host, const Args& args, Console& console) {
  if (args.size() != 1) throw UsageError("usage: vendrel show PATH");
  const FileRef f = FindFile(host, args[0]);
  console.out << Utf8(f.path) << " (file " << f.fileId << ")\n  " << FileLine(StateOf(*f.file))
              << "\n";
  std::wstring revision;
  if (host::Succeeded(f.file->CurrentRevision(revision)) && !revision.empty()) {
    console.out << "  revision " << Utf8(revision) << "\n";
  }
  std::vector<host::VersionInfo> history;
  f.file->VersionHistory(history);
  for (const host::VersionInfo& v : history) {
    console.out << "  version " << v.version << "  " << Utf8(v.user) << "  "
                << Utf8(sim::FormatDate(v.time));
    if (!v.comment.empty()) console.out << "  \"" << Utf8(v.comment) << "\"";
    console.out << "\n";
  }
  std::vector<std::wstring> configurations;
  if (host::Succeeded(f.file->Configurations(configurations)) && !configurations.empty()) {
    console.out << "  configurations:";
    for (const std::wstring& c : configurations) console.out << " " << Utf8(c);
    console.out << "\n";
  }
  host::Ref<host::VariableManager> manager;
  host::Ref<host::CardVariableSet> card;
  std::vector<host::CardVariableInfo> variables;
  if (host::Succeeded(host.Session().Variables(manager)) && manager &&
      host::Succeeded(manager->Variables(variables)) &&
      host::Succeeded(f.file->CardVariables(card)) && card) {
    for (const host::CardVariableInfo& variable : variables) {
      host::Value value;
      if (host::Failed(card->GetValue(variable.name, L"", value)) ||
          host::KindOf(value) == host::ValueKind::kEmpty) {
        continue;
      }
      console.out << "  " << Utf8(variable.name) << " = " << Utf8(commands::ValueToText(value))
                  << "\n";
    }
  }
  return kExitOk;
}

}  // namespace

int RunInit(const Args& args, Console& console) {
  const Parsed parsed = Parse(args, {"--root", "--user"});
  if (parsed.positional.size() != 1) {
    throw UsageError("usage: vendrel init DIR [--root C:\\Name] [--user NAME]...");
  }
  const fs::path folder = fs::absolute(parsed.positional[0]);
  if (fs::exists(DatabaseOf(folder))) throw UsageError("a vault exists in " + folder.string());
  std::vector<std::wstring> users;
  for (const auto& [key, value] : parsed.values) {
    if (key == "--user") users.push_back(Wide(value));
  }
  if (users.empty()) users.push_back(MachineServices::LoginName());
  const std::wstring name = folder.filename().wstring();
  const std::wstring root = Wide(parsed.Get("--root").value_or("C:\\" + Utf8(name)));
  CreateVault(folder, name, root, users);
  console.out << "created vault \"" << Utf8(name) << "\" with root " << Utf8(root) << " in "
              << folder.string() << "\nusers:";
  for (const std::wstring& user : users) console.out << " " << Utf8(user);
  console.out << "\nworkflow " << Utf8(kWorkflow) << ": Draft, Review, Released\n";
  return kExitOk;
}

int RunVaultCommand(const std::string& command, const Args& args, const Options& options,
                    Console& console) {
  static const char* const kCommands[] = {"add",    "checkout", "checkin",    "undo-checkout",
                                          "state",  "menu",     "registered", "import",
                                          "export", "actions",  "ls",         "show"};
  if (std::find(std::begin(kCommands), std::end(kCommands), command) == std::end(kCommands)) {
    throw UsageError("unknown command " + command + " (vendrel --help lists them)");
  }
  Session session(options, console);
  VaultHost& host = session.Host();
  if (command == "add") return AddFiles(host, args, options, console);
  if (command == "checkout" || command == "checkin" || command == "undo-checkout") {
    return CheckOutFamily(host, command, args, options, console);
  }
  if (command == "state") return ChangeState(host, args, options, console);
  if (command == "menu") return Menu(host, args, options, console);
  if (command == "registered") return Registered(host, options, console);
  if (command == "import") return Import(host, args, console);
  if (command == "export") return Export(host, args, console);
  if (command == "actions") return ListActions(host, args, console);
  if (command == "ls") return List(host, args, console);
  return Show(host, args, console);
}

}  // namespace vendrel::tools
