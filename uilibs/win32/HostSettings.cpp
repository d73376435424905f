// The host's language and folders read from its registry settings.
#include "uilibs/win32/HostSettings.h"

#include <windows.h>

#include <optional>

#include "uilibs/win32/Handle.h"

namespace vendrel::uilibs {
namespace {

UniqueHkey Open(HKEY parent, const wchar_t* path, REGSAM access) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(parent, path, 0, access, &key) != ERROR_SUCCESS) return {};
  return UniqueHkey(key);
}

UniqueHkey Create(HKEY parent, const wchar_t* path) {
  HKEY key = nullptr;
  if (RegCreateKeyExW(parent, path, 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr, &key, nullptr) !=
      ERROR_SUCCESS)
    return {};
  return UniqueHkey(key);
}

std::optional<std::wstring> ReadText(const UniqueHkey& key, const wchar_t* name) {
  DWORD type = 0, bytes = 0;
  if (!key || RegQueryValueExW(key.Get(), name, nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS ||
      (type != REG_SZ && type != REG_EXPAND_SZ))
    return std::nullopt;
  std::wstring text(bytes / sizeof(wchar_t) + 1, L'\0');
  bytes = static_cast<DWORD>(text.size() * sizeof(wchar_t));
  if (RegQueryValueExW(key.Get(), name, nullptr, &type, reinterpret_cast<BYTE*>(text.data()),
                       &bytes) != ERROR_SUCCESS)
    return std::nullopt;
  text.resize(bytes / sizeof(wchar_t));
  while (!text.empty() && text.back() == L'\0') text.pop_back();
  return text;
}

void WriteText(const UniqueHkey& key, const wchar_t* name, const std::wstring& text) {
  if (!key) return;
  RegSetValueExW(key.Get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                 static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

bool IsS(const std::wstring& text) {
  return text == L"S" || text == L"s";
}

std::wstring WithBackslash(std::wstring folder) {
  if (!folder.empty() && folder.back() != L'\\') folder += L'\\';
  return folder;
}

std::wstring MachineFolder(const wchar_t* value) {
  const UniqueHkey product = Open(HKEY_LOCAL_MACHINE, kProductKey, KEY_READ);
  if (!product) return L"";
  return WithBackslash(ReadText(product, value).value_or(L""));
}

}  // namespace

std::wstring HostLanguage() {
  const UniqueHkey userProduct = Create(HKEY_CURRENT_USER, kProductKey);
  if (!userProduct) return L"GB";
  const UniqueHkey settings = Create(userProduct.Get(), L"Vaults\\_-Global\\Settings");
  if (const auto own = ReadText(settings, L"0"); own && !IsS(*own)) return *own;

  UniqueHkey machine = Open(HKEY_LOCAL_MACHINE, kProductKey, KEY_READ | KEY_WRITE);
  if (!machine) machine = Open(HKEY_LOCAL_MACHINE, kProductKey, KEY_READ);
  if (!machine) return L"GB";
  auto language = ReadText(machine, L"DefaultLanguage");
  if (!language) return L"GB";
  if (IsS(*language)) language = L"GB";
  if (settings) {
    WriteText(settings, L"0", *language);
    WriteText(userProduct, L"Language", *language);
    WriteText(machine, L"DefaultLanguage", *language);
  }
  return *language;
}

std::wstring InstallationFolder() {
  static const std::wstring folder = MachineFolder(L"Location");
  return folder;
}

std::wstring SharedFolder() {
  return MachineFolder(L"SharedLocation");
}

std::wstring LanguageFilesFolder() {
  const std::wstring own = MachineFolder(L"LanFileDir");
  return own.empty() ? SharedFolder() + L"LanFiles\\" : own;
}

}  // namespace vendrel::uilibs
