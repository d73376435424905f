// Combo box: lets the user pick one of the administrator's choices into a run-time variable.
#pragma once

#include <string>
#include <vector>

#include "commands/core/FieldCmd.h"
#include "commands/core/KindIds.h"

namespace vendrel::commands {

struct ComboBoxFields {
  std::wstring variable;
  std::wstring prompt;
  std::vector<std::wstring> choices;  // in the administrator's order
  friend bool operator==(const ComboBoxFields&, const ComboBoxFields&) = default;
  void Visit(FieldVisitor& v) {
    v.Text("prompt", prompt, TextUse::kExpanded);
    v.Text("variable", variable, TextUse::kSetsVariable);
    v.TextList("choices", choices, TextUse::kExpanded);
  }
};

class CmdComboBox : public FieldCmd<ComboBoxFields, kComboBoxType> {
 public:
  explicit CmdComboBox(actions::Action* owner) : FieldCmd(owner) {}

  bool Edit(platform::Window parent) override;
  bool Execute(actions::ActionData& run) override;

 private:
  std::wstring Summarize(const Fields& fields) const override;
};

}  // namespace vendrel::commands
