// The action record: defaults, activation tests, path patterns and the menu order.
#include "actions/Action.h"

#include <algorithm>

#include "actions/ActionData.h"
#include "commands/core/Cmd.h"
#include "platform/CaseFold.h"

namespace vendrel::actions {
namespace {

void DropPrefix(std::wstring& text, const std::wstring& prefix) {
  if (text.size() >= prefix.size() && text.compare(0, prefix.size(), prefix) == 0) {
    text.erase(0, prefix.size());
  }
}

bool AnyMatches(const std::wstring& pattern, std::span<const std::wstring> paths,
                const ActionData& run) {
  return std::any_of(paths.begin(), paths.end(), [&](const std::wstring& path) {
    if (path.empty() && !pattern.empty()) return false;
    return MatchesPathPattern(pattern, path, run);
  });
}

}  // namespace

Action::Action() = default;
Action::~Action() = default;
Action::Action(Action&&) noexcept = default;
Action& Action::operator=(Action&&) noexcept = default;

bool Action::QualifiesForMenu(std::int32_t commandId) const {
  return actionId == commandId;
}

bool Action::QualifiesForStateChange(bool after, std::int32_t itemStateId, const std::wstring& path,
                                     const ActionData& run) const {
  return (activationKinds & kActivateOnStateChange) != 0 && stateChangeAfter == after &&
         stateId == itemStateId && AnyMatches(stateChangePath, std::span(&path, 1), run);
}

bool Action::QualifiesForCheckOut(bool after, std::int32_t kind,
                                  std::span<const std::wstring> paths,
                                  const ActionData& run) const {
  return (activationKinds & kActivateOnCheckOut) != 0 && checkOutAfter == after &&
         checkOutKind == kind && AnyMatches(checkOutPath, paths, run);
}

bool Action::QualifiesForAdd(bool after, std::span<const std::wstring> paths,
                             const ActionData& run) const {
  return (activationKinds & kActivateOnAdd) != 0 && addAfter == after &&
         AnyMatches(addPath, paths, run);
}

bool MatchesPathPattern(const std::wstring& patternText, const std::wstring& pathText,
                        const ActionData& run) {
  if (patternText.empty()) return true;
  std::wstring root;
  if (!run.vault || host::Failed(run.vault->RootFolderPath(root))) return false;

  root = platform::LowerCase(std::move(root));
  std::wstring path = platform::LowerCase(pathText);
  std::wstring pattern = platform::LowerCase(patternText);
  DropPrefix(path, root);
  DropPrefix(pattern, root);

  for (std::size_t p = pattern.find(L'%'); p != std::wstring::npos; p = pattern.find(L'%')) {
    if (p == 0) {
      pattern.erase(0, pattern.find_first_not_of(L'%'));
      if (pattern.empty()) return true;
      // Only the first occurrence counts; a later one is never tried.
      const std::size_t at = path.find(pattern.substr(0, pattern.find(L'%')));
      if (at == std::wstring::npos) return false;
      path.erase(0, at);
    } else {
      if (path.size() < p || path.compare(0, p, pattern, 0, p) != 0) return false;
      path.erase(0, p);
      pattern.erase(0, p);
    }
  }
  return pattern.empty() || pattern == path;
}

bool MenuTextBefore(const Action& a, const Action& b) {
  const std::wstring left = platform::LowerCase(a.menuText);
  const std::wstring right = platform::LowerCase(b.menuText);
  const std::size_t leftSlash = left.find(L'\\');
  const std::size_t rightSlash = right.find(L'\\');
  const bool leftGrouped = leftSlash != std::wstring::npos;
  const bool rightGrouped = rightSlash != std::wstring::npos;
  if (leftGrouped != rightGrouped) return leftGrouped;
  if (leftGrouped && left.compare(0, leftSlash, right, 0, rightSlash) == 0) return left < right;
  return left > right;
}

}  // namespace vendrel::actions
