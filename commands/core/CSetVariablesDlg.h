// CSetVariablesDlg: the variable editor, one list-view row per variable of the action.
#pragma once

#include <cstdint>

#include "commands/core/CMenuButton.h"
#include "commands/core/CmdSetVar.h"
#include "host/Ref.h"
#include "host/Vault.h"
#include "platform/Dialog.h"
#include "platform/Services.h"
#include "uilibs/lexicor/StrWnd.h"

namespace vendrel::commands {

class CSetVariablesDlg final : public platform::Dialog, public lexicor::StrWnd {
 public:
  // Edits `variables` in place; `services` serve the "->" button.
  CSetVariablesDlg(const TypeTextMap& typeTexts, VariableList& variables,
                   host::Ref<host::VaultSession> vault, platform::Services* services);

  std::int32_t TemplateId() const override;
  bool Resizable() const override { return true; }
  std::vector<std::int32_t> SortedLists() const override;

  // Rows into the variable list. With checks, a name used twice (case ignored) or a built-in
  // name is refused with a message and the list stays as it was.
  bool WriteBack(bool check);
  VariableList& Variables() { return variables_; }

 protected:
  void OnInit() override;
  void OnControl(std::int32_t control, platform::ControlEvent event) override;
  bool OnOk() override { return WriteBack(true); }
  void OnSize(platform::ClientSize client) override;

 private:
  std::int32_t SelectedRow() const;  // the first selected row, -1 for none
  void FillFromRow();
  void ApplyTypeRules(actions::Variable::VariableType type);
  void WriteCell(std::int32_t control, std::int32_t column);
  void ChooseType();
  void AddRow();
  bool Refuse(std::int32_t messageId, const wchar_t* english, const std::wstring& name);

  const TypeTextMap& typeTexts_;
  VariableList& variables_;
  host::Ref<host::VaultSession> vault_;
  platform::Services* services_;
  CMenuButton valueButton_;
  bool filling_ = false;  // while a row fills the controls: their changes are not written back
  bool writing_ = false;  // while a text change is written into the row
};

}  // namespace vendrel::commands
