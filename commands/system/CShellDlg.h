// The shell-execute editor: a command line, or a verb with a file and its parameters.
#pragma once

#include "commands/core/TextFieldsDlg.h"
#include "commands/system/CmdShell.h"

namespace vendrel::commands {

class CShellDlg : public TextFieldsDlg {
 public:
  explicit CShellDlg(const CmdShell& command);

  CmdShell::Fields Values() const { return fields_; }

 protected:
  void OnInit() override;
  void OnControl(std::int32_t control, platform::ControlEvent event) override;
  bool OnOk() override;

 private:
  void EnableFor(bool commandLine);

  CmdShell::Fields fields_;
  platform::Shell* shell_;
};

// The command line as the editor shows it: the parameters without their "/c ".
std::wstring CommandLineOf(const std::wstring& parameters);

}  // namespace vendrel::commands
