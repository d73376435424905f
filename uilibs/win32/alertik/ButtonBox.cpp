// The button box: an empty dialog template built in memory whose controls are created and laid
// out at start, sized to the text and the buttons.
#include "uilibs/win32/alertik/ButtonBox.h"

#include <algorithm>
#include <cstring>

#include "platform/DialogRes.h"
#include "uilibs/win32/Handle.h"

namespace vendrel::alertik {

namespace {

constexpr int kMargin = 12;
constexpr int kGap = 8;
constexpr int kIconSize = 32;
constexpr int kButtonHeight = 24;
constexpr int kMinButtonWidth = 80;
constexpr int kMaxTextWidth = 420;
constexpr WORD kStaticId = 0xFFFF;  // the statics need no id of their own

// A DS_SETFONT template with the caption and no controls, laid out as DLGTEMPLATE demands:
// style, counts and position, then menu, class, title and font as words.
std::vector<WORD> Template(const std::wstring& caption) {
  DLGTEMPLATE head{};
  head.style = DS_MODALFRAME | DS_CENTER | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU;
  head.cx = 200;
  head.cy = 80;
  std::vector<WORD> words(sizeof head / sizeof(WORD));
  std::memcpy(words.data(), &head, sizeof head);
  words.push_back(0);  // no menu
  words.push_back(0);  // the standard dialog class
  words.insert(words.end(), caption.begin(), caption.end());
  words.push_back(0);
  words.push_back(8);  // point size
  const std::wstring font = L"MS Shell Dlg";
  words.insert(words.end(), font.begin(), font.end());
  words.push_back(0);
  return words;
}

SIZE TextExtent(HWND dialog, const std::wstring& text, UINT format, int width) {
  const uilibs::UniqueWindowDc dc = uilibs::WindowDcOf(dialog);
  const HDC drawn = dc.Get().dc;
  const HGDIOBJ old =
      SelectObject(drawn, reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0)));
  RECT r{0, 0, width, 0};
  DrawTextW(drawn, text.c_str(), static_cast<int>(text.size()), &r, format | DT_CALCRECT);
  SelectObject(drawn, old);
  return {r.right, r.bottom};
}

HWND Child(HWND dialog, const wchar_t* cls, const std::wstring& text, DWORD style, WORD id,
           RECT r) {
  const HWND child =
      CreateWindowExW(0, cls, text.c_str(), WS_CHILD | WS_VISIBLE | style, r.left, r.top,
                      r.right - r.left, r.bottom - r.top, dialog,
                      reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), nullptr, nullptr);
  SendMessageW(child, WM_SETFONT, SendMessageW(dialog, WM_GETFONT, 0, 0), FALSE);
  return child;
}

void Layout(HWND dialog, const ButtonBox& box) {
  const UINT textFormat = DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS;
  const SIZE text = TextExtent(dialog, box.text, textFormat, kMaxTextWidth);
  const int textLeft = kMargin + (box.icon ? kIconSize + kGap : 0);

  // Help only shows: its command is not one of the box's buttons, so nothing closes the box.
  std::vector<BoxButton> shown = box.buttons;
  if (box.help) shown.push_back({L"Help", ID_HELP_COMMAND});
  std::vector<int> widths;
  int buttonsWidth = 0;
  for (const BoxButton& b : shown) {
    widths.push_back(
        std::max<int>(kMinButtonWidth, TextExtent(dialog, b.text, DT_SINGLELINE, 0).cx + 2 * kGap));
    buttonsWidth += widths.back() + (widths.size() > 1 ? kGap : 0);
  }
  const int width = std::max<int>(textLeft + text.cx, buttonsWidth) + 2 * kMargin;
  const int top = kMargin + std::max<int>(text.cy, box.icon ? kIconSize : 0) + 2 * kGap;

  if (box.icon) {
    const HWND icon = Child(dialog, L"STATIC", L"", SS_ICON, kStaticId,
                            {kMargin, kMargin, kMargin + kIconSize, kMargin + kIconSize});
    SendMessageW(icon, STM_SETICON, reinterpret_cast<WPARAM>(box.icon), 0);
  }
  Child(dialog, L"STATIC", box.text, SS_NOPREFIX, kStaticId,
        {textLeft, kMargin, textLeft + text.cx, kMargin + text.cy});
  int left = width - kMargin - buttonsWidth;
  for (std::size_t i = 0; i < shown.size(); ++i) {
    const DWORD style = WS_TABSTOP | (i == 0 ? BS_DEFPUSHBUTTON | WS_GROUP : BS_PUSHBUTTON);
    Child(dialog, L"BUTTON", shown[i].text, style, static_cast<WORD>(shown[i].number),
          {left, top, left + widths[i], top + kButtonHeight});
    left += widths[i] + kGap;
  }
  SendMessageW(dialog, DM_SETDEFID, static_cast<WPARAM>(box.buttons.front().number), 0);
  SetFocus(GetDlgItem(dialog, box.buttons.front().number));

  RECT frame{0, 0, width, top + kButtonHeight + kMargin};
  AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrW(dialog, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongPtrW(dialog, GWL_EXSTYLE)));
  RECT owner{};
  const HWND parent = GetParent(dialog);
  if (!parent || !GetWindowRect(parent, &owner)) GetWindowRect(GetDesktopWindow(), &owner);
  const int w = frame.right - frame.left, h = frame.bottom - frame.top;
  MoveWindow(dialog, (owner.left + owner.right - w) / 2, (owner.top + owner.bottom - h) / 2, w, h,
             FALSE);
}

bool IsButton(const ButtonBox& box, int id) {
  return std::any_of(box.buttons.begin(), box.buttons.end(),
                     [id](const BoxButton& b) { return b.number == id; });
}

INT_PTR CALLBACK BoxProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  try {
    if (message == WM_INITDIALOG) {
      SetWindowLongPtrW(dialog, DWLP_USER, lParam);
      Layout(dialog, *reinterpret_cast<const ButtonBox*>(lParam));
      return FALSE;  // the focus is set
    }
    const auto* box = reinterpret_cast<const ButtonBox*>(GetWindowLongPtrW(dialog, DWLP_USER));
    if (message == WM_COMMAND && box) {
      const int id = LOWORD(wParam);
      if (IsButton(*box, id)) {
        EndDialog(dialog, id);
      } else if (id == IDCANCEL) {
        EndDialog(dialog, box->buttons.front().number);
      }
      return TRUE;
    }
  } catch (...) {
    EndDialog(dialog, -1);
  }
  return FALSE;
}

}  // namespace

std::int32_t Show(const ButtonBox& box) {
  const bool numbered = std::all_of(box.buttons.begin(), box.buttons.end(), [](const BoxButton& b) {
    return b.number >= 1 && b.number < kStaticId;
  });
  if (box.buttons.empty() || !numbered) return -1;
  const std::vector<WORD> words = Template(box.caption);
  const INT_PTR result =
      DialogBoxIndirectParamW(nullptr, reinterpret_cast<const DLGTEMPLATE*>(words.data()),
                              box.parent, BoxProc, reinterpret_cast<LPARAM>(&box));
  return result <= 0 ? -1 : static_cast<std::int32_t>(result);
}

}  // namespace vendrel::alertik
