// The Win32 side of Glyphex.dll: a dialog's rich-edit control that colours every occurrence of
// its patterns whenever its text is set or edited.
#pragma once

#include <windows.h>

#include <string>

#include "uilibs/glyphex/Patterns.h"

namespace vendrel::glyphex {

// The colour of highlighted text.
inline constexpr COLORREF kPatternColour = RGB(0, 0, 192);

class BlobControl {
 public:
  BlobControl() = default;
  ~BlobControl() { Unbind(); }
  BlobControl(const BlobControl&) = delete;
  BlobControl& operator=(const BlobControl&) = delete;

  // Watches the control's edits through its dialog; text set before binding is given to it.
  bool Bind(HWND dialog, int controlId);
  void SetText(const std::wstring& text);
  // The control's text while bound; after its dialog is gone, the text it last had.
  std::wstring Text() const;
  void AddPattern(Pattern pattern);
  const PatternList& Patterns() const { return patterns_; }
  HWND Control() const { return control_; }

 private:
  static LRESULT CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam,
                                     UINT_PTR id, DWORD_PTR self);
  void Unbind();
  void Highlight();

  HWND dialog_ = nullptr;
  HWND control_ = nullptr;
  std::wstring text_;  // while unbound
  PatternList patterns_;
  bool highlighting_ = false;
};

}  // namespace vendrel::glyphex
