// Check in file: checks a vault file in with a comment, both texts expanded at run time.
#pragma once

#include <string>

#include "commands/core/FieldCmd.h"
#include "commands/core/KindIds.h"

namespace vendrel::commands {

struct UnlockFileFields {
  std::wstring path;
  std::wstring comment;
  friend bool operator==(const UnlockFileFields&, const UnlockFileFields&) = default;
  void Visit(FieldVisitor& v) {
    v.Text("path", path, TextUse::kExpanded);
    v.Text("comment", comment, TextUse::kExpanded);
  }
};

class CmdUnlockFile : public FieldCmd<UnlockFileFields, kUnlockFileType> {
 public:
  explicit CmdUnlockFile(actions::Action* owner) : FieldCmd(owner) {}

  bool Edit(platform::Window parent) override;
  bool Execute(actions::ActionData& run) override;

 private:
  // The path itself.
  std::wstring Summarize(const Fields& fields) const override { return fields.path; }
};

}  // namespace vendrel::commands
