// The C entry point of Alertik.dll, shared by the library and the add-in's lazy binding.
#pragma once

#include <windows.h>

#include <cstdint>

extern "C" {
// One button of the box: its text and the number the box returns when it is pressed, which is
// also the button's control id (from 1 to 65534).
struct AlertikButton {
  const wchar_t* text;
  std::int32_t number;
};

// Shows a modal box over `parent` (may be null) with `icon` (may be null) left of `text` and the
// buttons left to right, the first one the default, and a Help button after them when `help` is
// not 0, which sends the owner nothing and closes nothing. Returns the pressed button's number;
// closing the box without a button (Escape, the close box) gives the first button's number; -1 when
// no box could be shown (no buttons, a number out of range, no window).
using GiMessageBox = std::int32_t(HWND parent, const wchar_t* caption, const wchar_t* text,
                                  HICON icon, const AlertikButton* buttons, std::int32_t count,
                                  std::int32_t help);
}
