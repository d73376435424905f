// Get file: fetches the latest version of a vault file, when it is missing on disk or always.
#pragma once

#include <string>

#include "commands/core/Cmd.h"
#include "uilibs/lexicor/StrWnd.h"

namespace vendrel::commands {

class CmdGetFile : public Cmd, public lexicor::StrWnd {
 public:
  static constexpr std::int32_t kType = 23;

  explicit CmdGetFile(actions::Action* owner);

  bool Edit(platform::Window parent) override;
  void Serialize(actions::Archive& archive) override;
  bool Execute(actions::ActionData& run) override;

  const std::wstring& Path() const { return path_; }
  // False: get only a file missing on disk; true: get it also over an earlier local version.
  bool AlsoIfEarlier() const { return alsoIfEarlier_; }
  // Takes the editor's values; the summary is the path.
  void Assign(std::wstring path, bool alsoIfEarlier);

 private:
  std::wstring path_;
  bool alsoIfEarlier_ = false;
};

}  // namespace vendrel::commands
