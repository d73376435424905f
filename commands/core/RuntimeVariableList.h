// The drop-down list of an action's run-time variables that names the one receiving a value, with
// the button that edits the action's variables. Editors that store such a name share it.
#pragma once

#include <cstdint>
#include <string>

#include "commands/core/Cmd.h"
#include "host/Ref.h"
#include "platform/Dialog.h"

namespace vendrel::commands {

class RuntimeVariableList {
 public:
  // `list` is a sorted drop-down list; the command lends its action, vault and services.
  RuntimeVariableList(std::int32_t list, std::int32_t editButton, const Cmd& command);

  std::int32_t ListId() const { return list_; }
  // Lists the variables and chooses `selected`; a name no variable has stays choosable. An
  // action without run-time variables shows that in a disabled list.
  void Fill(platform::DialogSurface& ui, std::wstring selected);
  // Handles a press of the edit button: the variable editor, then the list anew with the same
  // entry chosen. False for other controls.
  bool OnClicked(platform::DialogSurface& ui, std::int32_t control);
  // The chosen name; empty when nothing is chosen or the list is disabled.
  std::wstring Chosen(const platform::DialogSurface& ui) const;

 private:
  // False when the action has no run-time variable.
  bool List(platform::DialogSurface& ui) const;

  std::int32_t list_;
  std::int32_t editButton_;
  actions::Action* action_;
  host::Ref<host::VaultSession> vault_;  // held while the dialog lives
  platform::Services* services_;
  std::wstring selected_;  // the name the dialog opened with
};

}  // namespace vendrel::commands
