// The creatable classes of the module with their registration scripts, as data.
#pragma once

#include <windows.h>

#include <atomic>
#include <span>

namespace vendrel::module {

// One registry value under HKEY_CLASSES_ROOT; a null name is the key's default value.
// %CLSID%, %MODULE% and %TYPELIB% stand for the class GUID, the library's full path and the
// type library's GUID.
struct RegistryValue {
  const wchar_t* key;
  const wchar_t* name;
  const wchar_t* data;
};

struct ClassEntry {
  const CLSID* clsid;
  // Makes an object, aggregated when outer is not null (then only IUnknown may be asked for).
  HRESULT (*create)(IUnknown* outer, REFIID iid, void** out);
  std::span<const RegistryValue> script;
  // Keys removed with everything below them when unregistering.
  std::span<const wchar_t* const> removedKeys;
  // Created on first request, kept until the library unloads.
  std::atomic<IClassFactory*> factory{nullptr};
};

std::span<ClassEntry> Classes();

}  // namespace vendrel::module
