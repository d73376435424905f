// OK message box: shows a text with variables to the user.
#pragma once

#include <string>

#include "commands/core/Cmd.h"
#include "uilibs/lexicor/StrWnd.h"

namespace vendrel::commands {

class CmdOkMsgBox : public Cmd, public lexicor::StrWnd {
 public:
  static constexpr std::int32_t kType = 3;

  explicit CmdOkMsgBox(actions::Action* owner);

  bool Edit(platform::Window parent) override;
  void Serialize(actions::Archive& archive) override;
  bool Execute(actions::ActionData& run) override;

  const std::wstring& Message() const { return message_; }
  // Takes the editor's text and rebuilds the one-line summary from it.
  void Assign(std::wstring message);

 private:
  std::wstring message_;
};

}  // namespace vendrel::commands
