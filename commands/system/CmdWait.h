// Wait: halts the action until a file appears or goes, or a registry value is set.
#pragma once

#include <map>
#include <string>

#include "commands/core/Cmd.h"
#include "uilibs/lexicor/StrWnd.h"

namespace vendrel::commands {

enum WaitCondition : std::int32_t {
  kFileCreated = 0,
  kFileDeleted = 1,
  kRegistryValueSet = 2,
  kNoCondition = 3,
};

class CmdWait : public Cmd, public lexicor::StrWnd {
 public:
  static constexpr std::int32_t kType = 10;
  // Between two tests of the condition.
  static constexpr std::uint32_t kPollMilliseconds = 50;

  struct Fields {
    std::wstring path;  // a file path with wildcards, or a registry value's full path
    std::int32_t condition = kNoCondition;
    friend bool operator==(const Fields&, const Fields&) = default;
  };

  explicit CmdWait(actions::Action* owner);

  bool Edit(platform::Window parent) override;
  void Serialize(actions::Archive& archive) override;
  // Shows the waiting window until the condition holds (true) or the user cancels (false).
  // There is no time limit.
  bool Execute(actions::ActionData& run) override;

  const Fields& Values() const { return fields_; }
  // Takes the editor's values and rebuilds the summary from them.
  void Assign(Fields fields);
  // Each condition's display text.
  const std::map<std::int32_t, std::wstring>& Conditions() const { return conditions_; }

 private:
  Fields fields_;
  std::map<std::int32_t, std::wstring> conditions_;
};

}  // namespace vendrel::commands
