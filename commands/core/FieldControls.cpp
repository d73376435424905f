// Fields to controls and back.
#include "commands/core/FieldControls.h"

#include <cstring>

#include "commands/core/ChoiceLines.h"

namespace vendrel::commands {

using enum FieldControl::Kind;

const FieldControl* FieldControls::Find(const char* name) const {
  for (const FieldControl& bound : bound_) {
    if (std::strcmp(bound.field, name) == 0) return &bound;
  }
  return nullptr;
}

template <class Matches>
void FieldControls::Choose(std::int32_t list, Matches matches) {
  for (std::int32_t i = 0; i < ui_.ItemCount(list); ++i) {
    if (matches(i)) {
      ui_.SelectItem(list, i);
      return;
    }
  }
}

void FieldControls::ShowNumber(const FieldControl& bound, std::int32_t value) {
  switch (bound.kind) {
    case kPlain:
    case kOpposite:
      ui_.SetChecked(bound.control, (value != 0) == (bound.kind == kPlain));
      break;
    case kRadios: {
      const bool listed = value >= 0 && value <= bound.last - bound.control;
      ui_.CheckRadio(bound.control, bound.last, bound.control + (listed ? value : 0));
      break;
    }
    case kList:
      Choose(bound.control,
             [&](std::int32_t i) { return ui_.ItemData(bound.control, i) == value; });
      break;
  }
}

void FieldControls::TakeNumber(const FieldControl& bound, std::int32_t& value) const {
  switch (bound.kind) {
    case kPlain:
    case kOpposite:
      value = ui_.IsChecked(bound.control) == (bound.kind == kPlain) ? 1 : 0;
      break;
    case kRadios:
      // The last one checked: where no dialog manager clears the others, a click only checks.
      for (std::int32_t id = bound.last; id >= bound.control; --id) {
        if (ui_.IsChecked(id)) {
          value = id - bound.control;
          break;
        }
      }
      break;
    case kList:
      if (const std::int32_t chosen = ui_.SelectedItem(bound.control); chosen >= 0)
        value = static_cast<std::int32_t>(ui_.ItemData(bound.control, chosen));
      break;
  }
}

bool FieldControls::Edit(const char* name, std::wstring& text) {
  const FieldControl* bound = Find(name);
  if (bound == nullptr) return false;
  if (direction_ == Direction::kTake) {
    text = ui_.Text(bound->control);
    return true;
  }
  if (bound->kind != kList) {
    ui_.SetText(bound->control, text);
  } else if (!text.empty()) {
    Choose(bound->control, [&](std::int32_t i) { return ui_.ItemText(bound->control, i) == text; });
  }
  return false;
}

void FieldControls::Int32(const char* name, std::int32_t& value) {
  const FieldControl* bound = Find(name);
  if (bound == nullptr) return;
  if (direction_ == Direction::kShow) {
    ShowNumber(*bound, value);
  } else {
    TakeNumber(*bound, value);
  }
}

void FieldControls::Bool(const char* name, bool& value) {
  std::int32_t number = value ? 1 : 0;
  Int32(name, number);
  value = number != 0;
}

void FieldControls::Text(const char* name, std::wstring& value, TextUse) {
  Edit(name, value);
}

void FieldControls::TextList(const char* name, std::vector<std::wstring>& values, TextUse) {
  std::wstring lines = JoinChoices(values);
  if (Edit(name, lines)) values = SplitChoices(lines);
}

}  // namespace vendrel::commands
