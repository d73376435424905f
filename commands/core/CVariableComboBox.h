// CVariableComboBox: the drop-down list of an action's variables that receive an answer.
#pragma once

#include <cstdint>
#include <string>

#include "actions/Variable.h"
#include "platform/Dialog.h"

namespace vendrel::actions {
class Action;
}

namespace vendrel::commands {

class CVariableComboBox {
 public:
  explicit CVariableComboBox(std::int32_t controlId) : controlId_(controlId) {}
  std::int32_t ControlId() const { return controlId_; }

  // Lists the action's variables of kind `filter` in list order, as %name% when `percent`, and
  // chooses `selected` (case ignored); a name no variable has is added and chosen, an empty one
  // leaves nothing chosen.
  void Fill(platform::DialogSurface& ui, const actions::Action* action,
            const std::wstring& selected, actions::Variable::VariableType filter,
            bool percent) const;

 private:
  std::int32_t controlId_;
};

}  // namespace vendrel::commands
