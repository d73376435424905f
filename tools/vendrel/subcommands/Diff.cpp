// `vendrel diff`: what changed between two sets of actions.
#include <ostream>

#include "tools/vendrel/Command.h"
#include "tools/vendrel/workbench/ActionSets.h"
#include "tools/vendrel/workbench/Diff.h"

namespace vendrel::tools {

int RunDiff(Call& call) {
  if (call.Arguments().size() != 2) throw call.Misused();
  const std::string& first = call.Arguments()[0];
  const std::string& second = call.Arguments()[1];
  const std::vector<ActionChange> changes =
      DiffSets(LoadSetJson(call, first), LoadSetJson(call, second));
  const int code = changes.empty() ? kExitOk : kExitRefused;
  if (call.Json()) {
    Json json = DiffJson(changes);
    json["exit"] = code;
    call.Out() << WriteJson(json);
  } else {
    call.Out() << DiffText(changes, first, second);
  }
  return code;
}

}  // namespace vendrel::tools
