// Lint's checks of the run's course: blocks, labels and jumps, and when an action runs at all.
#include <algorithm>
#include <map>

#include "actions/ActionData.h"
#include "actions/Runner.h"
#include "commands/core/CJumpDlg.h"
#include "commands/core/CmdFactory.h"
#include "commands/core/CmdJump.h"
#include "commands/core/CommandList.h"
#include "platform/CaseFold.h"
#include "tools/vendrel/workbench/LintChecks.h"

namespace vendrel::tools::lint {
namespace {

using commands::JumpCondition;

// Keeps the runner's message instead of showing it.
class KeptMessage final : public platform::MessageBoxes {
 public:
  platform::Answer Show(const platform::MessageBoxRequest& request) override {
    text = request.text;
    return platform::Answer::kOk;
  }
  std::wstring text;
};

std::wstring OneLine(std::wstring text) {
  for (std::size_t at = text.find(L'\n'); at != std::wstring::npos; at = text.find(L'\n')) {
    const std::size_t end = text.find_first_not_of(L" \n", at);
    text.replace(at, end == std::wstring::npos ? text.size() - at : end - at, L" ");
  }
  while (!text.empty() && (text.back() == L'.' || text.back() == L' ')) text.pop_back();
  return text;
}

std::int32_t TypeAt(const Subject& subject, std::size_t index) {
  const auto& command = subject.action.commands[index];
  return command ? command->TypeId() : -1;
}

const JumpCondition* JumpAt(const Subject& subject, std::size_t index) {
  if (TypeAt(subject, index) != commands::kJumpType) return nullptr;
  const auto* jump = dynamic_cast<const commands::CmdJump*>(subject.action.commands[index].get());
  return jump ? &jump->Condition() : nullptr;
}

// An end before its start, per kind of block; starts left open at the end of the list.
void CheckPairs(const Subject& subject, Findings& findings, std::int32_t start, std::int32_t end,
                bool documents) {
  std::vector<std::size_t> open;
  for (std::size_t i = 0; i < subject.action.commands.size(); ++i) {
    if (TypeAt(subject, i) == start) open.push_back(i);
    if (TypeAt(subject, i) != end) continue;
    if (!open.empty()) {
      open.pop_back();
    } else if (documents) {
      findings.Add(Severity::kError, i, L"ends a document loop that has not started");
    } else {
      findings.Add(Severity::kWarning, i,
                   L"ends a configuration loop that has not started; the run goes on after it");
    }
  }
  if (documents) return;  // the runner's check covers the document loops left open
  for (const std::size_t i : open) {
    findings.Add(Severity::kWarning, i,
                 L"starts a configuration loop that never ends, so the run ends after its last "
                 L"pass");
  }
}

// The label a jump at `from` reaches, found as the jump finds it when it runs.
std::optional<std::size_t> Target(const Subject& subject, std::size_t from,
                                  const std::wstring& label) {
  return commands::FindLabel(subject.action, (from + 1) % subject.action.commands.size(), label);
}

// Whether a command between a label and the jump back to it may leave that loop: a jump on a
// condition, or a loop command, whose end skips elsewhere.
bool MayLeave(const Subject& subject, std::size_t index) {
  switch (TypeAt(subject, index)) {
    case commands::kAllDocumentsType:
    case commands::kEndAllDocumentsType:
    case commands::kAllConfigsType:
    case commands::kEndAllConfigsType:
      return true;
    default: {
      const JumpCondition* jump = JumpAt(subject, index);
      return jump && jump->op != JumpCondition::kAlways && jump->op != JumpCondition::kNotChosen;
    }
  }
}

bool CanMatch(const std::wstring& pattern, const std::optional<std::wstring>& root) {
  if (pattern.empty() || pattern.front() == L'%') return true;
  if (!root) return pattern.front() == L'\\' || (pattern.size() > 1 && pattern[1] == L':');
  const std::wstring_view rest = platform::StartsWithIgnoringCase(pattern, *root)
                                     ? std::wstring_view(pattern).substr(root->size())
                                     : std::wstring_view(pattern);
  return rest.empty() || rest.front() == L'\\' || rest.front() == L'%';
}

}  // namespace

std::wstring Quoted(const std::wstring& text) {
  return L"\"" + text + L"\"";
}

void Findings::Add(Severity severity, std::wstring message) {
  out_.push_back({subject_.action.actionId, subject_.action.name, 0, severity, std::move(message)});
}

void Findings::Add(Severity severity, std::size_t index, std::wstring message) {
  out_.push_back({subject_.action.actionId, subject_.action.name, subject_.numbers.at(index),
                  severity, std::move(message)});
}

void CheckRunnerRefuses(const Subject& subject, const LintVault&, Findings& findings) {
  KeptMessage message;
  platform::Services services;
  services.messageBoxes = &message;
  actions::DocumentLists lists;
  const actions::ActionData run(0, {}, lists, &services);
  if (!actions::BlockCheck(subject.action, run)) {
    findings.Add(Severity::kError, L"the runner refuses to start it: " + OneLine(message.text));
  }
}

void CheckDocumentLoops(const Subject& subject, const LintVault&, Findings& findings) {
  CheckPairs(subject, findings, commands::kAllDocumentsType, commands::kEndAllDocumentsType, true);
}

void CheckConfigLoops(const Subject& subject, const LintVault&, Findings& findings) {
  CheckPairs(subject, findings, commands::kAllConfigsType, commands::kEndAllConfigsType, false);
}

void CheckLabels(const Subject& subject, const LintVault&, Findings& findings) {
  std::map<std::wstring, std::size_t> labels;
  for (std::size_t i = 0; i < subject.action.commands.size(); ++i) {
    if (TypeAt(subject, i) != commands::kLabelType) continue;
    const std::wstring name = subject.action.commands[i]->Summary();
    if (!labels.emplace(name, i).second) {
      findings.Add(Severity::kWarning, i,
                   L"defines the label " + Quoted(name) +
                       L" a second time; a jump reaches whichever comes first after it");
    }
  }
  for (std::size_t i = 0; i < subject.action.commands.size(); ++i) {
    const JumpCondition* jump = JumpAt(subject, i);
    if (jump && jump->op != JumpCondition::kNotChosen) labels.erase(jump->label);
  }
  for (const auto& [name, index] : labels) {
    findings.Add(Severity::kWarning, index,
                 L"defines the label " + Quoted(name) + L", to which no command jumps");
  }
}

void CheckJumpTargets(const Subject& subject, const LintVault&, Findings& findings) {
  for (std::size_t i = 0; i < subject.action.commands.size(); ++i) {
    const JumpCondition* jump = JumpAt(subject, i);
    if (!jump || jump->op == JumpCondition::kNotChosen || Target(subject, i, jump->label)) continue;
    findings.Add(
        Severity::kError, i,
        L"jumps to the label " + Quoted(jump->label) + L", which the action does not define");
  }
}

void CheckEndlessJumps(const Subject& subject, const LintVault&, Findings& findings) {
  for (std::size_t i = 0; i < subject.action.commands.size(); ++i) {
    const JumpCondition* jump = JumpAt(subject, i);
    if (!jump || jump->op != JumpCondition::kAlways) continue;
    const std::optional<std::size_t> target = Target(subject, i, jump->label);
    if (!target || *target > i) continue;
    bool leaves = false;
    for (std::size_t k = *target + 1; k < i && !leaves; ++k) leaves = MayLeave(subject, k);
    if (!leaves) {
      findings.Add(Severity::kError, i,
                   L"always jumps back to the label " + Quoted(jump->label) +
                       L" and nothing between leaves that loop, so the run never ends");
    }
  }
}

void CheckActivation(const Subject& subject, const LintVault& vault, Findings& findings) {
  const actions::Action& a = subject.action;
  if (a.activationKinds == 0) {
    findings.Add(Severity::kWarning, L"has no activation, so it never runs");
    return;
  }
  const struct {
    std::int32_t kind;
    const std::wstring& pattern;
    const wchar_t* name;
  } patterns[] = {{actions::kActivateOnStateChange, a.stateChangePath, L"state-change"},
                  {actions::kActivateOnCheckOut, a.checkOutPath, L"check-out"},
                  {actions::kActivateOnAdd, a.addPath, L"add"}};
  if ((a.activationKinds & actions::kActivateByMenu) != 0 && a.menuText.empty()) {
    findings.Add(Severity::kWarning,
                 L"runs from the menu but has an empty menu text, so its command has no name");
  }
  if ((a.activationKinds & actions::kActivateOnStateChange) != 0 && vault.stateIds &&
      std::find(vault.stateIds->begin(), vault.stateIds->end(), a.stateId) ==
          vault.stateIds->end()) {
    findings.Add(Severity::kWarning, L"runs on the change to the state of id " +
                                         std::to_wstring(a.stateId) +
                                         L", which the vault does not have, so it never runs");
  }
  for (const auto& p : patterns) {
    if ((a.activationKinds & p.kind) == 0 || CanMatch(p.pattern, vault.rootPath)) continue;
    findings.Add(Severity::kWarning,
                 std::wstring(L"has the ") + p.name + L" path pattern " + Quoted(p.pattern) +
                     L", which never matches: it starts neither with % nor with " +
                     (vault.rootPath ? L"the vault's root " + *vault.rootPath
                                     : std::wstring(L"a drive, a share or a backslash")));
  }
}

}  // namespace vendrel::tools::lint
