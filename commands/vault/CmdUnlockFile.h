// Check in file: checks a vault file in with a comment, both texts expanded at run time.
#pragma once

#include <string>

#include "commands/core/Cmd.h"
#include "uilibs/lexicor/StrWnd.h"

namespace vendrel::commands {

class CmdUnlockFile : public Cmd, public lexicor::StrWnd {
 public:
  static constexpr std::int32_t kType = 18;

  explicit CmdUnlockFile(actions::Action* owner);

  bool Edit(platform::Window parent) override;
  void Serialize(actions::Archive& archive) override;
  bool Execute(actions::ActionData& run) override;

  const std::wstring& Path() const { return path_; }
  const std::wstring& Comment() const { return comment_; }
  // Takes the editor's texts; the summary is the path.
  void Assign(std::wstring path, std::wstring comment);

 private:
  std::wstring path_;
  std::wstring comment_;
};

}  // namespace vendrel::commands
