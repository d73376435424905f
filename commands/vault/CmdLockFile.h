// Check out file: checks a vault file out, named by its local path.
#pragma once

#include <string>

#include "commands/core/FieldCmd.h"
#include "commands/core/KindIds.h"

namespace vendrel::commands {

struct LockFileFields {
  std::wstring path;
  friend bool operator==(const LockFileFields&, const LockFileFields&) = default;
  void Visit(FieldVisitor& v) { v.Text("path", path, TextUse::kExpanded); }
};

class CmdLockFile : public FieldCmd<LockFileFields, kLockFileType> {
 public:
  explicit CmdLockFile(actions::Action* owner) : FieldCmd(owner) {}

  bool Edit(platform::Window parent) override;
  bool Execute(actions::ActionData& run) override;

 private:
  // The path itself.
  std::wstring Summarize(const Fields& fields) const override { return fields.path; }
};

}  // namespace vendrel::commands
