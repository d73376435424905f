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

template <class T, class Show, class Take>
bool FieldControls::Move(const char* name, T& value, Show show, Take take) {
  const std::int32_t control = ControlOf(name);
  if (control == 0) return false;
  if (direction_ == Direction::kShow) {
    (ui_.*show)(control, value);
    return false;
  }
  value = (ui_.*take)(control);
  return true;
}

bool FieldControls::Check(const char* name, bool& checked) {
  return Move(name, checked, &platform::DialogSurface::SetChecked,
              &platform::DialogSurface::IsChecked);
}

bool FieldControls::Edit(const char* name, std::wstring& text) {
  return Move(name, text, &platform::DialogSurface::SetText, &platform::DialogSurface::Text);
}

void FieldControls::Int32(const char* name, std::int32_t& value) {
  bool checked = value != 0;
  if (Check(name, checked)) value = checked ? 1 : 0;
}

void FieldControls::Bool(const char* name, bool& value) {
  Check(name, value);
}

void FieldControls::Text(const char* name, std::wstring& value, TextUse) {
  Edit(name, value);
}

void FieldControls::TextList(const char* name, std::vector<std::wstring>& values, TextUse) {
  std::wstring lines = JoinChoices(values);
  if (Edit(name, lines)) values = SplitChoices(lines);
}

}  // namespace vendrel::commands
