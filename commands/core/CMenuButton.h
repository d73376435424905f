// CMenuButton: the "->" button beside a text field whose menu inserts variables and functions.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "actions/Variable.h"
#include "host/Ref.h"
#include "host/Vault.h"
#include "platform/Dialog.h"
#include "platform/Services.h"
#include "uilibs/glyphex/Blob.h"

namespace vendrel::actions {
class Action;
}

namespace vendrel::commands {

class CSetVariablesDlg;

using VariableList = std::vector<std::unique_ptr<actions::Variable>>;

class CMenuButton {
 public:
  // Menu ids of the fixed entries that the buttons of every editor share.
  static constexpr std::int32_t kEditVariables = 18;
  static constexpr std::int32_t kFirstListed = 1000;  // user variables, environment names
  static constexpr std::int32_t kEnvironmentMode = 1;

  // A command editor's button: offers the action's variables and "Edit Variables...".
  CMenuButton(actions::Action* action, host::Ref<host::VaultSession> vault, std::int32_t target);
  // As above; insertion goes into `pattern`, which learns every variable reference as a pattern.
  CMenuButton(actions::Action* action, host::Ref<host::VaultSession> vault, std::int32_t target,
              glyphex::Blob* pattern);
  // The variable editor's own button: offers the rows as edited so far.
  CMenuButton(CSetVariablesDlg* editor, host::Ref<host::VaultSession> vault, std::int32_t target);

  // The "->" control this button is; its clicks go to OnClicked.
  void Bind(std::int32_t buttonId) { button_ = buttonId; }
  std::int32_t ButtonId() const { return button_; }
  // 1: the environment-variable menu; anything else: the variable menu.
  void SetMode(std::int32_t mode) { mode_ = mode; }

  // Shows the menu of the current mode beside the button and inserts the choice into the
  // target field of `ui`. `services` opens the variable editor and reads the environment.
  void OnClicked(platform::DialogSurface& ui, platform::Services* services);

 private:
  void FillInsertionTable();
  void RegisterPatterns();
  platform::Menu VariableMenu() const;
  platform::Menu EnvironmentMenu(const std::vector<std::wstring>& names) const;
  void Insert(platform::DialogSurface& ui, const std::wstring& text) const;
  void EditVariables(platform::DialogSurface& ui, platform::Services* services) const;

  std::int32_t target_;
  actions::Action* action_ = nullptr;
  CSetVariablesDlg* editor_ = nullptr;
  VariableList* variables_ = nullptr;
  host::Ref<host::VaultSession> vault_;
  std::int32_t mode_ = 0;
  glyphex::Blob* pattern_ = nullptr;
  std::map<std::int32_t, std::wstring> insertions_;
  std::int32_t button_ = 0;
};

}  // namespace vendrel::commands
