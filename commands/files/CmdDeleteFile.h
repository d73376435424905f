// Delete file: removes a local file, or a vault file from its folder, without any message.
#pragma once

#include <string>

#include "commands/core/FieldCmd.h"
#include "commands/core/KindIds.h"

namespace vendrel::commands {

struct DeleteFileFields {
  std::wstring path;
  bool fromVault = false;
  friend bool operator==(const DeleteFileFields&, const DeleteFileFields&) = default;
  void Visit(FieldVisitor& v) {
    v.Text("path", path, TextUse::kExpanded);
    v.Bool("fromVault", fromVault);
  }
};

class CmdDeleteFile : public FieldCmd<DeleteFileFields, kDeleteFileType> {
 public:
  explicit CmdDeleteFile(actions::Action* owner) : FieldCmd(owner) {}

  bool Edit(platform::Window parent) override;
  bool Execute(actions::ActionData& run) override;

 private:
  std::wstring Summarize(const Fields& fields) const override;
  bool DeleteFromVault(actions::ActionData& run, const std::wstring& path) const;
};

}  // namespace vendrel::commands
