// Send message: a vault message with a subject and a text to chosen groups and users.
#pragma once

#include <string>
#include <vector>

#include "commands/core/Cmd.h"
#include "uilibs/lexicor/StrWnd.h"

namespace vendrel::commands {

class CmdSendMsg : public Cmd, public lexicor::StrWnd {
 public:
  static constexpr std::int32_t kType = 24;

  struct Fields {
    std::vector<std::wstring> users{};  // login names, in the order chosen
    std::vector<std::wstring> groups{};
    std::wstring subject{};
    std::wstring message{};
    friend bool operator==(const Fields&, const Fields&) = default;
  };

  explicit CmdSendMsg(actions::Action* owner);

  bool Edit(platform::Window parent) override;
  void Serialize(actions::Archive& archive) override;
  bool Execute(actions::ActionData& run) override;

  const Fields& Values() const { return fields_; }
  // Takes the fields and rebuilds the summary from them.
  void Assign(Fields fields);

 private:
  Fields fields_;
};

}  // namespace vendrel::commands
