// RAII for Win32 handles: one move-only owner template and a traits struct per handle kind.
#pragma once

#include <windows.h>

#include <utility>

namespace vendrel::platform {

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

using UniqueHkey = UniqueHandle<HkeyTraits>;
using UniqueHmodule = UniqueHandle<HmoduleTraits>;

}  // namespace vendrel::platform
