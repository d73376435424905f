// Looking up the transcribed templates.
#include "tools/vendrel/DialogTable.h"

#include <string_view>

#include "platform/CaseFold.h"
#include "platform/Utf8.h"

namespace vendrel::tools {

const DialogTemplate* FindDialogTemplate(std::int32_t id) {
  for (const DialogTemplate& dialog : DialogTemplates()) {
    if (dialog.id == id) return &dialog;
  }
  return nullptr;
}

std::vector<const DialogTemplate*> FindDialogTemplates(const std::wstring& name) {
  std::vector<const DialogTemplate*> found;
  for (const DialogTemplate& dialog : DialogTemplates()) {
    if (platform::SameIgnoringCase(name, dialog.caption) || name == std::to_wstring(dialog.id))
      found.push_back(&dialog);
  }
  return found;
}

std::string DescribeControls(const DialogTemplate& dialog, const std::string& indent) {
  std::string out;
  for (const DialogControl& control : dialog.controls) {
    out += indent + std::to_string(control.id) + " " + control.kind;
    if (*control.text) out += " \"" + platform::ToUtf8(control.text) + "\"";
    out += '\n';
  }
  return out;
}

}  // namespace vendrel::tools
