// Edit box: asks the user for a text and stores it in a run-time variable.
#pragma once

#include <string>

#include "commands/core/Cmd.h"
#include "uilibs/lexicor/StrWnd.h"

namespace vendrel::commands {

class CmdEditBox : public Cmd, public lexicor::StrWnd {
 public:
  static constexpr std::int32_t kType = 1;

  struct Fields {
    std::wstring variable;
    std::wstring prompt;
    friend bool operator==(const Fields&, const Fields&) = default;
  };

  explicit CmdEditBox(actions::Action* owner);

  bool Edit(platform::Window parent) override;
  void Serialize(actions::Archive& archive) override;
  bool Execute(actions::ActionData& run) override;

  const Fields& Values() const { return fields_; }
  // Takes the editor's values; the summary is the variable name.
  void Assign(Fields fields);

 private:
  Fields fields_;
};

}  // namespace vendrel::commands
