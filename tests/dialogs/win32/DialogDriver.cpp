// The dialog driver thread and its message helpers.
#include "tests/dialogs/win32/DialogDriver.h"

#include "tests/platform/win32/BoxPresser.h"

namespace vendrel::testing {

DialogDriver::DialogDriver(std::wstring caption, Steps steps, std::wstring screenshot)
    : caption_(std::move(caption)),
      steps_(std::move(steps)),
      screenshot_(std::move(screenshot)),
      thread_([this] { Run(); }) {}

DialogDriver::~DialogDriver() {
  if (thread_.joinable()) thread_.join();
}

bool DialogDriver::Found() {
  if (thread_.joinable()) thread_.join();
  return found_;
}

bool DialogDriver::ScreenshotSaved() {
  if (thread_.joinable()) thread_.join();
  return saved_;
}

void DialogDriver::Run() {
  HWND dialog = nullptr;
  for (int tries = 0; tries < 1000 && !(dialog && IsWindowVisible(dialog)); ++tries) {
    Sleep(10);
    dialog = FindWindowW(L"#32770", caption_.c_str());
  }
  if (!dialog) return;
  found_ = true;
  if (steps_) steps_(dialog);
  if (!screenshot_.empty()) {
    // Painting happens on the dialog's thread; give the X server a moment to show it.
    RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    Sleep(200);
    saved_ = platform::testing::SaveScreenshot(dialog, screenshot_);
  }
  Press(dialog, IDOK);
}

std::wstring ItemText(HWND dialog, int id) {
  wchar_t text[1024] = {};
  GetDlgItemTextW(dialog, id, text, 1024);
  return text;
}

bool Checked(HWND dialog, int id) {
  return SendDlgItemMessageW(dialog, id, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

bool Enabled(HWND dialog, int id) {
  return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE;
}

void Press(HWND dialog, int id) {
  SendMessageW(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

RECT ItemRect(HWND dialog, int id) {
  RECT r{};
  GetWindowRect(GetDlgItem(dialog, id), &r);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

}  // namespace vendrel::testing
