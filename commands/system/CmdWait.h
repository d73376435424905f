// Wait: halts the action until a file appears or goes, or a registry value is set.
#pragma once

#include <map>
#include <string>

#include "commands/core/FieldCmd.h"
#include "commands/core/KindIds.h"

namespace vendrel::commands {

enum WaitCondition : std::int32_t {
  kFileCreated = 0,
  kFileDeleted = 1,
  kRegistryValueSet = 2,
  kNoCondition = 3,
};

struct WaitFields {
  std::wstring path;  // a file path with wildcards, or a registry value's full path
  std::int32_t condition = kNoCondition;
  friend bool operator==(const WaitFields&, const WaitFields&) = default;
  void Visit(FieldVisitor& v) {
    v.Text("path", path, TextUse::kExpanded);
    v.Int32("condition", condition);
  }
};

class CmdWait : public FieldCmd<WaitFields, kWaitType> {
 public:
  // Between two tests of the condition.
  static constexpr std::uint32_t kPollMilliseconds = 50;

  explicit CmdWait(actions::Action* owner);

  bool Edit(platform::Window parent) override;
  // Shows the waiting window until the condition holds (true) or the user cancels (false).
  // There is no time limit.
  bool Execute(actions::ActionData& run) override;

  // Each condition's display text.
  const std::map<std::int32_t, std::wstring>& Conditions() const { return conditions_; }

 private:
  std::wstring Summarize(const Fields& fields) const override;

  std::map<std::int32_t, std::wstring> conditions_;
};

}  // namespace vendrel::commands
