// Walks dialogs of another process one after the other, as a person at the screen would.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace vendrel::tools {

// One dialog on the way: found by its caption once it is visible and enabled (not behind a
// dialog it opened), given its steps, photographed when `screenshot` names a file, and left by
// posting a click on `leaveWith`, which may open the next dialog.
struct RouteStage {
  std::wstring caption;
  std::function<void(HWND dialog)> steps;
  int leaveWith = IDOK;
  std::wstring screenshot;
};

class DialogRoute {
 public:
  // Starts walking at once, on a thread of its own.
  explicit DialogRoute(std::vector<RouteStage> stages);
  ~DialogRoute();
  DialogRoute(const DialogRoute&) = delete;
  DialogRoute& operator=(const DialogRoute&) = delete;

  // Waits for the walk to end: the captions of the stages reached, in order, and the number of
  // screenshots saved.
  const std::vector<std::wstring>& Reached();
  int Screenshots();

 private:
  void Walk();

  std::vector<RouteStage> stages_;
  std::vector<std::wstring> reached_;
  int screenshots_ = 0;
  std::thread thread_;
};

// Steps: each waits until the dialog has handled it.
void SetItemText(HWND dialog, int id, const std::wstring& text);
void ClickNow(HWND dialog, int id);  // a button that opens no dialog
bool ChooseEntry(HWND dialog, int id, const std::wstring& text);

}  // namespace vendrel::tools
