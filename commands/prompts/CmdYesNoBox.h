// Yes/no message box: asks a question and stores one of two fixed answers in a variable.
#pragma once

#include <string>

#include "commands/core/Cmd.h"
#include "uilibs/lexicor/StrWnd.h"

namespace vendrel::commands {

class CmdYesNoBox : public Cmd, public lexicor::StrWnd {
 public:
  static constexpr std::int32_t kType = 7;

  struct Fields {
    std::wstring variable;
    std::wstring prompt;
    std::wstring yesValue;
    std::wstring noValue;
    friend bool operator==(const Fields&, const Fields&) = default;
  };

  explicit CmdYesNoBox(actions::Action* owner);

  bool Edit(platform::Window parent) override;
  void Serialize(actions::Archive& archive) override;
  bool Execute(actions::ActionData& run) override;

  const Fields& Values() const { return fields_; }
  // Takes the editor's values and rebuilds the summary from them.
  void Assign(Fields fields);

 private:
  Fields fields_;
};

}  // namespace vendrel::commands
