// The path-pattern match over folded texts, allocation-free per test.
#include "actions/PathPattern.h"

#include <algorithm>

#include "actions/ActionData.h"
#include "platform/CaseFold.h"

namespace vendrel::actions {
namespace {

std::wstring_view WithoutPrefix(std::wstring_view text, std::wstring_view prefix) {
  if (text.starts_with(prefix)) text.remove_prefix(prefix.size());
  return text;
}

// Both texts folded and without the root.
bool Matches(std::wstring_view pattern, std::wstring_view path) {
  for (std::size_t p = pattern.find(L'%'); p != std::wstring_view::npos; p = pattern.find(L'%')) {
    if (p == 0) {
      pattern.remove_prefix(std::min(pattern.find_first_not_of(L'%'), pattern.size()));
      if (pattern.empty()) return true;
      // Only the first occurrence counts; a later one is never tried.
      const std::size_t at = path.find(pattern.substr(0, pattern.find(L'%')));
      if (at == std::wstring_view::npos) return false;
      path.remove_prefix(at);
    } else {
      if (path.substr(0, p) != pattern.substr(0, p)) return false;
      path.remove_prefix(p);
      pattern.remove_prefix(p);
    }
  }
  return pattern.empty() || pattern == path;
}

// The vault's root folder folded; false when the vault gives none.
bool FoldedRoot(const ActionData& run, std::wstring& root) {
  if (!run.vault || host::Failed(run.vault->RootFolderPath(root))) return false;
  root = platform::LowerCase(std::move(root));
  return true;
}

}  // namespace

ItemPaths::ItemPaths(std::span<const std::wstring> paths, const ActionData& run)
    : hasRoot_(FoldedRoot(run, root_)) {
  folded_.reserve(paths.size());
  for (const std::wstring& path : paths) {
    if (path.empty()) {
      anyPathless_ = true;
      continue;
    }
    const std::wstring folded = platform::LowerCase(path);
    folded_.emplace_back(WithoutPrefix(folded, root_));
  }
}

bool ItemPaths::AnyMatches(const std::wstring& patternText) const {
  if (patternText.empty()) return anyPathless_ || !folded_.empty();
  if (!hasRoot_) return false;
  const std::wstring folded = platform::LowerCase(patternText);
  const std::wstring_view pattern = WithoutPrefix(folded, root_);
  return std::any_of(folded_.begin(), folded_.end(),
                     [&](const std::wstring& path) { return Matches(pattern, path); });
}

bool MatchesPathPattern(const std::wstring& pattern, const std::wstring& path,
                        const ActionData& run) {
  if (pattern.empty()) return true;
  std::wstring root;
  if (!FoldedRoot(run, root)) return false;
  const std::wstring foldedPattern = platform::LowerCase(pattern);
  const std::wstring foldedPath = platform::LowerCase(path);
  return Matches(WithoutPrefix(foldedPattern, root), WithoutPrefix(foldedPath, root));
}

}  // namespace vendrel::actions
