// Delete file: removes a local file, or a vault file from its folder, without any message.
#pragma once

#include <string>

#include "commands/core/Cmd.h"
#include "uilibs/lexicor/StrWnd.h"

namespace vendrel::commands {

class CmdDeleteFile : public Cmd, public lexicor::StrWnd {
 public:
  static constexpr std::int32_t kType = 11;

  explicit CmdDeleteFile(actions::Action* owner);

  bool Edit(platform::Window parent) override;
  void Serialize(actions::Archive& archive) override;
  bool Execute(actions::ActionData& run) override;

  const std::wstring& Path() const { return path_; }
  bool FromVault() const { return fromVault_; }
  // Takes the editor's values and rebuilds the summary from them.
  void Assign(std::wstring path, bool fromVault);

 private:
  bool DeleteFromVault(actions::ActionData& run, const std::wstring& path) const;

  std::wstring path_;
  bool fromVault_ = false;
};

}  // namespace vendrel::commands
