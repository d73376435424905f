// CVornAddIn: reference counting, aggregation, IDispatch from the type library, and the
// add-in interface handed to the C++ add-in.
#include "module/VornAddIn.h"

#include "host/com/Convert.h"
#include "host/com/FromCom.h"
#include "module/AddInFactory.h"

namespace vendrel::module {

CVornAddIn::CVornAddIn(IUnknown* outer, std::unique_ptr<host::AddIn> addIn)
    : controlling_(outer ? outer : &inner_), addIn_(std::move(addIn)) {}

HRESULT CVornAddIn::Create(IUnknown* outer, REFIID iid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (outer && iid != IID_IUnknown) return CLASS_E_NOAGGREGATION;
  std::unique_ptr<host::AddIn> addIn = CreateAddIn();
  if (!addIn) return E_OUTOFMEMORY;
  auto* object = new CVornAddIn(outer, std::move(addIn));
  // Created with one reference on the inner unknown; the query adds the caller's, then ours goes.
  const HRESULT hr = object->inner_.QueryInterface(iid, out);
  object->inner_.Release();
  return hr;
}

HRESULT CVornAddIn::Inner::QueryInterface(REFIID iid, void** out) {
  if (!out) return E_POINTER;
  if (iid == IID_IUnknown)
    *out = static_cast<IUnknown*>(this);
  else if (iid == __uuidof(IVornAddIn) || iid == IID_IDispatch)
    *out = static_cast<IVornAddIn*>(&self_);
  else if (iid == __uuidof(IZemAddIn5))
    *out = static_cast<IZemAddIn5*>(&self_);
  else {
    *out = nullptr;
    return E_NOINTERFACE;
  }
  static_cast<IUnknown*>(*out)->AddRef();
  return S_OK;
}

ULONG CVornAddIn::Inner::AddRef() {
  return ++self_.refs_;
}

ULONG CVornAddIn::Inner::Release() {
  const ULONG left = --self_.refs_;
  if (left == 0) delete &self_;
  return left;
}

HRESULT CVornAddIn::QueryInterface(REFIID iid, void** out) {
  return controlling_->QueryInterface(iid, out);
}
ULONG CVornAddIn::AddRef() {
  return controlling_->AddRef();
}
ULONG CVornAddIn::Release() {
  return controlling_->Release();
}

HRESULT CVornAddIn::DispatchType(com::ComPtr<ITypeInfo>& info) {
  com::ComPtr<ITypeLib> library;
  VENDREL_RETURN_IF_FAILED(com::TypeLibrary(library));
  return library->GetTypeInfoOfGuid(__uuidof(IVornAddIn), info.Put());
}

HRESULT CVornAddIn::GetTypeInfoCount(UINT* count) {
  if (!count) return E_POINTER;
  *count = 1;
  return S_OK;
}

HRESULT CVornAddIn::GetTypeInfo(UINT index, LCID, ITypeInfo** info) {
  if (!info) return E_POINTER;
  *info = nullptr;
  if (index != 0) return DISP_E_BADINDEX;
  return com::Guarded([&]() -> HRESULT {
    com::ComPtr<ITypeInfo> type;
    VENDREL_RETURN_IF_FAILED(DispatchType(type));
    return com::CopyOut(type, info);
  });
}

HRESULT CVornAddIn::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
  return com::Guarded([&]() -> HRESULT {
    com::ComPtr<ITypeInfo> type;
    VENDREL_RETURN_IF_FAILED(DispatchType(type));
    return DispGetIDsOfNames(type.Get(), names, count, ids);
  });
}

HRESULT CVornAddIn::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                           EXCEPINFO* exception, UINT* argError) {
  return com::Guarded([&]() -> HRESULT {
    com::ComPtr<ITypeInfo> type;
    VENDREL_RETURN_IF_FAILED(DispatchType(type));
    return DispInvoke(static_cast<IVornAddIn*>(this), type.Get(), id, flags, params, result,
                      exception, argError);
  });
}

HRESULT CVornAddIn::GetAddInInfo(ZemAddInInfo* info, IUnknown* vault, IZemRegistrar* registrar) {
  return com::GetAddInInfoForCom(*addIn_, info, vault, registrar);
}

HRESULT CVornAddIn::OnCommand(ZemNotification* notification, SAFEARRAY* items) {
  return com::OnCommandForCom(*addIn_, notification, items);
}

}  // namespace vendrel::module
