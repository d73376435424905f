// Set card variables: writes one card variable of the selected file and folders, of a file or of
// a folder named by path, in one batch, and reports every failure together.
#pragma once

#include <string>
#include <vector>

#include "commands/core/Cmd.h"
#include "uilibs/lexicor/StrWnd.h"

namespace vendrel::commands {

class CmdSetCardVar : public Cmd, public lexicor::StrWnd {
 public:
  static constexpr std::int32_t kType = 25;
  enum ItemKind : std::int32_t { kSelectedFile = 0, kFileWithPath = 1, kFolderWithPath = 2 };

  struct Fields {
    std::int32_t itemKind = kSelectedFile;
    std::wstring filePath{};
    std::wstring folderPath{};
    std::vector<std::wstring> configurations{};  // empty: every configuration
    std::wstring value{};
    std::wstring variableName{};
    std::int32_t variableType = 0;  // the card variable's type when the command was configured
    friend bool operator==(const Fields&, const Fields&) = default;
  };

  explicit CmdSetCardVar(actions::Action* owner);

  bool Edit(platform::Window parent) override;
  void Serialize(actions::Archive& archive) override;
  bool Execute(actions::ActionData& run) override;
  void PrepareRun() override;

  const Fields& Values() const { return fields_; }
  // Takes the fields and sets the summary.
  void Assign(Fields fields);

 private:
  friend class CardWrite;

  Fields fields_;
  std::int32_t variableFlags_ = 0;  // read from the vault at every execution
  // Cleared by "OK to All" for the rest of the run.
  bool showCheckOutWarning_ = true;
  bool showAddWarning_ = true;
};

}  // namespace vendrel::commands
