// Combo box: lets the user pick one of the administrator's choices into a run-time variable.
#pragma once

#include <string>
#include <vector>

#include "commands/core/Cmd.h"
#include "uilibs/lexicor/StrWnd.h"

namespace vendrel::commands {

class CmdComboBox : public Cmd, public lexicor::StrWnd {
 public:
  static constexpr std::int32_t kType = 6;

  struct Fields {
    std::wstring variable;
    std::wstring prompt;
    std::vector<std::wstring> choices;  // in the administrator's order
    friend bool operator==(const Fields&, const Fields&) = default;
  };

  explicit CmdComboBox(actions::Action* owner);

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
