// An editor's controls filled from a kind's fields and read back into them, by field name, so
// that an editor names its controls and the kind's own walk does the copying.
#pragma once

#include <cstdint>
#include <span>

#include "commands/core/Fields.h"
#include "platform/Dialog.h"

namespace vendrel::commands {

// A text in an edit, a number or flag in a check box (read back as 1 or 0), a text list in a
// multi-line edit, one entry per line.
struct FieldControl {
  const char* field;  // the field's JSON name
  std::int32_t control;
};

// Visits a kind's fields, moving each bound one between the fields and its control.
class FieldControls final : public FieldVisitor {
 public:
  enum class Direction { kShow, kTake };
  FieldControls(platform::DialogSurface& ui, std::span<const FieldControl> bound,
                Direction direction)
      : ui_(ui), bound_(bound), direction_(direction) {}

  void Int32(const char* name, std::int32_t& value) override;
  void Bool(const char* name, bool& value) override;
  void Text(const char* name, std::wstring& value, TextUse use) override;
  void TextList(const char* name, std::vector<std::wstring>& values, TextUse use) override;

 private:
  std::int32_t ControlOf(const char* name) const;  // 0: not bound
  // Move a check box's state or an edit's text either way; true when taken from the control.
  bool Check(const char* name, bool& checked);
  bool Edit(const char* name, std::wstring& text);
  template <class T, class Show, class Take>
  bool Move(const char* name, T& value, Show show, Take take);

  platform::DialogSurface& ui_;
  std::span<const FieldControl> bound_;
  Direction direction_;
};

template <class Fields>
void ShowFields(platform::DialogSurface& ui, Fields fields, std::span<const FieldControl> bound) {
  FieldControls show(ui, bound, FieldControls::Direction::kShow);
  fields.Visit(show);
}

template <class Fields>
void TakeFields(platform::DialogSurface& ui, Fields& fields, std::span<const FieldControl> bound) {
  FieldControls take(ui, bound, FieldControls::Direction::kTake);
  fields.Visit(take);
}

}  // namespace vendrel::commands
