// RAII for COM handles (the Win32 ones come from uilibs/win32/Handle.h), and the generated
// interface header with the Win32 name macros that clash with the host object model removed.
#pragma once

#include <windows.h>
// After windows.h, which it needs.
#include <oleauto.h>

#include <new>
#include <string>
#include <utility>

#include "host/com/Vendrel.h"

#undef GetObject
#undef SendMessage
#undef DeleteFile
#undef CopyFile
#undef MoveFile
#undef CreateDirectory

#include "host/Status.h"
#include "uilibs/win32/Handle.h"

namespace vendrel::com {

using uilibs::UniqueBstr;
using uilibs::UniqueHandle;
using uilibs::UniqueHkey;
using uilibs::UniqueHmodule;

struct SafeArrayTraits {
  using Type = SAFEARRAY*;
  static Type Empty() { return nullptr; }
  static void Close(Type h) { SafeArrayDestroy(h); }
};
using UniqueSafeArray = UniqueHandle<SafeArrayTraits>;

// A VARIANT cleared on destruction.
class UniqueVariant {
 public:
  UniqueVariant() { VariantInit(&v_); }
  UniqueVariant(const UniqueVariant&) = delete;
  UniqueVariant& operator=(const UniqueVariant&) = delete;
  ~UniqueVariant() { VariantClear(&v_); }
  VARIANT& Get() { return v_; }
  const VARIANT& Get() const { return v_; }
  VARIANT* Put() {
    VariantClear(&v_);
    return &v_;
  }

 private:
  VARIANT v_;
};

// A counted COM pointer; copies AddRef, Put() releases before handing out the address.
template <class T>
class ComPtr {
 public:
  ComPtr() = default;
  ComPtr(std::nullptr_t) {}
  // Takes a new reference.
  explicit ComPtr(T* p) : p_(p) {
    if (p_) p_->AddRef();
  }
  ComPtr(const ComPtr& other) : ComPtr(other.p_) {}
  ComPtr(ComPtr&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
  ComPtr& operator=(ComPtr other) noexcept {
    std::swap(p_, other.p_);
    return *this;
  }
  ~ComPtr() { Reset(); }

  static ComPtr Adopt(T* p) {
    ComPtr r;
    r.p_ = p;
    return r;
  }
  T* Get() const { return p_; }
  T* operator->() const { return p_; }
  T** Put() {
    Reset();
    return &p_;
  }
  T* Detach() { return std::exchange(p_, nullptr); }
  void Reset() {
    if (T* old = std::exchange(p_, nullptr)) old->Release();
  }
  explicit operator bool() const { return p_ != nullptr; }

  template <class U>
  HRESULT As(ComPtr<U>& out) const {
    if (!p_) return E_POINTER;
    return p_->QueryInterface(__uuidof(U), reinterpret_cast<void**>(out.Put()));
  }

 private:
  T* p_ = nullptr;
};

// Hands a reference to an out-parameter of a COM method.
template <class T, class U>
HRESULT CopyOut(const ComPtr<T>& p, U** out) {
  if (!out) return E_POINTER;
  *out = p.Get();
  if (*out) (*out)->AddRef();
  return S_OK;
}

std::wstring FromBstr(BSTR text);
UniqueBstr ToBstr(const std::wstring& text);

// Runs the body of a COM method or export: no exception crosses into the caller.
template <class Body>
HRESULT Guarded(Body body) noexcept {
  try {
    return body();
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  } catch (...) {
    return E_FAIL;
  }
}

}  // namespace vendrel::com
