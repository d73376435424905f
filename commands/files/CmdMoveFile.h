// Move file: renames a file inside its own folder, through the host inside the vault.
#pragma once

#include <string>

#include "commands/core/FieldCmd.h"
#include "commands/core/KindIds.h"

namespace vendrel::commands {

struct MoveFileFields {
  std::wstring source;
  std::wstring newName;
  friend bool operator==(const MoveFileFields&, const MoveFileFields&) = default;
  void Visit(FieldVisitor& v) {
    v.Text("from", source, TextUse::kExpanded);
    v.Text("newName", newName, TextUse::kExpanded);
  }
};

class CmdMoveFile : public FieldCmd<MoveFileFields, kMoveFileType> {
 public:
  explicit CmdMoveFile(actions::Action* owner) : FieldCmd(owner) {}

  bool Edit(platform::Window parent) override;
  bool Execute(actions::ActionData& run) override;

 private:
  std::wstring Summarize(const Fields& fields) const override;
};

}  // namespace vendrel::commands
