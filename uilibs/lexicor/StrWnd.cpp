// Localized-window base.
#include "uilibs/lexicor/StrWnd.h"

#include "uilibs/lexicor/Lexicor.h"

namespace vendrel::lexicor {

bool StrWnd::mbInitStrWnd(StrWndTarget* window, const wchar_t* section, bool resizable,
                          const wchar_t* /*reserved1*/, const wchar_t* /*reserved2*/,
                          const wchar_t* /*reserved3*/) {
  if (!section) return false;
  window_ = window;
  section_ = section;
  resizable_ = resizable;
  initialized_ = true;
  if (window_) {
    for (const auto& [id, text] : TableOfCurrentFile(section_)) {
      if (id == 0)
        window_->SetCaption(text);
      else
        window_->SetControlText(id, text);
    }
  }
  return true;
}

CtrlRect StrWnd::moGetCtrlPos(std::int32_t controlId) const {
  if (window_) {
    if (const auto rect = window_->ControlPos(controlId)) return *rect;
  }
  const auto found = positions_.find(controlId);
  return found == positions_.end() ? CtrlRect{} : found->second;
}

void StrWnd::mvSetCtrlPos(std::int32_t controlId, const CtrlRect& rect, std::int32_t /*flags*/) {
  positions_[controlId] = rect;
  if (window_) window_->MoveControl(controlId, rect);
}

void StrWnd::mvAutoSizeCtrl(std::int32_t controlId) {
  if (window_) window_->FitControlToText(controlId);
}

bool StrWnd::mbOnHelp(std::int32_t /*controlId*/) {
  return false;
}

std::wstring StrWnd::moGetToolTip(std::int32_t /*controlId*/) {
  return {};
}

std::int32_t StrWnd::miMessageBox(const wchar_t* text, const wchar_t* caption,
                                  std::uint32_t style) {
  if (!window_) return 0;
  return window_->ShowMessage(text ? text : L"", caption ? caption : L"", style);
}

void StrWnd::mvDeInitStrWnd() {
  window_ = nullptr;
  initialized_ = false;
  resizable_ = false;
  section_.clear();
  positions_.clear();
}

}  // namespace vendrel::lexicor
