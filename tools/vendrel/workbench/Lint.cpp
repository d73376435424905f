// Lint over a set in its JSON form: each action is loaded through the archive and the command
// factory exactly as the add-in loads it, then checked.
#include "tools/vendrel/workbench/Lint.h"

#include <algorithm>
#include <memory>

#include "actions/ActionArchive.h"
#include "actions/Archive.h"
#include "actions/HexStringFile.h"
#include "commands/core/Cmd.h"
#include "commands/core/CmdFactory.h"
#include "platform/CaseFold.h"
#include "platform/Utf8.h"
#include "tools/vendrel/ActionJson.h"
#include "tools/vendrel/workbench/LintChecks.h"

namespace vendrel::tools {
namespace {

using lint::CommandTexts;
using lint::Subject;

// What a command expands and sets, from its own field walk.
class CommandTextsOf final : public commands::FieldVisitor {
 public:
  explicit CommandTextsOf(CommandTexts& texts) : texts_(texts) {}
  void Int32(const char*, std::int32_t&) override {}
  void Bool(const char*, bool&) override {}
  void Text(const char*, std::wstring& value, commands::TextUse use) override {
    if (use == commands::TextUse::kExpanded) texts_.expanded.push_back(value);
    if (use == commands::TextUse::kSetsVariable) texts_.sets = value;
  }
  void TextList(const char*, std::vector<std::wstring>& values, commands::TextUse use) override {
    if (use != commands::TextUse::kExpanded) return;
    texts_.expanded.insert(texts_.expanded.end(), values.begin(), values.end());
  }

 private:
  CommandTexts& texts_;
};

Json ActionFile(std::int32_t version, Json action) {
  return {{"format", "action-file"},
          {"version", version},
          {"actions", Json::array({std::move(action)})}};
}

std::unique_ptr<actions::Action> Load(const Json& action, std::int32_t version) {
  actions::HexStringFile hex;
  hex.FromText(BytesToHex(JsonToBytes(ActionFile(version, action), DefaultCodec())));
  actions::Archive archive(hex, actions::Archive::Mode::kLoad);
  actions::ActionList loaded;
  actions::ReadActionFile(archive, loaded, commands::CreateCmd);
  if (loaded.size() != 1) throw JsonError("the action does not read back");
  return std::move(loaded.front());
}

// Drops the commands this build cannot make, with a finding each, so the rest still loads.
Json WithoutUnknownKinds(const Json& action, std::vector<std::size_t>& numbers,
                         std::vector<Finding>& out, const Finding& where) {
  if (!action.contains("commands")) return action;
  Json kept = Json::array();
  std::size_t number = 0;
  for (const Json& command : AsList(action.at("commands"), "commands")) {
    ++number;
    const std::int32_t type = AsInt32(command.at("type"), "type");
    if (commands::CreateCmd(type, nullptr)) {
      kept.push_back(command);
      numbers.push_back(number);
      continue;
    }
    Finding finding = where;
    finding.command = number;
    finding.severity = Severity::kError;
    finding.message = L"is of kind " + std::to_wstring(type) +
                      L", which this build cannot make, so the add-in cannot load the set";
    out.push_back(std::move(finding));
  }
  Json copy = action;
  copy["commands"] = std::move(kept);
  return copy;
}

void CheckMenuTexts(const std::vector<std::unique_ptr<actions::Action>>& loaded,
                    std::vector<Finding>& out) {
  for (std::size_t i = 0; i < loaded.size(); ++i) {
    const actions::Action& a = *loaded[i];
    if ((a.activationKinds & actions::kActivateByMenu) == 0) continue;
    for (std::size_t j = 0; j < i; ++j) {
      const actions::Action& b = *loaded[j];
      if ((b.activationKinds & actions::kActivateByMenu) == 0) continue;
      if (!platform::SameIgnoringCase(a.menuText, b.menuText)) continue;
      out.push_back({a.actionId, a.name, 0, Severity::kWarning,
                     L"has the menu text " + lint::Quoted(a.menuText) + L" of the action " +
                         lint::Quoted(b.name) + L", so the menu shows two commands alike"});
      break;
    }
  }
}

// The findings on one stored action, in command order; the action as loaded, if it loads.
std::unique_ptr<actions::Action> CheckAction(const Json& stored, std::int32_t layout,
                                             const LintVault& vault, std::vector<Finding>& out) {
  Finding where;
  if (stored.contains("id")) where.actionId = AsInt32(stored.at("id"), "id");
  if (stored.contains("name")) where.actionName = AsText(stored.at("name"), "name");
  std::vector<std::size_t> numbers;
  std::vector<Finding> found;
  std::unique_ptr<actions::Action> action;
  try {
    action = Load(WithoutUnknownKinds(stored, numbers, found, where), layout);
  } catch (const std::exception& e) {
    where.severity = Severity::kError;
    where.message = L"cannot be read: " + platform::FromUtf8(e.what());
    found.push_back(std::move(where));
  }
  if (action) {
    if (numbers.empty()) {
      for (std::size_t i = 1; i <= action->commands.size(); ++i) numbers.push_back(i);
    }
    Subject subject{*action, {}, std::move(numbers)};
    for (const auto& command : action->commands) {
      CommandTexts texts;
      CommandTextsOf walk(texts);
      if (command) command->VisitFields(walk);
      subject.texts.push_back(std::move(texts));
    }
    lint::Findings findings(subject, found);
    lint::CheckActivation(subject, vault, findings);
    lint::CheckBlocks(subject, findings);
    lint::CheckJumps(subject, findings);
    lint::CheckVariables(subject, vault, findings);
  }
  std::stable_sort(found.begin(), found.end(),
                   [](const Finding& a, const Finding& b) { return a.command < b.command; });
  out.insert(out.end(), found.begin(), found.end());
  return action;
}

}  // namespace

std::vector<Finding> Lint(const Json& set, const LintVault& vault) {
  const std::int32_t layout =
      set.contains("version") ? AsInt32(set.at("version"), "version") : actions::kArchiveVersion;
  std::vector<Finding> out;
  std::vector<std::unique_ptr<actions::Action>> loaded;
  if (set.contains("actions")) {
    for (const Json& stored : AsList(set.at("actions"), "actions")) {
      if (auto action = CheckAction(stored, layout, vault, out))
        loaded.push_back(std::move(action));
    }
  }
  CheckMenuTexts(loaded, out);
  return out;
}

bool HasErrors(std::span<const Finding> findings) {
  return std::any_of(findings.begin(), findings.end(),
                     [](const Finding& f) { return f.severity == Severity::kError; });
}

std::string FindingLine(const Finding& f) {
  std::wstring line = f.severity == Severity::kError ? L"error: " : L"warning: ";
  line += lint::Quoted(f.actionName) + L" (" + std::to_wstring(f.actionId) + L")";
  if (f.command > 0) line += L", command " + std::to_wstring(f.command);
  return platform::ToUtf8(line + L": " + f.message + L".");
}

Json FindingsJson(std::span<const Finding> findings) {
  Json list = Json::array();
  std::int32_t errors = 0;
  for (const Finding& f : findings) {
    list.push_back({{"action", f.actionId},
                    {"name", f.actionName},
                    {"command", f.command},
                    {"severity", f.severity == Severity::kError ? "error" : "warning"},
                    {"message", f.message}});
    if (f.severity == Severity::kError) ++errors;
  }
  return {{"findings", std::move(list)},
          {"errors", errors},
          {"warnings", static_cast<std::int32_t>(findings.size()) - errors}};
}

}  // namespace vendrel::tools
