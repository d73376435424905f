// Move file: renames a file inside its own folder, through the host inside the vault.
#pragma once

#include <string>

#include "commands/core/Cmd.h"
#include "uilibs/lexicor/StrWnd.h"

namespace vendrel::commands {

class CmdMoveFile : public Cmd, public lexicor::StrWnd {
 public:
  static constexpr std::int32_t kType = 16;

  explicit CmdMoveFile(actions::Action* owner);

  bool Edit(platform::Window parent) override;
  void Serialize(actions::Archive& archive) override;
  bool Execute(actions::ActionData& run) override;

  const std::wstring& Source() const { return source_; }
  const std::wstring& NewName() const { return newName_; }
  // Takes the editor's texts and rebuilds the summary from them.
  void Assign(std::wstring source, std::wstring newName);

 private:
  std::wstring source_;
  std::wstring newName_;
};

}  // namespace vendrel::commands
