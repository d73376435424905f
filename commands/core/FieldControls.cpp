// Fields to controls and back.
#include "commands/core/FieldControls.h"

#include <cstring>

#include "commands/core/ChoiceLines.h"

namespace vendrel::commands {

std::int32_t FieldControls::ControlOf(const char* name) const {
  for (const FieldControl& bound : bound_) {
    if (std::strcmp(bound.field, name) == 0) return bound.control;
  }
  return 0;
}

void FieldControls::Int32(const char* name, std::int32_t& value) {
  const std::int32_t control = ControlOf(name);
  if (control == 0) return;
  if (direction_ == Direction::kShow) {
    ui_.SetChecked(control, value != 0);
  } else {
    value = ui_.IsChecked(control) ? 1 : 0;
  }
}

void FieldControls::Bool(const char* name, bool& value) {
  const std::int32_t control = ControlOf(name);
  if (control == 0) return;
  if (direction_ == Direction::kShow) {
    ui_.SetChecked(control, value);
  } else {
    value = ui_.IsChecked(control);
  }
}

void FieldControls::Text(const char* name, std::wstring& value, TextUse) {
  const std::int32_t control = ControlOf(name);
  if (control == 0) return;
  if (direction_ == Direction::kShow) {
    ui_.SetText(control, value);
  } else {
    value = ui_.Text(control);
  }
}

void FieldControls::TextList(const char* name, std::vector<std::wstring>& values, TextUse) {
  const std::int32_t control = ControlOf(name);
  if (control == 0) return;
  if (direction_ == Direction::kShow) {
    ui_.SetText(control, JoinChoices(values));
  } else {
    values = SplitChoices(ui_.Text(control));
  }
}

}  // namespace vendrel::commands
