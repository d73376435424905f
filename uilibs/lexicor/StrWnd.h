// StrWnd: the localized-window base of dialogs and commands. It keeps its section, state and
// control positions itself and reaches a real window only through a StrWndTarget.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>

namespace vendrel::lexicor {

struct CtrlRect {
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t right = 0;
  std::int32_t bottom = 0;
  friend bool operator==(const CtrlRect&, const CtrlRect&) = default;
};

// What a localized window needs from the window it stands for; the windows build implements it
// over a dialog handle, the native build over a presenter's dialog surface.
class StrWndTarget {
 public:
  virtual ~StrWndTarget() = default;
  virtual void SetCaption(const std::wstring& text) = 0;
  virtual void SetControlText(std::int32_t controlId, const std::wstring& text) = 0;
  virtual std::optional<CtrlRect> ControlPos(std::int32_t controlId) const = 0;
  virtual void MoveControl(std::int32_t controlId, const CtrlRect& rect) = 0;
  virtual void FitControlToText(std::int32_t controlId) = 0;
  // Message box results and styles are the Win32 values (IDOK, MB_*).
  virtual std::int32_t ShowMessage(const std::wstring& text, const std::wstring& caption,
                                   std::uint32_t style) = 0;
};

class StrWnd {
 public:
  virtual ~StrWnd() = default;

  // Gives the window the texts of table `section` in the current string file: id 0 is the
  // caption, any other id the control with that id; controls without a text keep their own.
  // The three texts are reserved and passed empty.
  bool mbInitStrWnd(StrWndTarget* window, const wchar_t* section, bool resizable,
                    const wchar_t* reserved1, const wchar_t* reserved2, const wchar_t* reserved3);
  bool mbIsStrWndInitialized() const { return initialized_; }
  const std::wstring& Section() const { return section_; }
  bool IsResizable() const { return resizable_; }

  // Positions in client pixels: the window's own when bound, else the last one set.
  CtrlRect moGetCtrlPos(std::int32_t controlId) const;
  void mvSetCtrlPos(std::int32_t controlId, const CtrlRect& rect, std::int32_t flags);
  void mvAutoSizeCtrl(std::int32_t controlId);

  // Overridable; the system keeps the defaults.
  virtual bool mbOnHelp(std::int32_t controlId);              // false: not handled
  virtual std::wstring moGetToolTip(std::int32_t controlId);  // empty: no tool tip
  virtual std::int32_t miMessageBox(const wchar_t* text, const wchar_t* caption,
                                    std::uint32_t style);  // 0 when no window shows it
  virtual void mvDeInitStrWnd();

 private:
  StrWndTarget* window_ = nullptr;  // not owned; the window outlives its initialization
  bool initialized_ = false;
  bool resizable_ = false;
  std::wstring section_;
  std::map<std::int32_t, CtrlRect> positions_;
};

}  // namespace vendrel::lexicor
