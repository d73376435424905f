// Edit box: asks the user for a text and stores it in a run-time variable.
#pragma once

#include <string>

#include "commands/core/FieldCmd.h"
#include "commands/core/KindIds.h"

namespace vendrel::commands {

struct EditBoxFields {
  std::wstring variable;
  std::wstring prompt;
  friend bool operator==(const EditBoxFields&, const EditBoxFields&) = default;
  void Visit(FieldVisitor& v) {
    v.Text("prompt", prompt, TextUse::kExpanded);
    v.Text("variable", variable, TextUse::kSetsVariable);
  }
};

class CmdEditBox : public FieldCmd<EditBoxFields, kEditBoxType> {
 public:
  explicit CmdEditBox(actions::Action* owner) : FieldCmd(owner) {}

  bool Edit(platform::Window parent) override;
  bool Execute(actions::ActionData& run) override;

 private:
  // The variable name.
  std::wstring Summarize(const Fields& fields) const override { return fields.variable; }
};

}  // namespace vendrel::commands
