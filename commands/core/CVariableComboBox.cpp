// The variable combo box.
#include "commands/core/CVariableComboBox.h"

#include "actions/Action.h"

namespace vendrel::commands {

void CVariableComboBox::Fill(platform::DialogSurface& ui, const actions::Action* action,
                             const std::wstring& selected, actions::Variable::VariableType filter,
                             bool percent) const {
  if (action) {
    for (const auto& variable : action->variables) {
      if (variable->type != filter) continue;
      ui.AddItem(controlId_, percent ? L"%" + variable->name + L"%" : variable->name, 0);
    }
  }
  std::int32_t index = ui.FindItem(controlId_, selected);
  if (index < 0) {
    if (selected.empty()) return;
    index = ui.AddItem(controlId_, selected, 0);
  }
  ui.SelectItem(controlId_, index);
}

}  // namespace vendrel::commands
