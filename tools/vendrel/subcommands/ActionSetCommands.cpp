// The vault's stored actions: importing and exporting action files, listing the set.
#include <algorithm>
#include <ostream>
#include <set>

#include "actions/ActionStore.h"
#include "actions/DiskFile.h"
#include "actions/HexStringFile.h"
#include "commands/core/CmdFactory.h"
#include "tools/vendrel/ActionJson.h"
#include "tools/vendrel/Command.h"
#include "tools/vendrel/Host.h"
#include "tools/vendrel/workbench/ActionSets.h"
#include "tools/vendrel/workbench/Diff.h"
#include "tools/vendrel/workbench/Lint.h"

namespace vendrel::tools {
namespace {

// The vault's stored actions, loaded under the lock to be saved again; a vault with none yet
// gives an empty store, one whose stored set cannot be read or locked stops the command before
// anything is written.
actions::ActionStore LoadStore(VaultHost& host) {
  platform::Services& s = host.Services();
  actions::ActionStore store(*s.waitCursor, *s.clock, *s.messageBoxes, commands::CreateCmd);
  store.Load(host.Session());
  if (store.LastLoad() == actions::ActionStore::Stored::kUnreadable ||
      store.LastLoad() == actions::ActionStore::Stored::kNotRead) {
    // Read again without the lock, then ask for the lock once: what they find tells the set,
    // the lock and the vault's disk apart.
    actions::ActionSet set;
    const std::optional<Unreadable> why = ReadStoredSet(host, set);
    throw UsageError(UnreadableText(why ? *why : LockFailure(host), "nothing was changed"));
  }
  return store;
}

// The actions of an action file, or of the JSON form of one or of a stored set.
actions::ActionList ReadActions(Call& call, const std::string& path) {
  const Json json = LoadSetJson(call, path);
  actions::HexStringFile file;
  try {
    const Bytes bytes = JsonToBytes(json, DefaultCodec());
    file.Write(bytes.data(), bytes.size());
    file.Seek(0, actions::File::Origin::kBegin);
    actions::Archive archive(file, actions::Archive::Mode::kLoad);
    if (json.at("format") == "vault-set") {
      actions::ActionSet set;
      actions::ReadActionSet(archive, set, commands::CreateCmd);
      return std::move(set.actions);
    }
    actions::ActionList list;
    actions::ReadActionFile(archive, list, commands::CreateCmd);
    return list;
  } catch (const JsonError& e) {
    throw UsageError(path + " holds actions that cannot be stored: " + e.what());
  } catch (const actions::ArchiveError&) {
    throw UsageError(path + " holds damaged or unknown actions");
  }
}

// Ids that actions keep, and new ones above every id in use.
class Ids {
 public:
  explicit Ids(actions::ActionSet& set) : set_(set) {}
  void Take(std::int32_t id) {
    taken_.insert(id);
    set_.highestId = std::max(set_.highestId, id);
  }
  // The action's own id when it is a valid one nobody has, else a new one.
  std::int32_t For(const actions::Action& action) {
    std::int32_t id = action.actionId;
    if (id <= actions::kNoActionId || taken_.contains(id)) {
      while (taken_.contains(++set_.highestId)) {
      }
      id = set_.highestId;
    }
    Take(id);
    return id;
  }

 private:
  actions::ActionSet& set_;
  std::set<std::int32_t> taken_;
};

// What an import did to one action.
struct Imported {
  enum class Kind { kImported, kUpdated, kRemoved };
  Kind kind;
  std::int32_t id;
  std::wstring name;

  Imported(Kind kind, const actions::Action& action)
      : kind(kind), id(action.actionId), name(action.name) {}

  const char* Verb() const {
    static constexpr const char* kVerbs[] = {"imported", "updated", "removed"};
    return kVerbs[static_cast<int>(kind)];
  }
  // imported "Guard" as 102, updated "Guard" (102), removed "Guard" (102)
  std::string Line() const {
    const std::string number = std::to_string(id);
    return std::string(Verb()) + " \"" + Utf8(name) + "\"" +
           (kind == Kind::kImported ? " as " + number : " (" + number + ")");
  }
  Json ToJson() const { return {{"change", Verb()}, {"id", id}, {"name", name}}; }
};
using Imports = std::vector<Imported>;

// --update: a stored action of the same id, else of the same name, is replaced and keeps its id;
// the others are added.
void Update(actions::ActionSet& set, actions::ActionList& loaded, Imports& lines) {
  Ids ids(set);
  for (const auto& stored : set.actions) ids.Take(stored->actionId);
  std::set<const actions::Action*> replaced;
  std::vector<std::unique_ptr<actions::Action>> added;
  for (auto& action : loaded) {
    const auto same = [&](auto matches) {
      return std::find_if(set.actions.begin(), set.actions.end(), [&](const auto& stored) {
        return !replaced.contains(stored.get()) && matches(*stored);
      });
    };
    auto match = same([&](const actions::Action& s) { return s.actionId == action->actionId; });
    if (match == set.actions.end())
      match = same([&](const actions::Action& s) { return s.name == action->name; });
    action->changedMark = true;
    if (match == set.actions.end()) {
      added.push_back(std::move(action));
      continue;
    }
    action->actionId = (*match)->actionId;
    lines.emplace_back(Imported::Kind::kUpdated, *action);
    *match = std::move(action);
    replaced.insert(match->get());
  }
  for (auto& action : added) {
    action->actionId = ids.For(*action);
    lines.emplace_back(Imported::Kind::kImported, *action);
    set.actions.push_back(std::move(action));
  }
}

// --replace: the loaded actions become the set, with their own ids where they can.
void Replace(actions::ActionSet& set, actions::ActionList& loaded, Imports& lines) {
  actions::ActionList old = std::move(set.actions);
  set.actions.clear();
  Ids ids(set);
  for (auto& action : loaded) {
    action->changedMark = true;
    action->actionId = ids.For(*action);
    lines.emplace_back(Imported::Kind::kImported, *action);
    set.actions.push_back(std::move(action));
  }
  for (const auto& gone : old) {
    const bool kept = std::any_of(set.actions.begin(), set.actions.end(),
                                  [&](const auto& a) { return a->actionId == gone->actionId; });
    if (!kept) lines.emplace_back(Imported::Kind::kRemoved, *gone);
  }
}

void Append(actions::ActionSet& set, actions::ActionList& loaded, Imports& lines) {
  for (auto& action : loaded) {
    action->changedMark = true;
    action->actionId = ++set.highestId;
    lines.emplace_back(Imported::Kind::kImported, *action);
    set.actions.push_back(std::move(action));
  }
}

}  // namespace

int RunImport(Call& call) {
  if (call.Arguments().size() != 1) throw call.Misused();
  const Given& given = call.Opt();
  if (given.update && given.replace) throw UsageError("give --update or --replace, not both");
  const std::string& path = call.Arguments()[0];
  actions::ActionList loaded = ReadActions(call, path);
  if (loaded.empty() && !given.replace)
    throw UsageError(path + " holds no actions; give a file with some");
  VaultHost& host = call.Host();
  actions::ActionStore store = LoadStore(host);
  actions::ActionSet& set = store.Set();
  std::erase(set.actions, nullptr);
  const Json before = ActionsJson(set.actions);
  Imports lines;
  if (given.update)
    Update(set, loaded, lines);
  else if (given.replace)
    Replace(set, loaded, lines);
  else
    Append(set, loaded, lines);
  const Json after = ActionsJson(set.actions);
  // The administrator sees what lint sees in the set the vault is to hold; the import goes
  // ahead all the same.
  const std::vector<Finding> findings = Lint(LintSubjectsOfJson(after), LintVaultOf(call));
  std::optional<std::vector<ActionChange>> wouldChange;
  if (call.DryRun()) {
    wouldChange = DiffSets(before, after);
  } else if (!store.Save(host.Session())) {
    throw UsageError(UnsavedText(host, "nothing was changed"));
  }
  std::ostream& out = call.Out();
  if (call.Json()) {
    Json json = {{"actions", Json::array()}, {"lint", FindingsJson(findings)}};
    for (const Imported& line : lines) json["actions"].push_back(line.ToJson());
    if (wouldChange) json["dryRun"] = DiffJson(*wouldChange);
    json["exit"] = kExitOk;
    out << WriteJson(json);
    return kExitOk;
  }
  for (const Finding& finding : findings) out << FindingLine(finding) << "\n";
  if (wouldChange) {
    out << (wouldChange->empty() ? "dry run: the stored set would stay as it is\n"
                                 : DiffText(*wouldChange, "vault", "vault with " + path));
    return kExitOk;
  }
  for (const Imported& line : lines) out << line.Line() << "\n";
  return kExitOk;
}

int RunExport(Call& call) {
  VaultHost& host = call.Reader();
  if (call.Arguments().size() != 1) throw call.Misused();
  const std::string& path = call.Arguments()[0];
  actions::ActionSet set;
  if (const auto why = ReadStoredSet(host, set)) {
    throw UsageError(UnreadableText(*why, "nothing was exported"));
  }
  std::vector<const actions::Action*> list;
  for (const auto& action : set.actions) {
    if (action) list.push_back(action.get());
  }
  try {
    actions::DiskFile file(Wide(path), actions::DiskFile::Mode::kReplace);
    actions::Archive archive(file, actions::Archive::Mode::kStore);
    actions::WriteActionFile(archive, list);
    file.Close();
  } catch (const actions::FileError& e) {
    throw UsageError(Utf8(e.Message()));
  }
  if (call.Json()) {
    call.Out() << WriteJson({{"file", path}, {"actions", list.size()}, {"exit", kExitOk}});
  } else {
    call.Out() << "exported " << list.size() << " action(s) to " << path << "\n";
  }
  return kExitOk;
}

int RunListActions(Call& call) {
  const Json json = StoredSetJson(call.Reader());
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
