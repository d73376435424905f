// An editor's controls filled from a kind's fields and read back into them, by field name, so
// that an editor names its controls and the kind's own walk does the copying.
#pragma once

#include <cstdint>
#include <span>

#include "commands/core/Fields.h"
#include "platform/Dialog.h"

namespace vendrel::commands {

struct FieldControl {
  enum class Kind {
    // A text in an edit, a number or flag in a check box (read back as 1 or 0), a text list in a
    // multi-line edit, one entry per line.
    kPlain,
    // A flag in a check box that shows its opposite.
    kOpposite,
    // A number or flag in the run of radio buttons from `control` to `last`: the n-th stands for
    // n, and a number none stands for shows the first.
    kRadios,
    // The entry of a list chosen: the one with exactly the text, or the one whose item data is
    // the number. A text is read back as the control's text.
    kList,
  };
  const char* field;  // the field's JSON name
  std::int32_t control;
  Kind kind = Kind::kPlain;
  std::int32_t last = 0;  // of kRadios
};

// Visits a kind's fields, moving each bound one between the fields and its control. A field
// whose control shows no value (no radio button checked, no entry chosen) keeps its value.
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
  const FieldControl* Find(const char* name) const;
  void ShowNumber(const FieldControl& bound, std::int32_t value);
  void TakeNumber(const FieldControl& bound, std::int32_t& value) const;
  template <class Matches>
  void Choose(std::int32_t list, Matches matches);
  // Move an edit's text either way, or choose a list's entry; true when taken from the control.
  bool Edit(const char* name, std::wstring& text);

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
