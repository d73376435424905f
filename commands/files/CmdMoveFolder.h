// Move folder: moves or renames a local folder; the vault is not involved.
#pragma once

#include <string>

#include "commands/core/FieldCmd.h"
#include "commands/core/KindIds.h"

namespace vendrel::commands {

struct MoveFolderFields {
  std::wstring oldPath;
  std::wstring newPath;
  friend bool operator==(const MoveFolderFields&, const MoveFolderFields&) = default;
  void Visit(FieldVisitor& v) {
    v.Text("from", oldPath, TextUse::kExpanded);
    v.Text("to", newPath, TextUse::kExpanded);
  }
};

class CmdMoveFolder : public FieldCmd<MoveFolderFields, kMoveFolderType> {
 public:
  explicit CmdMoveFolder(actions::Action* owner) : FieldCmd(owner) {}

  bool Edit(platform::Window parent) override;
  bool Execute(actions::ActionData& run) override;

 private:
  std::wstring Summarize(const Fields& fields) const override;
};

}  // namespace vendrel::commands
