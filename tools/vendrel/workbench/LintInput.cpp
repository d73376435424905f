// Lint's input adapters: actions already read from an action file or the vault, and actions in
// their JSON form, read through the archive and the command factory as the add-in reads them.
#include "actions/ActionArchive.h"
#include "actions/Archive.h"
#include "actions/HexStringFile.h"
#include "commands/core/CmdFactory.h"
#include "platform/Utf8.h"
#include "tools/vendrel/ActionJson.h"
#include "tools/vendrel/workbench/Lint.h"

namespace vendrel::tools {
namespace {

std::unique_ptr<actions::Action> Load(const Json& action, std::int32_t version,
                                      const std::string& where) {
  actions::HexStringFile hex;
  hex.FromText(BytesToHex(ActionFileOf(action, version, DefaultCodec(), where)));
  actions::Archive archive(hex, actions::Archive::Mode::kLoad);
  actions::ActionList loaded;
  actions::ReadActionFile(archive, loaded, commands::CreateCmd);
  if (loaded.size() != 1) throw JsonError("the action does not read back");
  return std::move(loaded.front());
}

// Drops the commands this build cannot make, with a finding each, so the rest still loads.
Json WithoutUnknownKinds(const Json& action, LintSubject& subject, const Finding& where) {
  if (!action.contains("commands")) return action;
  Json kept = Json::array();
  std::size_t number = 0;
  for (const Json& command : AsList(action.at("commands"), "commands")) {
    ++number;
    const std::int32_t type = AsInt32(command.at("type"), "type");
    if (commands::CreateCmd(type, nullptr)) {
      kept.push_back(command);
      subject.numbers.push_back(number);
      continue;
    }
    Finding finding = where;
    finding.command = number;
    finding.severity = Severity::kError;
    finding.message = L"is of kind " + std::to_wstring(type) +
                      L", which this build cannot make, so the add-in cannot load the set";
    subject.found.push_back(std::move(finding));
  }
  Json copy = action;
  copy["commands"] = std::move(kept);
  return copy;
}

LintSubject SubjectOfJson(const Json& stored, std::int32_t version, const std::string& place) {
  LintSubject subject;
  Finding where;
  if (stored.contains("id")) where.actionId = AsInt32(stored.at("id"), "id");
  if (stored.contains("name")) where.actionName = AsText(stored.at("name"), "name");
  try {
    subject.action = Load(WithoutUnknownKinds(stored, subject, where), version, place);
  } catch (const std::exception& e) {
    where.severity = Severity::kError;
    where.message = L"cannot be read: " + platform::FromUtf8(e.what());
    subject.found.push_back(std::move(where));
  }
  return subject;
}

}  // namespace

std::vector<LintSubject> LintSubjects(actions::ActionList loaded) {
  std::vector<LintSubject> subjects;
  for (auto& action : loaded) subjects.push_back({std::move(action), {}, {}});
  return subjects;
}

std::vector<LintSubject> LintSubjectsOfJson(const Json& set) {
  const std::int32_t version =
      set.contains("version") ? AsInt32(set.at("version"), "version") : actions::kArchiveVersion;
  std::vector<LintSubject> subjects;
  if (set.contains("actions")) {
    const Json& stored = AsList(set.at("actions"), "actions");
    for (std::size_t i = 0; i < stored.size(); ++i) {
      subjects.push_back(SubjectOfJson(stored[i], version, ItemPlace("actions", i)));
    }
  }
  return subjects;
}

}  // namespace vendrel::tools
