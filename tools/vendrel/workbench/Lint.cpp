// Lint over loaded actions: each check in turn over each action, then those across actions.
#include "tools/vendrel/workbench/Lint.h"

#include <algorithm>

#include "commands/core/Cmd.h"
#include "commands/core/Fields.h"
#include "platform/CaseFold.h"
#include "platform/Utf8.h"
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

// The checks of one action, each adding the findings of its kind.
using ActionCheck = void (*)(const Subject&, const LintVault&, lint::Findings&);
constexpr ActionCheck kActionChecks[] = {
    lint::CheckActivation,     lint::CheckRunnerRefuses, lint::CheckDocumentLoops,
    lint::CheckConfigLoops,    lint::CheckLabels,        lint::CheckJumpTargets,
    lint::CheckEndlessJumps,   lint::CheckReferences,    lint::CheckLostAnswers,
    lint::CheckSelfReferences, lint::CheckCardWrites,
};

void CheckAction(const LintSubject& stored, const LintVault& vault, std::vector<Finding>& found) {
  const actions::Action& action = *stored.action;
  Subject subject{action, {}, stored.numbers};
  if (subject.numbers.empty()) {
    for (std::size_t i = 1; i <= action.commands.size(); ++i) subject.numbers.push_back(i);
  }
  for (const auto& command : action.commands) {
    CommandTexts texts;
    CommandTextsOf walk(texts);
    if (command) command->VisitFields(walk);
    subject.texts.push_back(std::move(texts));
  }
  lint::Findings findings(subject, found);
  for (const ActionCheck check : kActionChecks) check(subject, vault, findings);
}

void CheckMenuTexts(const std::vector<const actions::Action*>& loaded, std::vector<Finding>& out) {
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

}  // namespace

std::vector<Finding> Lint(std::span<const LintSubject> set, const LintVault& vault) {
  std::vector<Finding> out;
  std::vector<const actions::Action*> loaded;
  for (const LintSubject& stored : set) {
    std::vector<Finding> found = stored.found;
    if (stored.action) {
      CheckAction(stored, vault, found);
      loaded.push_back(stored.action.get());
    }
    std::stable_sort(found.begin(), found.end(),
                     [](const Finding& a, const Finding& b) { return a.command < b.command; });
    out.insert(out.end(), found.begin(), found.end());
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
