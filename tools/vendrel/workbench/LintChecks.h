// The checks of lint, each over one action as the runner would load it.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "actions/Action.h"
#include "tools/vendrel/workbench/Lint.h"

namespace vendrel::tools::lint {

// What a command reads and writes by name: the texts it expands when it runs, and the runtime
// variable it sets (the prompts').
struct CommandTexts {
  std::vector<std::wstring> expanded;
  std::wstring sets;
};

// One action: loaded through the archive as the add-in loads it, with its commands' texts.
// `numbers` gives each loaded command's number in the stored list, which may hold commands of
// kinds this build cannot make.
struct Subject {
  const actions::Action& action;
  std::vector<CommandTexts> texts;
  std::vector<std::size_t> numbers;
};

class Findings {
 public:
  Findings(const Subject& subject, std::vector<Finding>& out) : subject_(subject), out_(out) {}
  // `index` in the loaded list; none for the whole action.
  void Add(Severity severity, std::wstring message);
  void Add(Severity severity, std::size_t index, std::wstring message);

 private:
  const Subject& subject_;
  std::vector<Finding>& out_;
};

std::wstring Quoted(const std::wstring& text);

// One check per kind of finding, each over one action.
void CheckActivation(const Subject& subject, const LintVault& vault, Findings& findings);
void CheckRunnerRefuses(const Subject& subject, const LintVault& vault, Findings& findings);
void CheckDocumentLoops(const Subject& subject, const LintVault& vault, Findings& findings);
void CheckConfigLoops(const Subject& subject, const LintVault& vault, Findings& findings);
void CheckLabels(const Subject& subject, const LintVault& vault, Findings& findings);
void CheckJumpTargets(const Subject& subject, const LintVault& vault, Findings& findings);
void CheckEndlessJumps(const Subject& subject, const LintVault& vault, Findings& findings);
void CheckReferences(const Subject& subject, const LintVault& vault, Findings& findings);
void CheckLostAnswers(const Subject& subject, const LintVault& vault, Findings& findings);
void CheckSelfReferences(const Subject& subject, const LintVault& vault, Findings& findings);
void CheckCardWrites(const Subject& subject, const LintVault& vault, Findings& findings);

}  // namespace vendrel::tools::lint
