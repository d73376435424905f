// Copy file: copies a file by path, into a vault folder through the host.
#pragma once

#include <string>

#include "commands/core/FieldCmd.h"
#include "commands/core/KindIds.h"

namespace vendrel::commands {

struct CopyFileFields {
  std::wstring source;
  std::wstring destination;
  friend bool operator==(const CopyFileFields&, const CopyFileFields&) = default;
  void Visit(FieldVisitor& v) {
    v.Text("from", source, TextUse::kExpanded);
    v.Text("to", destination, TextUse::kExpanded);
  }
};

class CmdCopyFile : public FieldCmd<CopyFileFields, kCopyFileType> {
 public:
  explicit CmdCopyFile(actions::Action* owner) : FieldCmd(owner) {}

  bool Edit(platform::Window parent) override;
  bool Execute(actions::ActionData& run) override;

 private:
  std::wstring Summarize(const Fields& fields) const override;
  // The source with the notification folder in front when it names no folder.
  std::wstring SourceInFolder(actions::ActionData& run, std::wstring source) const;
  bool FetchFromVault(actions::ActionData& run, const std::wstring& source) const;
  bool CopyLocally(actions::ActionData& run, const std::wstring& source,
                   std::wstring destination) const;
};

}  // namespace vendrel::commands
