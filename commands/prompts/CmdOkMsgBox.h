// OK message box: shows a text with variables to the user.
#pragma once

#include <string>

#include "commands/core/FieldCmd.h"
#include "commands/core/KindIds.h"

namespace vendrel::commands {

struct OkMsgBoxFields {
  std::wstring message;
  friend bool operator==(const OkMsgBoxFields&, const OkMsgBoxFields&) = default;
  void Visit(FieldVisitor& v) { v.Text("message", message, TextUse::kExpanded); }
};

class CmdOkMsgBox : public FieldCmd<OkMsgBoxFields, kOkMsgBoxType> {
 public:
  explicit CmdOkMsgBox(actions::Action* owner) : FieldCmd(owner) {}

  bool Edit(platform::Window parent) override;
  bool Execute(actions::ActionData& run) override;

 private:
  // The message on one line.
  std::wstring Summarize(const Fields& fields) const override;
};

}  // namespace vendrel::commands
