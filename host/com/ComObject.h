// IUnknown for a COM object that implements the listed interfaces.
#pragma once

#include <atomic>
#include <utility>

#include "host/com/Com.h"

namespace vendrel::com {

// Reference counted from 1; Make() hands out that first reference. Derived classes answer
// base interfaces that are not in the list (IZemObject for IZemFile) by overriding Find.
template <class First, class... Rest>
class ComObject : public First, public Rest... {
 public:
  ComObject(const ComObject&) = delete;
  ComObject& operator=(const ComObject&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    *out = Find(iid);
    if (!*out) return E_NOINTERFACE;
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --refs_;
    if (left == 0) delete this;
    return left;
  }

  template <class Derived, class... Args>
  static ComPtr<First> Make(Args&&... args) {
    return ComPtr<First>::Adopt(new Derived(std::forward<Args>(args)...));
  }

 protected:
  ComObject() = default;
  virtual ~ComObject() = default;

  virtual void* Find(REFIID iid) {
    if (iid == IID_IUnknown || iid == __uuidof(First)) return static_cast<First*>(this);
    void* found = nullptr;
    ((found = found ? found : (iid == __uuidof(Rest) ? static_cast<Rest*>(this) : nullptr)), ...);
    return found;
  }

 private:
  std::atomic<ULONG> refs_{1};
};

}  // namespace vendrel::com
