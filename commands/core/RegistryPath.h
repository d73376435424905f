// A registry path as actions write it: ROOT\subkey...\value-name.
#pragma once

#include <optional>
#include <string>

#include "platform/Registry.h"

namespace vendrel::commands {

struct RegistryPath {
  platform::RegistryRoot root;
  std::wstring subkey;  // empty for a value directly under the root
  std::wstring name;
};

// The root is the text before the first backslash, one of the five long root names in any case
// (no short forms); the value name is the text after the last backslash. Empty for a path without
// backslash or with another root.
std::optional<RegistryPath> SplitRegistryPath(const std::wstring& path);
// The path as SplitRegistryPath reads it, the root by its long name.
std::wstring RegistryPathText(const RegistryPath& path);

}  // namespace vendrel::commands
