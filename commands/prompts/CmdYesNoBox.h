// Yes/no message box: asks a question and stores one of two fixed answers in a variable.
#pragma once

#include <string>

#include "commands/core/FieldCmd.h"
#include "commands/core/KindIds.h"

namespace vendrel::commands {

struct YesNoBoxFields {
  std::wstring variable;
  std::wstring prompt;
  std::wstring yesValue;
  std::wstring noValue;
  friend bool operator==(const YesNoBoxFields&, const YesNoBoxFields&) = default;
  void Visit(FieldVisitor& v) {
    v.Text("prompt", prompt, TextUse::kExpanded);
    v.Text("variable", variable, TextUse::kSetsVariable);
    v.Text("yes", yesValue, TextUse::kAsWritten);
    v.Text("no", noValue, TextUse::kAsWritten);
  }
};

class CmdYesNoBox : public FieldCmd<YesNoBoxFields, kYesNoBoxType> {
 public:
  explicit CmdYesNoBox(actions::Action* owner) : FieldCmd(owner) {}

  bool Edit(platform::Window parent) override;
  bool Execute(actions::ActionData& run) override;

 private:
  std::wstring Summarize(const Fields& fields) const override;
};

}  // namespace vendrel::commands
