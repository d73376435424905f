// Checks of stored actions, ahead of any run, for what the runner or a user would trip over.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "actions/Action.h"
#include "actions/ActionArchive.h"
#include "host/Vault.h"
#include "tools/vendrel/Json.h"

namespace vendrel::tools {

enum class Severity { kError, kWarning };

struct Finding {
  std::int32_t actionId = 0;
  std::wstring actionName;
  std::size_t command = 0;  // its number in the action's list, from 1; 0 for the whole action
  Severity severity = Severity::kWarning;
  std::wstring message;  // one sentence
};

// What is known of the vault the actions are meant for; what is not known is not checked.
struct LintVault {
  std::optional<std::vector<host::CardVariableInfo>> cardVariables;
  std::optional<std::wstring> rootPath;
  std::optional<std::vector<std::int32_t>> stateIds;  // of every workflow
};

// One stored action as the add-in would load it, or what kept it from loading.
struct LintSubject {
  std::unique_ptr<actions::Action> action;  // null when it does not load
  // Each loaded command's number in the stored list, which may hold commands of kinds this build
  // cannot make; empty when they are numbered 1, 2, ...
  std::vector<std::size_t> numbers;
  std::vector<Finding> found;  // what reading it found already
};

// The findings on a set, in the order of its actions and commands.
std::vector<Finding> Lint(std::span<const LintSubject> set, const LintVault& vault);

// The input adapters: actions read from an action file or the vault, and actions in their JSON
// form, whose commands of kinds this build cannot make are left out with a finding each.
std::vector<LintSubject> LintSubjects(actions::ActionList loaded);
std::vector<LintSubject> LintSubjectsOfJson(const Json& set);

bool HasErrors(std::span<const Finding> findings);
// error: "Back up" (102), command 3: jumps to the label "End", which the action lacks.
std::string FindingLine(const Finding& finding);
Json FindingsJson(std::span<const Finding> findings);

}  // namespace vendrel::tools
