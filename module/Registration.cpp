// Writes and removes the registry keys of a class-table entry.
#include "module/Registration.h"

#include <olectl.h>

#include "host/com/Com.h"

namespace vendrel::module {

namespace {

std::wstring GuidText(const GUID& guid) {
  wchar_t text[40] = {};
  StringFromGUID2(guid, text, 40);
  return text;
}

std::wstring Expand(std::wstring text, const ClassEntry& entry, const std::wstring& modulePath) {
  const std::pair<const wchar_t*, std::wstring> fields[] = {
      {L"%CLSID%", GuidText(*entry.clsid)},
      {L"%MODULE%", modulePath},
      {L"%TYPELIB%", GuidText(LIBID_VORNLib)},
  };
  for (const auto& [field, value] : fields) {
    const std::wstring name = field;
    for (auto at = text.find(name); at != std::wstring::npos;
         at = text.find(name, at + value.size()))
      text.replace(at, name.size(), value);
  }
  return text;
}

}  // namespace

HRESULT RegisterServerClass(const ClassEntry& entry, const std::wstring& modulePath) {
  for (const RegistryValue& row : entry.script) {
    com::UniqueHkey key;
    const std::wstring path = Expand(row.key, entry, modulePath);
    if (RegCreateKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr,
                        key.Put(), nullptr) != ERROR_SUCCESS)
      return SELFREG_E_CLASS;
    const std::wstring data = Expand(row.data, entry, modulePath);
    if (RegSetValueExW(key.Get(), row.name, 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                       static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t))) != ERROR_SUCCESS)
      return SELFREG_E_CLASS;
  }
  return S_OK;
}

HRESULT UnregisterServerClass(const ClassEntry& entry) {
  HRESULT result = S_OK;
  for (const wchar_t* key : entry.removedKeys) {
    const LSTATUS status = RegDeleteTreeW(HKEY_CLASSES_ROOT, Expand(key, entry, L"").c_str());
    if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND) result = SELFREG_E_CLASS;
  }
  return result;
}

}  // namespace vendrel::module
