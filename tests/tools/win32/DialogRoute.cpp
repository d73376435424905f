// The route's thread and its steps over window messages.
#include "tests/tools/win32/DialogRoute.h"

#include "tests/platform/win32/BoxPresser.h"

namespace vendrel::tools {
namespace {

HWND WaitForDialog(const std::wstring& caption) {
  for (int tries = 0; tries < 3000; ++tries) {
    const HWND dialog = FindWindowW(L"#32770", caption.c_str());
    if (dialog && IsWindowVisible(dialog) && IsWindowEnabled(dialog)) return dialog;
    Sleep(10);
  }
  return nullptr;
}

}  // namespace

DialogRoute::DialogRoute(std::vector<RouteStage> stages)
    : stages_(std::move(stages)), thread_([this] { Walk(); }) {}

DialogRoute::~DialogRoute() {
  if (thread_.joinable()) thread_.join();
}

const std::vector<std::wstring>& DialogRoute::Reached() {
  if (thread_.joinable()) thread_.join();
  return reached_;
}

int DialogRoute::Screenshots() {
  if (thread_.joinable()) thread_.join();
  return screenshots_;
}

void DialogRoute::Walk() {
  for (const RouteStage& stage : stages_) {
    const HWND dialog = WaitForDialog(stage.caption);
    if (!dialog) return;
    reached_.push_back(stage.caption);
    if (stage.steps) stage.steps(dialog);
    if (!stage.screenshot.empty()) {
      RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
      Sleep(300);
      screenshots_ += platform::testing::SaveScreenshot(dialog, stage.screenshot) ? 1 : 0;
    }
    // Posted: a click that opens a modal dialog does not return before that dialog closes.
    const HWND button = GetDlgItem(dialog, stage.leaveWith);
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(stage.leaveWith, BN_CLICKED),
                 reinterpret_cast<LPARAM>(button));
    // The next stage may be this dialog again: wait until the click has taken it away.
    for (int tries = 0;
         tries < 300 && IsWindow(dialog) && IsWindowEnabled(dialog) && IsWindowVisible(dialog);
         ++tries) {
      Sleep(10);
    }
  }
}

void SetItemText(HWND dialog, int id, const std::wstring& text) {
  SendDlgItemMessageW(dialog, id, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void ClickNow(HWND dialog, int id) {
  SendDlgItemMessageW(dialog, id, BM_CLICK, 0, 0);
}

bool ChooseEntry(HWND dialog, int id, const std::wstring& text) {
  return SendDlgItemMessageW(dialog, id, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                             reinterpret_cast<LPARAM>(text.c_str())) != CB_ERR;
}

}  // namespace vendrel::tools
