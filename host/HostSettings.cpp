// The host's language and folder rules over the machine's registry.
#include "host/HostSettings.h"

#include <optional>
#include <variant>

#include "uilibs/win32/HostSettings.h"

namespace vendrel::host {
namespace {

using platform::RegistryRoot;

const std::wstring kProduct = uilibs::kProductKey;
const std::wstring kGlobalSettings = kProduct + L"\\Vaults\\_-Global\\Settings";

bool IsS(const std::wstring& text) {
  return text == L"S" || text == L"s";
}

// Only string values count; a number where a text belongs is as good as none.
std::optional<std::wstring> ReadText(platform::Registry& registry, RegistryRoot root,
                                     const std::wstring& key, const wchar_t* name) {
  const auto data = registry.Read(root, key, name);
  if (!data) return std::nullopt;
  if (const auto* text = std::get_if<std::wstring>(&*data)) return *text;
  return std::nullopt;
}

std::wstring MachineFolder(platform::Registry& registry, const wchar_t* value) {
  std::wstring folder =
      ReadText(registry, RegistryRoot::kLocalMachine, kProduct, value).value_or(L"");
  if (!folder.empty() && folder.back() != L'\\') folder += L'\\';
  return folder;
}

}  // namespace

std::wstring HostLanguage(platform::Registry& registry) {
  if (!registry.CreateKey(RegistryRoot::kCurrentUser, kProduct)) return L"GB";
  const bool haveSettings = registry.CreateKey(RegistryRoot::kCurrentUser, kGlobalSettings);
  if (haveSettings) {
    const auto own = ReadText(registry, RegistryRoot::kCurrentUser, kGlobalSettings, L"0");
    if (own && !IsS(*own)) return *own;
  }
  if (!registry.KeyExists(RegistryRoot::kLocalMachine, kProduct)) return L"GB";
  auto language = ReadText(registry, RegistryRoot::kLocalMachine, kProduct, L"DefaultLanguage");
  if (!language) return L"GB";
  if (IsS(*language)) language = L"GB";
  if (haveSettings) {
    registry.Write(RegistryRoot::kCurrentUser, kGlobalSettings, L"0", *language);
    registry.Write(RegistryRoot::kCurrentUser, kProduct, L"Language", *language);
    registry.Write(RegistryRoot::kLocalMachine, kProduct, L"DefaultLanguage", *language);
  }
  return *language;
}

std::wstring SharedFolder(platform::Registry& registry) {
  return MachineFolder(registry, L"SharedLocation");
}

std::wstring LanguageFilesFolder(platform::Registry& registry) {
  const std::wstring own = MachineFolder(registry, L"LanFileDir");
  return own.empty() ? SharedFolder(registry) + L"LanFiles\\" : own;
}

}  // namespace vendrel::host
