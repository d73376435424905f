// The host's settings in the registry: its user-interface language and its folders.
#pragma once

#include <string>

namespace vendrel::uilibs {

// The host product's key under HKEY_CURRENT_USER and HKEY_LOCAL_MACHINE.
inline constexpr wchar_t kProductKey[] = L"Software\\Zentrik\\Applications\\Pelmora Enterprise";

// The language code: the per-user setting unless it is missing or "S", then the machine
// default ("S" there counts as "GB"), written back to the per-user and machine settings;
// "GB" when nothing can be read.
std::wstring HostLanguage();

// Each folder ends with a backslash; empty when the registry has none.
std::wstring InstallationFolder();  // read once, then cached
std::wstring SharedFolder();
std::wstring LanguageFilesFolder();  // the shared folder's LanFiles\ when not set

}  // namespace vendrel::uilibs
