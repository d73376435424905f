// Copy file: copies a file by path, into a vault folder through the host.
#pragma once

#include <string>

#include "commands/core/Cmd.h"
#include "uilibs/lexicor/StrWnd.h"

namespace vendrel::commands {

class CmdCopyFile : public Cmd, public lexicor::StrWnd {
 public:
  static constexpr std::int32_t kType = 19;

  explicit CmdCopyFile(actions::Action* owner);

  bool Edit(platform::Window parent) override;
  void Serialize(actions::Archive& archive) override;
  bool Execute(actions::ActionData& run) override;

  const std::wstring& Source() const { return source_; }
  const std::wstring& Destination() const { return destination_; }
  // Takes the editor's texts and rebuilds the summary from them.
  void Assign(std::wstring source, std::wstring destination);

 private:
  // The source with the notification folder in front when it names no folder.
  std::wstring SourceInFolder(actions::ActionData& run, std::wstring source) const;
  bool FetchFromVault(actions::ActionData& run, const std::wstring& source) const;
  bool CopyLocally(actions::ActionData& run, const std::wstring& source,
                   std::wstring destination) const;

  std::wstring source_;
  std::wstring destination_;
};

}  // namespace vendrel::commands
