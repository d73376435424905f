// Write registry value: a string or DWORD value at a full registry path.
#pragma once

#include <string>

#include "commands/core/Cmd.h"
#include "uilibs/lexicor/StrWnd.h"

namespace vendrel::commands {

class CmdRegistry : public Cmd, public lexicor::StrWnd {
 public:
  static constexpr std::int32_t kType = 9;

  // Value kinds as stored; a binary value is never written.
  static constexpr std::int32_t kString = 0;
  static constexpr std::int32_t kBinary = 1;
  static constexpr std::int32_t kDword = 2;
  static constexpr std::int32_t kNoKind = 3;

  struct Fields {
    std::wstring keyPath;  // ROOT\subkey...\value-name
    std::wstring value;
    std::int32_t kind = kNoKind;
    friend bool operator==(const Fields&, const Fields&) = default;
  };

  explicit CmdRegistry(actions::Action* owner);

  bool Edit(platform::Window parent) override;
  void Serialize(actions::Archive& archive) override;
  // False only for a path without a known root; a key or value that cannot be written is not
  // reported.
  bool Execute(actions::ActionData& run) override;

  const Fields& Values() const { return fields_; }
  // Takes the editor's values and rebuilds the summary from them.
  void Assign(Fields fields);

 private:
  Fields fields_;
};

}  // namespace vendrel::commands
