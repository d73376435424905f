// A class factory that creates the objects of one class-table entry.
#include "module/ClassFactory.h"

#include "host/com/ComObject.h"
#include "module/Module.h"

namespace vendrel::module {

namespace {

// Not a live object itself: the module keeps it cached, and LockServer keeps the library.
class ClassFactory final : public com::ComObject<IClassFactory> {
 public:
  explicit ClassFactory(const ClassEntry& entry) : entry_(entry) {}
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (outer && iid != IID_IUnknown) return CLASS_E_NOAGGREGATION;
    return com::Guarded([&]() -> HRESULT { return entry_.create(outer, iid, out); });
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override {
    module::LockServer(lock != FALSE);
    return S_OK;
  }

 private:
  const ClassEntry& entry_;
};

}  // namespace

com::ComPtr<IClassFactory> MakeClassFactory(const ClassEntry& entry) {
  return ClassFactory::Make<ClassFactory>(entry);
}

}  // namespace vendrel::module
