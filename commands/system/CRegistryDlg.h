// The write-registry-value editor: the key path, the value and its kind.
#pragma once

#include "commands/core/TextFieldsDlg.h"
#include "commands/system/CmdRegistry.h"

namespace vendrel::commands {

class CRegistryDlg : public FieldsDlg<CmdRegistry> {
 public:
  explicit CRegistryDlg(const CmdRegistry& command);

 protected:
  void OnInit() override;
  void OnControl(std::int32_t control, platform::ControlEvent event) override;
};

}  // namespace vendrel::commands
