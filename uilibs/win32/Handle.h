// RAII for Win32 handles: one move-only owner template and a traits struct per handle kind. It
// sits in the lowest layer so that every Win32 part, the UI library bindings included, uses it.
#pragma once

#include <windows.h>

#include <commctrl.h>
#include <oleauto.h>

#include <utility>

namespace vendrel::uilibs {

// A move-only owner of one handle; Traits names the type, the empty value and how to close.
template <class Traits>
class UniqueHandle {
 public:
  using Type = typename Traits::Type;
  UniqueHandle() = default;
  explicit UniqueHandle(Type h) : h_(h) {}
  UniqueHandle(UniqueHandle&& other) noexcept : h_(other.Release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }
  ~UniqueHandle() { Reset(); }

  Type Get() const { return h_; }
  // Frees what is held before handing out the address for an out-parameter.
  Type* Put() {
    Reset();
    return &h_;
  }
  Type Release() { return std::exchange(h_, Traits::Empty()); }
  void Reset(Type h = Traits::Empty()) {
    if (Type old = std::exchange(h_, h); old != Traits::Empty()) Traits::Close(old);
  }
  explicit operator bool() const { return h_ != Traits::Empty(); }

 private:
  Type h_ = Traits::Empty();
};

struct HkeyTraits {
  using Type = HKEY;
  static Type Empty() { return nullptr; }
  static void Close(Type h) { RegCloseKey(h); }
};
struct HmoduleTraits {
  using Type = HMODULE;
  static Type Empty() { return nullptr; }
  static void Close(Type h) { FreeLibrary(h); }
};

struct HmenuTraits {
  using Type = HMENU;
  static Type Empty() { return nullptr; }
  static void Close(Type h) { DestroyMenu(h); }
};
struct FindTraits {
  using Type = HANDLE;
  static Type Empty() { return INVALID_HANDLE_VALUE; }
  static void Close(Type h) { FindClose(h); }
};
struct MemoryDcTraits {
  using Type = HDC;
  static Type Empty() { return nullptr; }
  static void Close(Type h) { DeleteDC(h); }
};
struct GdiObjectTraits {
  using Type = HGDIOBJ;
  static Type Empty() { return nullptr; }
  static void Close(Type h) { DeleteObject(h); }
};
// A device context from GetDC goes back to the window it came from.
struct WindowDc {
  HWND window;
  HDC dc;
  friend bool operator==(const WindowDc&, const WindowDc&) = default;
};
struct WindowDcTraits {
  using Type = WindowDc;
  static Type Empty() { return {nullptr, nullptr}; }
  static void Close(Type h) { ReleaseDC(h.window, h.dc); }
};

struct FileTraits {
  using Type = HANDLE;
  static Type Empty() { return INVALID_HANDLE_VALUE; }
  static void Close(Type h) { CloseHandle(h); }
};

// Process and thread handles are null when absent, unlike file handles.
struct KernelObjectTraits {
  using Type = HANDLE;
  static Type Empty() { return nullptr; }
  static void Close(Type h) { CloseHandle(h); }
};
struct HglobalTraits {
  using Type = HGLOBAL;
  static Type Empty() { return nullptr; }
  static void Close(Type h) { GlobalFree(h); }
};
struct HimagelistTraits {
  using Type = HIMAGELIST;
  static Type Empty() { return nullptr; }
  static void Close(Type h) { ImageList_Destroy(h); }
};
struct BstrTraits {
  using Type = BSTR;
  static Type Empty() { return nullptr; }
  static void Close(Type h) { SysFreeString(h); }
};

using UniqueHkey = UniqueHandle<HkeyTraits>;
using UniqueHmodule = UniqueHandle<HmoduleTraits>;
using UniqueHmenu = UniqueHandle<HmenuTraits>;
using UniqueFind = UniqueHandle<FindTraits>;
using UniqueFile = UniqueHandle<FileTraits>;
using UniqueKernelObject = UniqueHandle<KernelObjectTraits>;
using UniqueHglobal = UniqueHandle<HglobalTraits>;
using UniqueHimagelist = UniqueHandle<HimagelistTraits>;
using UniqueBstr = UniqueHandle<BstrTraits>;
using UniqueMemoryDc = UniqueHandle<MemoryDcTraits>;
using UniqueGdiObject = UniqueHandle<GdiObjectTraits>;
using UniqueWindowDc = UniqueHandle<WindowDcTraits>;

// The device context of `window` (the screen's for null), released when it goes.
inline UniqueWindowDc WindowDcOf(HWND window) {
  return UniqueWindowDc({window, GetDC(window)});
}

}  // namespace vendrel::uilibs
