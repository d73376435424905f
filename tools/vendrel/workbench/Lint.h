// Checks of stored actions, ahead of any run, for what the runner or a user would trip over.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

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
  std::optional<std::vector<std::wstring>> cardVariables;
  std::optional<std::wstring> rootPath;
};

// The findings on a set in its JSON form, in the order of its actions and commands.
std::vector<Finding> Lint(const Json& set, const LintVault& vault);

bool HasErrors(std::span<const Finding> findings);
// error: "Back up" (102), command 3: jumps to the label "End", which the action lacks.
std::string FindingLine(const Finding& finding);
Json FindingsJson(std::span<const Finding> findings);

}  // namespace vendrel::tools
