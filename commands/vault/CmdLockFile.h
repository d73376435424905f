// Check out file: checks a vault file out, named by its local path.
#pragma once

#include <string>

#include "commands/core/Cmd.h"
#include "uilibs/lexicor/StrWnd.h"

namespace vendrel::commands {

class CmdLockFile : public Cmd, public lexicor::StrWnd {
 public:
  static constexpr std::int32_t kType = 17;

  explicit CmdLockFile(actions::Action* owner);

  bool Edit(platform::Window parent) override;
  void Serialize(actions::Archive& archive) override;
  bool Execute(actions::ActionData& run) override;

  const std::wstring& Path() const { return path_; }
  // Takes the editor's path; the summary is the path.
  void Assign(std::wstring path);

 private:
  std::wstring path_;
};

}  // namespace vendrel::commands
