// Create folder: makes a local folder, or a vault sub-folder through the host.
#pragma once

#include <string>

#include "commands/core/FieldCmd.h"
#include "commands/core/KindIds.h"

namespace vendrel::commands {

struct CreateFolderFields {
  std::wstring path;
  friend bool operator==(const CreateFolderFields&, const CreateFolderFields&) = default;
  void Visit(FieldVisitor& v) { v.Text("path", path, TextUse::kExpanded); }
};

class CmdCreateFolder : public FieldCmd<CreateFolderFields, kCreateFolderType> {
 public:
  explicit CmdCreateFolder(actions::Action* owner) : FieldCmd(owner) {}

  bool Edit(platform::Window parent) override;
  bool Execute(actions::ActionData& run) override;

 private:
  // The path itself.
  std::wstring Summarize(const Fields& fields) const override { return fields.path; }
};

}  // namespace vendrel::commands
