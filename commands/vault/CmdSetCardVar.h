// Set card variables: writes one card variable of the selected file and folders, of a file or of
// a folder named by path, in one batch, and reports every failure together.
#pragma once

#include <string>
#include <vector>

#include "commands/core/FieldCmd.h"
#include "commands/core/KindIds.h"

namespace vendrel::commands {

struct SetCardVarFields {
  enum ItemKind : std::int32_t { kSelectedFile = 0, kFileWithPath = 1, kFolderWithPath = 2 };

  std::int32_t itemKind = kSelectedFile;
  std::wstring filePath{};
  std::wstring folderPath{};
  std::vector<std::wstring> configurations{};  // empty: every configuration
  std::wstring value{};
  std::wstring variableName{};
  std::int32_t variableType = 0;  // the card variable's type when the command was configured
  friend bool operator==(const SetCardVarFields&, const SetCardVarFields&) = default;
  void Visit(FieldVisitor& v) {
    v.Int32("item", itemKind);
    v.Text("filePath", filePath, TextUse::kExpanded);
    v.Text("folderPath", folderPath, TextUse::kExpanded);
    v.Text("value", value, TextUse::kExpanded);
    v.Text("variable", variableName, TextUse::kAsWritten);
    v.Int32("variableType", variableType);
    v.TextList("configurations", configurations, TextUse::kAsWritten);
  }
};

class CmdSetCardVar : public FieldCmd<SetCardVarFields, kSetCardVarType> {
 public:
  using enum SetCardVarFields::ItemKind;

  explicit CmdSetCardVar(actions::Action* owner) : FieldCmd(owner) {}

  bool Edit(platform::Window parent) override;
  bool Execute(actions::ActionData& run) override;
  void PrepareRun() override;

 private:
  friend class CardWrite;

  std::wstring Summarize(const Fields& fields) const override;

  std::int32_t variableFlags_ = 0;  // read from the vault at every execution
  // Cleared by "OK to All" for the rest of the run.
  bool showCheckOutWarning_ = true;
  bool showAddWarning_ = true;
};

}  // namespace vendrel::commands
