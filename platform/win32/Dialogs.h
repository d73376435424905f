// Dialogs of the Windows user interface: presenters bound to DialogBoxParamW over .rc templates.
#pragma once

#include <windows.h>

#include "platform/Dialog.h"

namespace vendrel::platform {

// Shows each dialog from the template of its resource id in `resources` (the module that links
// resources/*.rc), modal to its owner or modeless.
class Win32DialogRunner final : public DialogRunner {
 public:
  explicit Win32DialogRunner(HINSTANCE resources) : resources_(resources) {}
  std::int32_t Run(Dialog& dialog, Window owner) override;
  std::unique_ptr<ModelessDialog> Show(Dialog& dialog, Window owner) override;

 private:
  HINSTANCE resources_;
};

}  // namespace vendrel::platform
