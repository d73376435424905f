// The host's message box with buttons of its own, from Alertik.dll in the installation folder.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace vendrel::alertik {

// A button's text and the number the box returns when it is pressed (1 to 65534).
struct Button {
  std::wstring text;
  std::int32_t number = 0;
};

// The pressed button's number; the first button's when the box is closed without one; -1 when
// no box could be shown. `help` adds a Help button, which closes nothing. Loads Alertik.dll at
// the first call.
std::int32_t giMessageBox(HWND parent, const std::wstring& caption, const std::wstring& text,
                          HICON icon, const std::vector<Button>& buttons, bool help = false);

}  // namespace vendrel::alertik
