// Move folder: moves or renames a local folder; the vault is not involved.
#pragma once

#include <string>

#include "commands/core/Cmd.h"
#include "uilibs/lexicor/StrWnd.h"

namespace vendrel::commands {

class CmdMoveFolder : public Cmd, public lexicor::StrWnd {
 public:
  static constexpr std::int32_t kType = 15;

  explicit CmdMoveFolder(actions::Action* owner);

  bool Edit(platform::Window parent) override;
  void Serialize(actions::Archive& archive) override;
  bool Execute(actions::ActionData& run) override;

  const std::wstring& OldPath() const { return oldPath_; }
  const std::wstring& NewPath() const { return newPath_; }
  // Takes the editor's texts and rebuilds the summary from them.
  void Assign(std::wstring oldPath, std::wstring newPath);

 private:
  std::wstring oldPath_;
  std::wstring newPath_;
};

}  // namespace vendrel::commands
