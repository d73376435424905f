// The custom message box's call into Alertik.dll, bound at its first use.
#include "uilibs/win32/Alertik.h"

#include "uilibs/win32/AlertikAbi.h"
#include "uilibs/win32/HostLibraries.h"

namespace vendrel::alertik {

std::int32_t giMessageBox(HWND parent, const std::wstring& caption, const std::wstring& text,
                          HICON icon, const std::vector<Button>& buttons, bool help) {
  static uilibs::LazyLibrary library(L"Alertik.dll");
  std::vector<AlertikButton> list;
  for (const Button& b : buttons) list.push_back({b.text.c_str(), b.number});
  return VENDREL_LAZY_ENTRY(library, GiMessageBox, "giMessageBox")(
      parent, caption.c_str(), text.c_str(), icon, list.data(),
      static_cast<std::int32_t>(list.size()), help ? 1 : 0);
}

}  // namespace vendrel::alertik
