// Answers a real message box the way a person would: finds it by caption, reads it, presses.
#pragma once

#include <windows.h>

#include <string>
#include <thread>
#include <vector>

namespace vendrel::platform::testing {

// What the box showed while it was up.
struct SeenBox {
  bool found = false;
  std::vector<std::wstring> texts;  // of its static controls
  std::vector<int> buttons;         // ids among IDOK, IDCANCEL, IDYES, IDNO and Help's
  HWND owner = nullptr;
  bool ownerEnabled = true;
  bool screenshotSaved = false;
};

// Watches on its own thread, from construction on, for a dialog box with `caption`; then
// saves a screenshot of it when `screenshot` names a file and clicks the button `button` (a box
// without that button gets Escape's IDCANCEL).
class BoxPresser {
 public:
  BoxPresser(std::wstring caption, int button, std::wstring screenshot);
  ~BoxPresser();
  BoxPresser(const BoxPresser&) = delete;
  BoxPresser& operator=(const BoxPresser&) = delete;

  // Waits for the presser to finish, then tells what it saw.
  const SeenBox& Seen();

 private:
  void Run();

  std::wstring caption_;
  int button_;
  std::wstring screenshot_;
  SeenBox seen_;
  std::thread thread_;
};

// A visible top-level window for a box to belong to, destroyed with the object.
class OwnerWindow {
 public:
  OwnerWindow()
      : window_(CreateWindowExW(0, L"STATIC", L"Vault", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100,
                                500, 300, nullptr, nullptr, nullptr, nullptr)) {}
  ~OwnerWindow() { DestroyWindow(window_); }
  OwnerWindow(const OwnerWindow&) = delete;
  OwnerWindow& operator=(const OwnerWindow&) = delete;
  HWND Get() const { return window_; }

 private:
  HWND window_;
};

// Saves the screen's pixels under `window` as a 24-bit BMP file; false when that fails.
bool SaveScreenshot(HWND window, const std::wstring& path);

// The file for a screenshot called `name` in the artefacts folder (VENDREL_ARTEFACTS), or empty
// when no folder is given.
std::wstring ArtefactPath(const std::wstring& name);

}  // namespace vendrel::platform::testing
