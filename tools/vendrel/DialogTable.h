// The dialogs the add-in can show and their controls, transcribed at build time from the
// templates of resources/*.rc (cmake/DialogTable.cmake), so that the reference host names a
// dialog by its caption and tells which controls answer steps can address.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace vendrel::tools {

struct DialogControl {
  std::int32_t id;
  const char* kind;  // "button", "edit", "drop-down list"...
  const wchar_t* text;
};

struct DialogTemplate {
  std::int32_t id;
  const wchar_t* caption;
  std::span<const DialogControl> controls;
};

// In the order of the template files.
std::span<const DialogTemplate> DialogTemplates();
const DialogTemplate* FindDialogTemplate(std::int32_t id);
// The dialogs whose caption is `name`, ignoring case, or whose id it is.
std::vector<const DialogTemplate*> FindDialogTemplates(const std::wstring& name);
// One line a control: id, kind and text, each line indented by `indent`.
std::string DescribeControls(const DialogTemplate& dialog, const std::string& indent);

}  // namespace vendrel::tools
