// The host's settings in the registry: its user-interface language and its language files.
#pragma once

#include <string>

#include "platform/Registry.h"

namespace vendrel::host {

// The language code: the per-user setting unless it is missing or "S", then the machine
// default ("S" there counts as "GB"), written back to the per-user and machine settings;
// "GB" when nothing can be read.
std::wstring HostLanguage(platform::Registry& registry);

// Each folder ends with a backslash; empty when the registry has none.
std::wstring SharedFolder(platform::Registry& registry);
std::wstring LanguageFilesFolder(
    platform::Registry& registry);  // the shared folder's LanFiles\ when not set

}  // namespace vendrel::host
