// The wait editor: the condition from a sorted list and the path it tests.
#pragma once

#include "commands/core/TextFieldsDlg.h"
#include "commands/system/CmdWait.h"

namespace vendrel::commands {

class CWaitDlg : public FieldsDlg<CmdWait> {
 public:
  explicit CWaitDlg(const CmdWait& command);

  std::vector<std::int32_t> SortedLists() const override;

 protected:
  void OnInit() override;
  void OnControl(std::int32_t control, platform::ControlEvent event) override;

 private:
  // "Registry value:" while the registry condition is chosen, else "Filename:".
  void ShowPathLabel();

  const std::map<std::int32_t, std::wstring>& conditions_;
};

}  // namespace vendrel::commands
