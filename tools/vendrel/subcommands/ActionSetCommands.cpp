// The vault's stored actions: importing and exporting action files, listing the set.
#include <ostream>

#include "actions/ActionStore.h"
#include "actions/DiskFile.h"
#include "commands/core/CmdFactory.h"
#include "tools/vendrel/ActionJson.h"
#include "tools/vendrel/Command.h"
#include "tools/vendrel/Host.h"
#include "tools/vendrel/workbench/ActionSets.h"
#include "tools/vendrel/workbench/Lint.h"

namespace vendrel::tools {
namespace {

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

actions::ActionList ReadActionFile(const std::string& path) {
  actions::ActionList loaded;
  try {
    actions::DiskFile file(Wide(path), actions::DiskFile::Mode::kRead);
    actions::Archive archive(file, actions::Archive::Mode::kLoad);
    if (!actions::ReadActionFile(archive, loaded, commands::CreateCmd)) {
      throw UsageError(path + " is not an action file");
    }
  } catch (const actions::FileError& e) {
    throw UsageError(Utf8(e.Message()));
  } catch (const actions::ArchiveError&) {
    throw UsageError(path + " holds damaged or unknown actions");
  }
  return loaded;
}

}  // namespace

int RunImport(Call& call) {
  VaultHost& host = call.Host();
  if (call.Arguments().size() != 1) throw call.Misused();
  actions::ActionList loaded = ReadActionFile(call.Arguments()[0]);
  // The administrator sees what lint sees; the import goes ahead all the same.
  for (const Finding& finding : Lint(LoadLintSubjects(call, call.Arguments()[0]), LintVaultOf(call))) {
    call.Out() << FindingLine(finding) << "\n";
  }
  actions::ActionStore store = LoadStore(host);
  actions::ActionSet& set = store.Set();
  for (auto& action : loaded) {
    action->changedMark = true;
    action->actionId = ++set.highestId;
    call.Out() << "imported \"" << Utf8(action->name) << "\" as " << action->actionId << "\n";
    set.actions.push_back(std::move(action));
  }
  if (!store.Save(host.Session())) {
    call.Io().err << "vendrel: Error accessing database.\n";
    return kExitRefused;
  }
  return kExitOk;
}

int RunExport(Call& call) {
  VaultHost& host = call.Host();
  if (call.Arguments().size() != 1) throw call.Misused();
  const std::string& path = call.Arguments()[0];
  actions::ActionStore store = LoadStore(host);
  std::vector<const actions::Action*> list;
  for (const auto& action : store.Set().actions) {
    if (action) list.push_back(action.get());
  }
  try {
    actions::DiskFile file(Wide(path), actions::DiskFile::Mode::kCreate);
    actions::Archive archive(file, actions::Archive::Mode::kStore);
    actions::WriteActionFile(archive, list);
    file.Close();
  } catch (const actions::FileError& e) {
    throw UsageError(Utf8(e.Message()));
  }
  call.Out() << "exported " << list.size() << " action(s) to " << path << "\n";
  return kExitOk;
}

int RunListActions(Call& call) {
  const Json json = StoredSetJson(call.Host());
  std::ostream& out = call.Out();
  if (call.Json()) {
    out << WriteJson(json);
    return kExitOk;
  }
  for (const Json& action : json.at("actions")) {
    if (action.contains("record")) {
      out << "(a record in an older form)\n";
      continue;
    }
    out << action.at("id").get<std::int32_t>() << "  " << action.at("name").get<std::string>();
    for (const Json& kind : action.at("activation")) {
      if (kind.is_string()) out << "  [" << kind.get<std::string>() << "]";
    }
    out << "  " << action.at("commands").size() << " command(s)\n";
  }
  return kExitOk;
}

}  // namespace vendrel::tools
