// Generate parameter file: writes a file from a template, each line with its variables expanded,
// checking the output out of the vault and in again, or adding it, when it lies in the vault.
#pragma once

#include <cstdint>
#include <string>

#include "commands/core/Cmd.h"
#include "uilibs/lexicor/StrWnd.h"

namespace vendrel::commands {

class CmdGenerateFile : public Cmd, public lexicor::StrWnd {
 public:
  static constexpr std::int32_t kType = 13;

  struct Fields {
    std::wstring outputFile;
    std::wstring templateFile;
    std::wstring assignTo;  // the action variable that receives the output path; empty: none
    // Stored as they were read: any value but 0 is true.
    std::int32_t useCounter = 0;
    std::int32_t append = 0;
    friend bool operator==(const Fields&, const Fields&) = default;
  };

  explicit CmdGenerateFile(actions::Action* owner);

  bool Edit(platform::Window parent) override;
  void Serialize(actions::Archive& archive) override;
  // True once the output was written, whatever a later vault step says.
  bool Execute(actions::ActionData& run) override;

  const Fields& GetFields() const { return fields_; }
  // Takes the editor's values; the summary is "template -> output".
  void Assign(Fields fields);

 private:
  Fields fields_;
};

}  // namespace vendrel::commands
