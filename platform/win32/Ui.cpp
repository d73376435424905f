// Message boxes and the wait cursor over user32.
#include "platform/win32/Ui.h"

#include <windows.h>

#include "uilibs/win32/Alertik.h"
#include "uilibs/win32/Iconel.h"

namespace vendrel::platform {
namespace {

class Scope final : public WaitCursor {
 public:
  Scope() : previous_(SetCursor(LoadCursorW(nullptr, IDC_WAIT))) {}
  ~Scope() override { SetCursor(previous_); }
  Scope(const Scope&) = delete;
  Scope& operator=(const Scope&) = delete;
  [[nodiscard]] std::unique_ptr<WaitCursor> Begin() override { return std::make_unique<Scope>(); }

 private:
  HCURSOR previous_;
};

}  // namespace

// A failed box (0) and the answers of other button sets pass through like the four named ones.
Answer Win32MessageBoxes::Show(const MessageBoxRequest& request) {
  const int result = MessageBoxW(reinterpret_cast<HWND>(request.owner), request.text.c_str(),
                                 request.caption.c_str(), request.style);
  return static_cast<Answer>(result);
}

bool Win32MessageBoxes::IsLiveWindow(Window window) {
  return IsWindow(reinterpret_cast<HWND>(window)) != FALSE;
}

std::int32_t Win32ButtonBoxes::Show(const ButtonBoxRequest& request) {
  constexpr std::int32_t kIconSize = 32;
  const iconel::UniqueIcon icon =
      request.icon ? iconel::HostIcon(request.icon, kIconSize) : nullptr;
  std::vector<alertik::Button> buttons;
  for (const BoxButton& b : request.buttons) buttons.push_back({b.text, b.number});
  return alertik::giMessageBox(reinterpret_cast<HWND>(request.owner), request.caption, request.text,
                               icon.get(), buttons, request.help);
}

std::unique_ptr<WaitCursor> Win32WaitCursor::Begin() {
  return std::make_unique<Scope>();
}

}  // namespace vendrel::platform
