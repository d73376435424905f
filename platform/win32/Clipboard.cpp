// The clipboard over user32: a movable global block per format, the clipboard open for a scope.
#include "platform/win32/Clipboard.h"

#include <windows.h>

#include <cstring>

#include "uilibs/win32/Handle.h"

namespace vendrel::platform {
namespace {

// The clipboard is open while this lives; another program can take it only afterwards.
class OpenClipboardScope {
 public:
  explicit OpenClipboardScope(Window owner)
      : open_(OpenClipboard(reinterpret_cast<HWND>(owner)) != FALSE) {}
  ~OpenClipboardScope() {
    if (open_) CloseClipboard();
  }
  OpenClipboardScope(const OpenClipboardScope&) = delete;
  OpenClipboardScope& operator=(const OpenClipboardScope&) = delete;
  bool IsOpen() const { return open_; }

 private:
  bool open_;
};

// Unlocks the global block when the scope ends.
class GlobalLockScope {
 public:
  explicit GlobalLockScope(HGLOBAL block) : block_(block), data_(GlobalLock(block)) {}
  ~GlobalLockScope() {
    if (data_) GlobalUnlock(block_);
  }
  GlobalLockScope(const GlobalLockScope&) = delete;
  GlobalLockScope& operator=(const GlobalLockScope&) = delete;
  void* Data() const { return data_; }

 private:
  HGLOBAL block_;
  void* data_;
};

}  // namespace

bool Win32Clipboard::Put(Window owner, const std::wstring& format, const std::wstring& text) {
  const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
  uilibs::UniqueHglobal block(GlobalAlloc(GMEM_MOVEABLE, bytes));
  if (!block) return false;
  {
    const GlobalLockScope lock(block.Get());
    if (!lock.Data()) return false;
    std::memcpy(lock.Data(), text.c_str(), bytes);
  }
  const OpenClipboardScope clipboard(owner);
  if (!clipboard.IsOpen() || !EmptyClipboard()) return false;
  const UINT id = RegisterClipboardFormatW(format.c_str());
  if (id == 0 || !SetClipboardData(id, block.Get())) return false;
  block.Release();  // the clipboard owns it now
  return true;
}

bool Win32Clipboard::Has(const std::wstring& format) {
  const UINT id = RegisterClipboardFormatW(format.c_str());
  return id != 0 && IsClipboardFormatAvailable(id);
}

ClipboardRead Win32Clipboard::Get(Window owner, const std::wstring& format) {
  const UINT id = RegisterClipboardFormatW(format.c_str());
  const OpenClipboardScope clipboard(owner);
  if (id == 0 || !clipboard.IsOpen()) return {};
  if (!IsClipboardFormatAvailable(id)) return {true, std::nullopt};
  const HANDLE block = GetClipboardData(id);
  if (!block) return {true, std::wstring()};
  const GlobalLockScope lock(block);
  if (!lock.Data()) return {true, std::wstring()};
  // The block may be larger than what was put: the text ends at its zero.
  const auto* chars = static_cast<const wchar_t*>(lock.Data());
  const std::size_t limit = GlobalSize(block) / sizeof(wchar_t);
  std::size_t length = 0;
  while (length < limit && chars[length] != L'\0') ++length;
  return {true, std::wstring(chars, length)};
}

}  // namespace vendrel::platform
