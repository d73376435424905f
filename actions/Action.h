// An action: an administrator's script of commands with its variables and activation conditions.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "actions/ActionCommands.h"
#include "actions/PathPattern.h"
#include "actions/Variable.h"

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

  ActionCommands commands;
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
  // actions of the menu kind. The path tests need one path of the items to match.
  bool QualifiesForMenu(std::int32_t commandId) const;
  bool QualifiesForStateChange(bool after, std::int32_t itemStateId, const ItemPaths& path) const;
  bool QualifiesForCheckOut(bool after, std::int32_t kind, const ItemPaths& paths) const;
  bool QualifiesForAdd(bool after, const ItemPaths& paths) const;
};

// The menu order: texts without a backslash descending, after all texts with one; texts with one
// grouped by the part before it, groups descending, each group ascending. Case is ignored.
// Every action must be present.
void SortByMenuText(std::vector<std::unique_ptr<Action>>& actions);

}  // namespace vendrel::actions
