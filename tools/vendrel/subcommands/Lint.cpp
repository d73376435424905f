// `vendrel lint`: what the runner or a user would trip over in a set of actions.
#include <ostream>

#include "tools/vendrel/Command.h"
#include "tools/vendrel/workbench/ActionSets.h"
#include "tools/vendrel/workbench/Lint.h"

namespace vendrel::tools {

int RunLint(Call& call) {
  if (call.Arguments().size() > 1) throw call.Misused();
  const std::string source = call.Arguments().empty() ? "vault" : call.Arguments()[0];
  const std::vector<Finding> findings = Lint(LoadLintSubjects(call, source), LintVaultOf(call));
  if (call.Json()) {
    call.Out() << WriteJson(FindingsJson(findings));
  } else {
    for (const Finding& finding : findings) call.Out() << FindingLine(finding) << "\n";
  }
  return HasErrors(findings) ? kExitRefused : kExitOk;
}

}  // namespace vendrel::tools
