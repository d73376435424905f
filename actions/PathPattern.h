// Path patterns: case-insensitive, `%` stands for any run of characters and takes the first
// occurrence of the text after it only. Pattern and path may each carry the vault's root folder
// in front. An empty pattern matches everything; otherwise nothing matches when the run's vault
// gives no root folder.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vendrel::actions {

class ActionData;

// The item paths of one notification, folded once: a check-in of many files is tested against
// the pattern of every action, and folding per test cost more than the matching.
class ItemPaths {
 public:
  ItemPaths(std::span<const std::wstring> paths, const ActionData& run);

  // At least one path matches. A path-less item (empty text) never matches a non-empty pattern.
  bool AnyMatches(const std::wstring& pattern) const;

 private:
  std::wstring root_;  // before hasRoot_, which is set while reading it
  bool hasRoot_ = false;
  std::vector<std::wstring> folded_;  // without the root; path-less items left out
  bool anyPathless_ = false;
};

bool MatchesPathPattern(const std::wstring& pattern, const std::wstring& path,
                        const ActionData& run);

}  // namespace vendrel::actions
