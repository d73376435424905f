// The run-time variable list: nothing chosen is checked.
#include "commands/core/RuntimeVariableList.h"

#include "actions/Action.h"
#include "commands/core/CVariableComboBox.h"
#include "commands/core/CmdSetVar.h"
#include "host/Strings.h"

namespace vendrel::commands {

RuntimeVariableList::RuntimeVariableList(std::int32_t list, std::int32_t editButton,
                                         const Cmd& command)
    : list_(list),
      editButton_(editButton),
      action_(command.Owner()),
      vault_(command.Vault()),
      services_(command.Services()) {}

void RuntimeVariableList::Fill(platform::DialogSurface& ui, std::wstring selected) {
  selected_ = std::move(selected);
  List(ui);
}

bool RuntimeVariableList::List(platform::DialogSurface& ui) const {
  CVariableComboBox(list_).Fill(ui, action_, selected_, actions::Variable::kRuntime, false);
  if (ui.ItemCount(list_) > 0) return true;
  const std::wstring none = strings::Load(132, L"There are no run-time variables to show.");
  ui.SelectItem(list_, ui.AddItem(list_, none, 0));
  ui.Enable(list_, false);
  return false;
}

bool RuntimeVariableList::OnClicked(platform::DialogSurface& ui, std::int32_t control) {
  if (control != editButton_) return false;
  const std::int32_t remembered = ui.SelectedItem(list_);
  {
    CmdSetVar variables(action_);
    variables.SetVault(vault_.Get());
    variables.SetServices(services_);
    variables.Edit(ui.Handle());
  }
  ui.ClearItems(list_);
  if (List(ui)) {
    ui.Enable(list_, true);
    ui.SelectItem(list_, remembered);
  }
  return true;
}

std::wstring RuntimeVariableList::Chosen(const platform::DialogSurface& ui) const {
  const std::int32_t chosen = ui.SelectedItem(list_);
  if (!ui.IsEnabled(list_) || chosen < 0) return {};
  return ui.ItemText(list_, chosen);
}

}  // namespace vendrel::commands
