// The host's installation folder, where its UI libraries are loaded from, and its registry key.
#pragma once

#include <string>

namespace vendrel::uilibs {

// The host product's key under HKEY_CURRENT_USER and HKEY_LOCAL_MACHINE.
inline constexpr wchar_t kProductKey[] = L"Software\\Zentrik\\Applications\\Pelmora Enterprise";
// The value of the machine's product key that names the installation folder.
inline constexpr wchar_t kInstallationFolderValue[] = L"Location";

// Ends with a backslash; empty when the registry has none. Read once, then cached. The other
// settings are read over the platform's registry (host/HostSettings.h); this one is needed
// below that layer, by the lazy binding of the libraries.
std::wstring InstallationFolder();

}  // namespace vendrel::uilibs
