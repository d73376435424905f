// The host's language and folders read from its registry settings.
#include "uilibs/win32/HostSettings.h"

#include <windows.h>

#include <optional>

namespace vendrel::uilibs {

namespace {

class Key {
 public:
  Key() = default;
  Key(const Key&) = delete;
  Key& operator=(const Key&) = delete;
  ~Key() {
    if (h_) RegCloseKey(h_);
  }
  bool Create(HKEY parent, const wchar_t* path, REGSAM access) {
    return RegCreateKeyExW(parent, path, 0, nullptr, 0, access, nullptr, &h_, nullptr) ==
           ERROR_SUCCESS;
  }
  bool Open(HKEY parent, const wchar_t* path, REGSAM access) {
    return RegOpenKeyExW(parent, path, 0, access, &h_) == ERROR_SUCCESS;
  }
  HKEY Get() const { return h_; }
  explicit operator bool() const { return h_ != nullptr; }

  std::optional<std::wstring> ReadText(const wchar_t* name) const {
    DWORD type = 0, bytes = 0;
    if (!h_ || RegQueryValueExW(h_, name, nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ))
      return std::nullopt;
    std::wstring text(bytes / sizeof(wchar_t) + 1, L'\0');
    bytes = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    if (RegQueryValueExW(h_, name, nullptr, &type, reinterpret_cast<BYTE*>(text.data()), &bytes) !=
        ERROR_SUCCESS)
      return std::nullopt;
    text.resize(bytes / sizeof(wchar_t));
    while (!text.empty() && text.back() == L'\0') text.pop_back();
    return text;
  }
  void WriteText(const wchar_t* name, const std::wstring& text) const {
    if (!h_) return;
    RegSetValueExW(h_, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
  }

 private:
  HKEY h_ = nullptr;
};

bool IsS(const std::wstring& text) {
  return text == L"S" || text == L"s";
}

std::wstring WithBackslash(std::wstring folder) {
  if (!folder.empty() && folder.back() != L'\\') folder += L'\\';
  return folder;
}

std::wstring MachineFolder(const wchar_t* value) {
  Key product;
  if (!product.Open(HKEY_LOCAL_MACHINE, kProductKey, KEY_READ)) return L"";
  return WithBackslash(product.ReadText(value).value_or(L""));
}

}  // namespace

std::wstring HostLanguage() {
  Key userProduct;
  if (!userProduct.Create(HKEY_CURRENT_USER, kProductKey, KEY_READ | KEY_WRITE)) return L"GB";
  Key settings;
  const bool haveSettings =
      settings.Create(userProduct.Get(), L"Vaults\\_-Global\\Settings", KEY_READ | KEY_WRITE);
  if (const auto own = settings.ReadText(L"0"); own && !IsS(*own)) return *own;

  Key machine;
  if (!machine.Open(HKEY_LOCAL_MACHINE, kProductKey, KEY_READ | KEY_WRITE) &&
      !machine.Open(HKEY_LOCAL_MACHINE, kProductKey, KEY_READ))
    return L"GB";
  auto language = machine.ReadText(L"DefaultLanguage");
  if (!language) return L"GB";
  if (IsS(*language)) language = L"GB";
  if (haveSettings) {
    settings.WriteText(L"0", *language);
    userProduct.WriteText(L"Language", *language);
    machine.WriteText(L"DefaultLanguage", *language);
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
