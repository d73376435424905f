// CVornAddIn: the creatable COM class, IVornAddIn and IZemAddIn5 over a C++ add-in.
#pragma once

#include <memory>

#include "host/AddIn.h"
#include "host/com/Com.h"
#include "module/Module.h"

namespace vendrel::module {

class CVornAddIn final : public IVornAddIn, public IZemAddIn5 {
 public:
  // The class-table creation function; aggregated when outer is not null.
  static HRESULT Create(IUnknown* outer, REFIID iid, void** out);

  // IUnknown, delegating to the controlling unknown.
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;

  // IDispatch of the dual IVornAddIn, answered from the type library.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID lcid,
                                          DISPID* ids) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID lcid, WORD flags, DISPPARAMS* params,
                                   VARIANT* result, EXCEPINFO* exception, UINT* argError) override;

  // IZemAddIn5.
  HRESULT STDMETHODCALLTYPE GetAddInInfo(ZemAddInInfo* info, IUnknown* vault,
                                         IZemRegistrar* registrar) override;
  HRESULT STDMETHODCALLTYPE OnCommand(ZemNotification* notification, SAFEARRAY* items) override;

 private:
  // The object's own IUnknown: the one an aggregating outer object holds.
  class Inner final : public IUnknown {
   public:
    explicit Inner(CVornAddIn& self) : self_(self) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

   private:
    CVornAddIn& self_;
  };

  CVornAddIn(IUnknown* outer, std::unique_ptr<host::AddIn> addIn);
  HRESULT DispatchType(com::ComPtr<ITypeInfo>& info);

  LiveObject live_;
  Inner inner_{*this};
  IUnknown* controlling_;
  std::atomic<ULONG> refs_{1};
  std::unique_ptr<host::AddIn> addIn_;
};

}  // namespace vendrel::module
