// The dialogs the add-in can show, with the controls that answer steps address.
#include <algorithm>
#include <ostream>

#include "tools/vendrel/Command.h"
#include "tools/vendrel/DialogTable.h"
#include "tools/vendrel/Json.h"

namespace vendrel::tools {

int RunDialogs(Call& call) {
  const Args& args = call.Arguments();
  if (args.size() > 1) throw call.Misused();
  std::vector<const DialogTemplate*> dialogs;
  if (args.empty()) {
    for (const DialogTemplate& dialog : DialogTemplates()) dialogs.push_back(&dialog);
  } else {
    dialogs = FindDialogTemplates(Wide(args[0]));
    if (dialogs.empty())
      throw UsageError("no dialog " + args[0] + "; vendrel dialogs lists them all");
  }
  std::sort(dialogs.begin(), dialogs.end(),
            [](const auto* a, const auto* b) { return a->id < b->id; });
  if (call.Json()) {
    Json array = Json::array();
    for (const DialogTemplate* dialog : dialogs) {
      Json controls = Json::array();
      for (const DialogControl& control : dialog->controls) {
        controls.push_back({{"id", control.id}, {"kind", control.kind}, {"text", control.text}});
      }
      array.push_back(
          {{"id", dialog->id}, {"caption", dialog->caption}, {"controls", std::move(controls)}});
    }
    call.Out() << WriteJson(array);
    return kExitOk;
  }
  for (const DialogTemplate* dialog : dialogs) {
    call.Out() << dialog->id << " \"" << Utf8(dialog->caption) << "\"\n"
               << DescribeControls(*dialog, "  ");
  }
  return kExitOk;
}

}  // namespace vendrel::tools
