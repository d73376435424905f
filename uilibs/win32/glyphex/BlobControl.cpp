// Binding to the rich-edit control and colouring of the pattern occurrences.
#include "uilibs/win32/glyphex/BlobControl.h"

#include <commctrl.h>
#include <richedit.h>
#include <richole.h>
#include <tom.h>

namespace vendrel::glyphex {

namespace {

std::wstring WindowText(HWND window) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), text.size())));
  return text;
}

// The text as the control counts characters: paragraph ends are one "\r", not "\r\n".
std::wstring ControlText(HWND control) {
  GETTEXTLENGTHEX length{GTL_NUMCHARS | GTL_PRECISE, 1200};
  const auto count =
      SendMessageW(control, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&length), 0);
  std::wstring text(static_cast<std::size_t>(count) + 1, L'\0');
  GETTEXTEX get{static_cast<DWORD>(text.size() * sizeof(wchar_t)), GT_DEFAULT, 1200, nullptr,
                nullptr};
  text.resize(
      static_cast<std::size_t>(SendMessageW(control, EM_GETTEXTEX, reinterpret_cast<WPARAM>(&get),
                                            reinterpret_cast<LPARAM>(text.data()))));
  return text;
}

// The text object model's document interface; mingw declares it without defining its id.
constexpr IID kTextDocument = {
    0x8CC497C0, 0xA1DF, 0x11CE, {0x80, 0x98, 0x00, 0xAA, 0x00, 0x47, 0xBE, 0x5D}};

// Keeps the colouring out of the control's undo history while it lives, so that Undo takes back
// the user's last edit rather than the colours.
class UndoPause {
 public:
  explicit UndoPause(HWND control) {
    IRichEditOle* ole = nullptr;
    if (!SendMessageW(control, EM_GETOLEINTERFACE, 0, reinterpret_cast<LPARAM>(&ole)) || !ole)
      return;
    void* document = nullptr;
    if (SUCCEEDED(ole->QueryInterface(kTextDocument, &document)))
      document_ = static_cast<ITextDocument*>(document);
    ole->Release();
    if (document_) document_->Undo(tomSuspend, nullptr);
  }
  ~UndoPause() {
    if (!document_) return;
    document_->Undo(tomResume, nullptr);
    document_->Release();
  }
  UndoPause(const UndoPause&) = delete;
  UndoPause& operator=(const UndoPause&) = delete;

 private:
  ITextDocument* document_ = nullptr;
};

void SetColour(HWND control, WPARAM range, bool pattern) {
  CHARFORMAT2W format{};
  format.cbSize = sizeof format;
  format.dwMask = CFM_COLOR;
  format.dwEffects = pattern ? 0 : CFE_AUTOCOLOR;
  format.crTextColor = kPatternColour;
  SendMessageW(control, EM_SETCHARFORMAT, range, reinterpret_cast<LPARAM>(&format));
}

}  // namespace

bool BlobControl::Bind(HWND dialog, int controlId) {
  Unbind();
  const HWND control = GetDlgItem(dialog, controlId);
  if (!control || !SetWindowSubclass(dialog, DialogProc, reinterpret_cast<UINT_PTR>(this),
                                     reinterpret_cast<DWORD_PTR>(this)))
    return false;
  dialog_ = dialog;
  control_ = control;
  const auto mask = SendMessageW(control_, EM_GETEVENTMASK, 0, 0);
  SendMessageW(control_, EM_SETEVENTMASK, 0, mask | ENM_CHANGE);
  if (!text_.empty()) SetWindowTextW(control_, text_.c_str());
  Highlight();
  return true;
}

void BlobControl::Unbind() {
  if (!dialog_) return;
  text_ = WindowText(control_);
  RemoveWindowSubclass(dialog_, DialogProc, reinterpret_cast<UINT_PTR>(this));
  dialog_ = nullptr;
  control_ = nullptr;
}

void BlobControl::SetText(const std::wstring& text) {
  if (!control_) {
    text_ = text;
    return;
  }
  SetWindowTextW(control_, text.c_str());
  Highlight();
}

std::wstring BlobControl::Text() const {
  return control_ ? WindowText(control_) : text_;
}

void BlobControl::AddPattern(Pattern pattern) {
  if (patterns_.Add(std::move(pattern))) Highlight();
}

// Colouring selects each occurrence in turn; the reader's selection and the control's change
// notifications are put back afterwards.
void BlobControl::Highlight() {
  if (!control_ || highlighting_) return;
  highlighting_ = true;
  const UndoPause pause(control_);
  const auto mask = SendMessageW(control_, EM_SETEVENTMASK, 0, 0);
  CHARRANGE selection{};
  SendMessageW(control_, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
  SetColour(control_, SCF_ALL, false);
  for (const Span& span : Occurrences(ControlText(control_), patterns_)) {
    CHARRANGE range{span.start, span.start + span.length};
    SendMessageW(control_, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
    SetColour(control_, SCF_SELECTION, true);
  }
  SendMessageW(control_, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&selection));
  SendMessageW(control_, EM_SETEVENTMASK, 0, mask);
  highlighting_ = false;
}

LRESULT CALLBACK BlobControl::DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR /*id*/, DWORD_PTR self) {
  auto* blob = reinterpret_cast<BlobControl*>(self);
  if (message == WM_COMMAND && HIWORD(wParam) == EN_CHANGE &&
      reinterpret_cast<HWND>(lParam) == blob->control_) {
    blob->Highlight();
  } else if (message == WM_DESTROY) {  // the control still has its text
    blob->Unbind();
  }
  return DefSubclassProc(dialog, message, wParam, lParam);
}

}  // namespace vendrel::glyphex
