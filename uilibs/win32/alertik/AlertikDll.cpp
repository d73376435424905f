// Alertik.dll: the message box with buttons of its own behind one C entry point; no exception
// leaves the library.
#include "uilibs/win32/AlertikAbi.h"
#include "uilibs/win32/alertik/ButtonBox.h"

namespace alertik = vendrel::alertik;

extern "C" {

std::int32_t giMessageBox(HWND parent, const wchar_t* caption, const wchar_t* text, HICON icon,
                          const AlertikButton* buttons, std::int32_t count, std::int32_t help) {
  try {
    alertik::ButtonBox box{parent, caption ? caption : L"", text ? text : L"", icon, {}, help != 0};
    for (std::int32_t i = 0; i < count; ++i)
      box.buttons.push_back({buttons[i].text ? buttons[i].text : L"", buttons[i].number});
    return alertik::Show(box);
  } catch (...) {
    return -1;
  }
}
}
