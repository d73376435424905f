// The action record: defaults, activation tests and the menu order.
#include "actions/Action.h"

#include <algorithm>

#include "commands/core/Cmd.h"
#include "platform/CaseFold.h"

namespace vendrel::actions {

Action::Action() = default;
Action::~Action() = default;
Action::Action(Action&&) noexcept = default;
Action& Action::operator=(Action&&) noexcept = default;

bool Action::QualifiesForMenu(std::int32_t commandId) const {
  return actionId == commandId;
}

bool Action::QualifiesForStateChange(bool after, std::int32_t itemStateId,
                                     const ItemPaths& path) const {
  return (activationKinds & kActivateOnStateChange) != 0 && stateChangeAfter == after &&
         stateId == itemStateId && path.AnyMatches(stateChangePath);
}

bool Action::QualifiesForCheckOut(bool after, std::int32_t kind, const ItemPaths& paths) const {
  return (activationKinds & kActivateOnCheckOut) != 0 && checkOutAfter == after &&
         checkOutKind == kind && paths.AnyMatches(checkOutPath);
}

bool Action::QualifiesForAdd(bool after, const ItemPaths& paths) const {
  return (activationKinds & kActivateOnAdd) != 0 && addAfter == after && paths.AnyMatches(addPath);
}

void SortByMenuText(std::vector<std::unique_ptr<Action>>& actions) {
  // Each text folded once, not at every comparison: a large set makes many thousands of them.
  struct Keyed {
    std::wstring text;
    std::size_t slash;
    std::unique_ptr<Action> action;
  };
  std::vector<Keyed> keyed;
  keyed.reserve(actions.size());
  for (auto& action : actions) {
    std::wstring text = platform::LowerCase(action->menuText);
    const std::size_t slash = text.find(L'\\');
    keyed.push_back({std::move(text), slash, std::move(action)});
  }
  std::sort(keyed.begin(), keyed.end(), [](const Keyed& a, const Keyed& b) {
    const bool leftGrouped = a.slash != std::wstring::npos;
    const bool rightGrouped = b.slash != std::wstring::npos;
    if (leftGrouped != rightGrouped) return leftGrouped;
    if (leftGrouped && a.text.compare(0, a.slash, b.text, 0, b.slash) == 0) return a.text < b.text;
    return a.text > b.text;
  });
  for (std::size_t i = 0; i < keyed.size(); ++i) actions[i] = std::move(keyed[i].action);
}

}  // namespace vendrel::actions
