// The four exports of the in-process server and the library's entry point.
#include <olectl.h>

#include <string>

#include "host/com/Com.h"
#include "module/ClassFactory.h"
#include "module/ClassTable.h"
#include "module/Module.h"
#include "module/Registration.h"
#include "module/VornApp.h"

namespace {

using namespace vendrel;

// Guards the first creation of each class factory.
CRITICAL_SECTION factoryLock;

class FactoryLockScope {
 public:
  FactoryLockScope() { EnterCriticalSection(&factoryLock); }
  FactoryLockScope(const FactoryLockScope&) = delete;
  FactoryLockScope& operator=(const FactoryLockScope&) = delete;
  ~FactoryLockScope() { LeaveCriticalSection(&factoryLock); }
};

std::wstring ModulePath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n =
        GetModuleFileNameW(module::Instance(), path.data(), static_cast<DWORD>(path.size()));
    if (n < path.size()) {
      path.resize(n);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

IClassFactory* FactoryOf(module::ClassEntry& entry) {
  IClassFactory* factory = entry.factory.load(std::memory_order_acquire);
  if (factory) return factory;
  const FactoryLockScope lock;
  factory = entry.factory.load(std::memory_order_relaxed);
  if (!factory) {
    factory = module::MakeClassFactory(entry).Detach();
    entry.factory.store(factory, std::memory_order_release);
  }
  return factory;
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
  if (reason == DLL_PROCESS_ATTACH) {
    module::SetInstance(instance);
    DisableThreadLibraryCalls(instance);
    InitializeCriticalSection(&factoryLock);
  } else if (reason == DLL_PROCESS_DETACH) {
    // At process exit other modules may be gone already: only an unload releases the factories.
    if (!reserved) {
      for (module::ClassEntry& entry : module::Classes())
        if (IClassFactory* factory = entry.factory.exchange(nullptr)) factory->Release();
    }
    DeleteCriticalSection(&factoryLock);
  }
  return TRUE;
}

STDAPI DllGetClassObject(REFCLSID clsid, REFIID iid, LPVOID* out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  return com::Guarded([&]() -> HRESULT {
    module::CVornApp::InitInstance();
    for (module::ClassEntry& entry : module::Classes()) {
      if (*entry.clsid == clsid) return FactoryOf(entry)->QueryInterface(iid, out);
    }
    return CLASS_E_CLASSNOTAVAILABLE;
  });
}

STDAPI DllCanUnloadNow() {
  return module::CanUnload() ? S_OK : S_FALSE;
}

STDAPI DllRegisterServer() {
  return com::Guarded([]() -> HRESULT {
    const std::wstring path = ModulePath();
    for (const module::ClassEntry& entry : module::Classes())
      VENDREL_RETURN_IF_FAILED(module::RegisterServerClass(entry, path));
    return S_OK;
  });
}

STDAPI DllUnregisterServer() {
  return com::Guarded([]() -> HRESULT {
    HRESULT result = S_OK;
    for (const module::ClassEntry& entry : module::Classes())
      if (FAILED(module::UnregisterServerClass(entry))) result = SELFREG_E_CLASS;
    return result;
  });
}
