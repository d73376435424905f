// Send message: a vault message with a subject and a text to chosen groups and users.
#pragma once

#include <string>
#include <vector>

#include "commands/core/FieldCmd.h"
#include "commands/core/KindIds.h"

namespace vendrel::commands {

struct SendMsgFields {
  std::vector<std::wstring> users{};  // login names, in the order chosen
  std::vector<std::wstring> groups{};
  std::wstring subject{};
  std::wstring message{};
  friend bool operator==(const SendMsgFields&, const SendMsgFields&) = default;
  void Visit(FieldVisitor& v) {
    v.Text("subject", subject, TextUse::kAsWritten);
    v.Text("message", message, TextUse::kAsWritten);
    v.TextList("users", users, TextUse::kAsWritten);
    v.TextList("groups", groups, TextUse::kAsWritten);
  }
};

class CmdSendMsg : public FieldCmd<SendMsgFields, kSendMsgType> {
 public:
  explicit CmdSendMsg(actions::Action* owner) : FieldCmd(owner) {}

  bool Edit(platform::Window parent) override;
  bool Execute(actions::ActionData& run) override;

 private:
  std::wstring Summarize(const Fields& fields) const override;
};

}  // namespace vendrel::commands
