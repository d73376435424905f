// Blob: the rich-edit control that highlights registered patterns, as far as dialogs use it
// portably: the control it is bound to and the patterns registered on it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vendrel::glyphex {

class Blob {
 public:
  struct Pattern {
    std::wstring text;
    bool flag = false;
    std::wstring name;
    std::wstring description;
    std::wstring tip;
  };

  explicit Blob(std::int32_t /*reserved*/) {}

  // Binds the object to the dialog's rich-edit control with this id.
  void mvDDX_Control(std::int32_t controlId) { controlId_ = controlId; }
  std::int32_t ControlId() const { return controlId_; }

  // A pattern is registered once; registering it again changes nothing.
  void mvAddPattern(const std::wstring& text, bool flag, const std::wstring& name,
                    const std::wstring& description, const std::wstring& tip);
  const std::vector<Pattern>& Patterns() const { return patterns_; }

 private:
  std::int32_t controlId_ = 0;
  std::vector<Pattern> patterns_;
};

}  // namespace vendrel::glyphex
