// Generate parameter file: writes a file from a template, each line with its variables expanded,
// checking the output out of the vault and in again, or adding it, when it lies in the vault.
#pragma once

#include <cstdint>
#include <string>

#include "commands/core/FieldCmd.h"
#include "commands/core/KindIds.h"

namespace vendrel::commands {

struct GenerateFileFields {
  std::wstring outputFile;
  std::wstring templateFile;
  std::wstring assignTo;  // the action variable that receives the output path; empty: none
  // Stored as they were read: any value but 0 is true.
  std::int32_t useCounter = 0;
  std::int32_t append = 0;
  friend bool operator==(const GenerateFileFields&, const GenerateFileFields&) = default;
  void Visit(FieldVisitor& v) {
    v.Text("output", outputFile, TextUse::kExpanded);
    v.Text("template", templateFile, TextUse::kExpanded);
    v.Text("assignTo", assignTo, TextUse::kSetsVariable);
    v.Int32("useCounter", useCounter);
    v.Int32("append", append);
  }
};

class CmdGenerateFile : public FieldCmd<GenerateFileFields, kGenerateFileType> {
 public:
  explicit CmdGenerateFile(actions::Action* owner) : FieldCmd(owner) {}

  bool Edit(platform::Window parent) override;
  // True once the output was written, whatever a later vault step says.
  bool Execute(actions::ActionData& run) override;

 private:
  // "template -> output".
  std::wstring Summarize(const Fields& fields) const override;
};

}  // namespace vendrel::commands
