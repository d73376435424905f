// The Win32 side of Alertik.dll: a message box whose buttons are given by text and number.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace vendrel::alertik {

struct BoxButton {
  std::wstring text;
  std::int32_t number = 0;
};

struct ButtonBox {
  HWND parent = nullptr;
  std::wstring caption;
  std::wstring text;
  HICON icon = nullptr;  // borrowed
  std::vector<BoxButton> buttons;
  bool help = false;  // a Help button after the others, with the framework's help command
};

// Runs the box modally; the pressed button's number, the first one's when dismissed, -1 when
// the box cannot be shown.
std::int32_t Show(const ButtonBox& box);

}  // namespace vendrel::alertik
