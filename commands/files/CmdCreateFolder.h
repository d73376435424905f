// Create folder: makes a local folder, or a vault sub-folder through the host.
#pragma once

#include <string>

#include "commands/core/Cmd.h"
#include "uilibs/lexicor/StrWnd.h"

namespace vendrel::commands {

class CmdCreateFolder : public Cmd, public lexicor::StrWnd {
 public:
  static constexpr std::int32_t kType = 14;

  explicit CmdCreateFolder(actions::Action* owner);

  bool Edit(platform::Window parent) override;
  void Serialize(actions::Archive& archive) override;
  bool Execute(actions::ActionData& run) override;

  const std::wstring& Path() const { return path_; }
  // Takes the editor's text; the summary is the path itself.
  void Assign(std::wstring path);

 private:
  std::wstring path_;
};

}  // namespace vendrel::commands
