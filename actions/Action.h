// An action: an administrator's script of commands with its variables and activation conditions.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "actions/Variable.h"

namespace vendrel::commands {
class Cmd;
}

namespace vendrel::actions {

class ActionData;

// Activation kinds, a bit set.
inline constexpr std::int32_t kActivateByMenu = 1;
inline constexpr std::int32_t kActivateOnStateChange = 2;
inline constexpr std::int32_t kActivateOnCheckOut = 4;
inline constexpr std::int32_t kActivateOnAdd = 8;

// Check-out kinds: which member of the check-out family a check-out condition waits for.
inline constexpr std::int32_t kCheckOutNone = 0;
inline constexpr std::int32_t kCheckOut = 1;
inline constexpr std::int32_t kCheckIn = 2;
inline constexpr std::int32_t kUndoCheckOut = 3;

// The id of the administration menu command; action ids lie above it.
inline constexpr std::int32_t kAdminCommandId = 100;

// Fields are public: the archive, the administration dialogs and the notification handler read
// and set them directly. Only the marks (refresh, removed, changed, veto) are never stored.
class Action {
 public:
  Action();
  virtual ~Action();
  Action(Action&&) noexcept;
  Action& operator=(Action&&) noexcept;

  std::vector<std::unique_ptr<commands::Cmd>> commands;
  std::vector<std::unique_ptr<Variable>> variables;
  std::wstring stateChangePath;
  std::wstring checkOutPath;
  std::wstring addPath;
  std::int32_t stateId = 0;
  std::int32_t checkOutKind = kCheckOutNone;
  bool refreshMark = false;  // cleared only when the action is created
  std::wstring name;
  std::wstring menuText;
  std::wstring description;
  std::int32_t activationKinds = 0;
  bool removedMark = false;
  std::int32_t actionId = 0;
  bool changedMark = false;
  bool stateChangeAfter = true;
  bool checkOutAfter = true;
  bool addAfter = true;
  bool vetoMark = false;

  // The activation tests. The menu test compares ids only: menu commands exist only for
  // actions of the menu kind. A path-less item (empty text) never matches a non-empty pattern.
  bool QualifiesForMenu(std::int32_t commandId) const;
  bool QualifiesForStateChange(bool after, std::int32_t itemStateId, const std::wstring& path,
                               const ActionData& run) const;
  // For the check-out family and for adds: at least one of the item paths must match.
  bool QualifiesForCheckOut(bool after, std::int32_t kind, std::span<const std::wstring> paths,
                            const ActionData& run) const;
  bool QualifiesForAdd(bool after, std::span<const std::wstring> paths,
                       const ActionData& run) const;
};

// The path-pattern match: case-insensitive, `%` stands for any run of characters and takes the
// first occurrence of the text after it only. Pattern and path may each carry the vault's root
// folder in front. An empty pattern matches everything; otherwise nothing matches when the
// run's vault gives no root folder.
bool MatchesPathPattern(const std::wstring& pattern, const std::wstring& path,
                        const ActionData& run);

// The menu order: texts without a backslash descending, after all texts with one; texts with one
// grouped by the part before it, groups descending, each group ascending. Case is ignored.
bool MenuTextBefore(const Action& a, const Action& b);

}  // namespace vendrel::actions
