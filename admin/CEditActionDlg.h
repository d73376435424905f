// CEditActionDlg: one action's name, activation, conditions, variables and command list. The rows
// of the command list are a working copy that OK hands to the action.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "actions/Action.h"
#include "commands/core/Cmd.h"
#include "commands/core/LabelList.h"
#include "host/Ref.h"
#include "host/Vault.h"
#include "platform/Dialog.h"
#include "platform/Services.h"
#include "uilibs/lexicor/StrWnd.h"

namespace vendrel::admin {

class CEditActionDlg final : public platform::Dialog, public lexicor::StrWnd {
 public:
  // `services` show the nested dialogs and the message boxes of the commands' editors.
  CEditActionDlg(actions::Action& action, host::Ref<host::VaultSession> vault,
                 platform::Services* services);
  // Commands added while open and not handed to the action go with the dialog. After Cancel the
  // action's commands lose the removed marks the dialog set: they still run and edit as before.
  ~CEditActionDlg() override;

  std::int32_t TemplateId() const override;
  bool Resizable() const override { return true; }

 protected:
  void OnInit() override;
  void OnControl(std::int32_t control, platform::ControlEvent event) override;
  bool OnOk() override;
  void OnSize(platform::ClientSize client) override;

 private:
  // The list view and rows_ change together.
  void InsertRow(std::int32_t row, commands::Cmd& command);
  void DeleteRow(std::int32_t row);
  std::int32_t RowCount() const { return static_cast<std::int32_t>(rows_.size()); }
  void UpdateListButtons();
  void AddCommand();
  void EditCommand();
  void RemoveCommands();
  void MoveBlock(bool up);
  void EditVariables();
  void EditConditions(std::int32_t button);
  // Hands the rows' commands to the action in row order; what no row shows is destroyed.
  void RebuildCommands();
  // Opens a command's editor the one way every editor is opened; true on OK.
  bool RunEditor(commands::Cmd& command);

  actions::Action& action_;
  host::Ref<host::VaultSession> vault_;
  platform::Services* services_;
  commands::LabelList labels_;                         // offered by the jump editor
  std::vector<commands::Cmd*> rows_;                   // the commands of the rows, in order
  std::vector<std::unique_ptr<commands::Cmd>> added_;  // rows of Add, not yet the action's
  bool accepted_ = false;
};

}  // namespace vendrel::admin
