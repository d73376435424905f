// The five roots by their long names, the subkey between the first and the last backslash.
#include "commands/core/RegistryPath.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <utility>

#include "platform/CaseFold.h"

namespace vendrel::commands {
namespace {

constexpr std::array<std::pair<std::wstring_view, platform::RegistryRoot>, 5> kRoots{{
    {L"HKEY_LOCAL_MACHINE", platform::RegistryRoot::kLocalMachine},
    {L"HKEY_CURRENT_CONFIG", platform::RegistryRoot::kCurrentConfig},
    {L"HKEY_CURRENT_USER", platform::RegistryRoot::kCurrentUser},
    {L"HKEY_CLASSES_ROOT", platform::RegistryRoot::kClassesRoot},
    {L"HKEY_USERS", platform::RegistryRoot::kUsers},
}};

}  // namespace

std::optional<RegistryPath> SplitRegistryPath(const std::wstring& path) {
  const std::size_t first = path.find(L'\\');
  if (first == std::wstring::npos) return std::nullopt;
  const std::wstring rootName = platform::UpperCase(path.substr(0, first));
  const auto root = std::find_if(kRoots.begin(), kRoots.end(),
                                 [&](const auto& entry) { return entry.first == rootName; });
  if (root == kRoots.end()) return std::nullopt;
  const std::size_t last = path.rfind(L'\\');
  return RegistryPath{root->second,
                      last > first ? path.substr(first + 1, last - first - 1) : std::wstring(),
                      path.substr(last + 1)};
}

std::wstring RegistryPathText(const RegistryPath& path) {
  const auto root = std::find_if(kRoots.begin(), kRoots.end(),
                                 [&](const auto& entry) { return entry.second == path.root; });
  std::wstring text(root->first);
  if (!path.subkey.empty()) text += L"\\" + path.subkey;
  return text + L"\\" + path.name;
}

}  // namespace vendrel::commands
