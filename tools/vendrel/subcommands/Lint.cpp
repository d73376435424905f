// `vendrel lint`: what the runner or a user would trip over in a set of actions.
#include <ostream>

#include "tools/vendrel/Command.h"
#include "tools/vendrel/workbench/ActionSets.h"
#include "tools/vendrel/workbench/Lint.h"

namespace vendrel::tools {

int RunLint(Call& call) {
  if (call.Arguments().size() > 1) throw call.Misused();
  const std::string source = call.Arguments().empty() ? "vault" : call.Arguments()[0];
  const std::vector<LintSubject> subjects = LoadLintSubjects(call, source);
  const LintVault vault = LintVaultOf(call);
  const std::vector<Finding> findings = Lint(subjects, vault);
  const int code = HasErrors(findings) ? kExitRefused : kExitOk;
  const char* note = vault.cardVariables ? nullptr
                                         : "card variables, workflow states and the vault's root "
                                           "were not checked: give --vault DIR to check them";
  if (call.Json()) {
    Json json = FindingsJson(findings);
    if (note) json["note"] = note;
    json["exit"] = code;
    call.Out() << WriteJson(json);
    return code;
  }
  for (const Finding& finding : findings) call.Out() << FindingLine(finding) << "\n";
  if (findings.empty())
    call.Out() << "checked " << subjects.size() << " action(s): nothing found\n";
  if (note) call.Out() << "note: " << note << "\n";
  return code;
}

}  // namespace vendrel::tools
