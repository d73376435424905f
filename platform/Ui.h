// User-interface services: message boxes and the wait cursor. Styles and results use the
// Win32 values (MB_*, ID*) so that both builds speak the same numbers.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace vendrel::platform {

// A native window handle as an integer; 0 means no owner.
using Window = std::uintptr_t;
// A dialog's owner when its caller names none: the top-level window of the thread's active
// window, so that it cannot fall behind the host's.
inline constexpr Window kDefaultOwner = ~Window{0};

namespace mb {
inline constexpr std::uint32_t kOk = 0x0;
inline constexpr std::uint32_t kOkCancel = 0x1;
inline constexpr std::uint32_t kYesNoCancel = 0x3;
inline constexpr std::uint32_t kYesNo = 0x4;
inline constexpr std::uint32_t kIconError = 0x10;  // also the stop icon
inline constexpr std::uint32_t kIconQuestion = 0x20;
inline constexpr std::uint32_t kIconExclamation = 0x30;
inline constexpr std::uint32_t kIconInformation = 0x40;
inline constexpr std::uint32_t kButtonMask = 0xF;
inline constexpr std::uint32_t kIconMask = 0xF0;
inline constexpr std::uint32_t kSystemModal = 0x1000;  // on top of every window, for no owner
}  // namespace mb

// Message box results.
enum class Answer : int { kOk = 1, kCancel = 2, kYes = 6, kNo = 7 };

struct MessageBoxRequest {
  Window owner = 0;
  std::wstring text;
  std::wstring caption;
  std::uint32_t style = mb::kOk;
};

class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  virtual Answer Show(const MessageBoxRequest& request) = 0;
  // Whether `window` is an existing window that can own a box. Builds without real windows
  // take any non-zero handle for one.
  virtual bool IsLiveWindow(Window window) { return window != 0; }
};

// One button of a button box: its text and the number the box gives when it is pressed.
struct BoxButton {
  std::wstring text;
  std::int32_t number = 0;
};

// The host's message box with buttons of its own, such as a warning's "OK" and "OK to All".
struct ButtonBoxRequest {
  Window owner = 0;
  std::wstring text;
  std::wstring caption;
  std::int32_t icon = 0;           // an icon of the host's icon library; 0 for none
  std::vector<BoxButton> buttons;  // left to right, the first the default
  bool help = false;  // a Help button after them, which closes nothing: no help is handled
};

class ButtonBoxes {
 public:
  virtual ~ButtonBoxes() = default;
  // The pressed button's number; the first button's when the box is closed without one.
  virtual std::int32_t Show(const ButtonBoxRequest& request) = 0;
};

// Shows the wait cursor while a scope object lives.
class WaitCursor {
 public:
  virtual ~WaitCursor() = default;
  // The returned object restores the previous cursor when destroyed.
  [[nodiscard]] virtual std::unique_ptr<WaitCursor> Begin() = 0;
};

}  // namespace vendrel::platform
