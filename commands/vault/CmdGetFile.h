// Get file: fetches the latest version of a vault file, when it is missing on disk or always.
#pragma once

#include <string>

#include "commands/core/FieldCmd.h"
#include "commands/core/KindIds.h"

namespace vendrel::commands {

struct GetFileFields {
  std::wstring path;
  // False: get only a file missing on disk; true: get it also over an earlier local version.
  bool alsoIfEarlier = false;
  friend bool operator==(const GetFileFields&, const GetFileFields&) = default;
  void Visit(FieldVisitor& v) {
    v.Text("path", path, TextUse::kExpanded);
    v.Bool("alsoIfEarlier", alsoIfEarlier);
  }
};

class CmdGetFile : public FieldCmd<GetFileFields, kGetFileType> {
 public:
  explicit CmdGetFile(actions::Action* owner) : FieldCmd(owner) {}

  bool Edit(platform::Window parent) override;
  bool Execute(actions::ActionData& run) override;

 private:
  // The path itself.
  std::wstring Summarize(const Fields& fields) const override { return fields.path; }
};

}  // namespace vendrel::commands
