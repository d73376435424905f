// Drives a real dialog from a helper thread by window messages, as a person at the screen would.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <thread>

namespace vendrel::testing {

// From construction on, waits for a dialog with `caption`; then runs `steps` on it (from this
// thread), saves a screenshot when `screenshot` names a file, and presses OK.
class DialogDriver {
 public:
  using Steps = std::function<void(HWND dialog)>;

  DialogDriver(std::wstring caption, Steps steps, std::wstring screenshot);
  ~DialogDriver();
  DialogDriver(const DialogDriver&) = delete;
  DialogDriver& operator=(const DialogDriver&) = delete;

  // Waits for the driver to finish.
  bool Found();
  bool ScreenshotSaved();

 private:
  void Run();

  std::wstring caption_;
  Steps steps_;
  std::wstring screenshot_;
  bool found_ = false;
  bool saved_ = false;
  std::thread thread_;
};

// Window-message helpers for the steps.
std::wstring ItemText(HWND dialog, int id);
bool Checked(HWND dialog, int id);
bool Enabled(HWND dialog, int id);
void Press(HWND dialog, int id);
// The item's rectangle in the dialog's client coordinates.
RECT ItemRect(HWND dialog, int id);

}  // namespace vendrel::testing
