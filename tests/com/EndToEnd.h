// A host around the real vendrel.dll: a simulated vault in memory whose files lie in a scratch
// folder, actions stored in it as an administrator saves them, and the add-in created by ProgID
// and reached only through IZemAddIn5.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "actions/Action.h"
#include "actions/ActionStore.h"
#include "commands/core/CJumpDlg.h"
#include "commands/core/CmdFactory.h"
#include "commands/core/CmdJump.h"
#include "commands/core/CmdLabel.h"
#include "host/com/ToCom.h"
#include "platform/ScriptedDialogs.h"
#include "sim/SimVault.h"
#include "tests/com/ServerSupport.h"
#include "tests/support/FakeServices.h"
#include "tests/support/StrictDialogRunner.h"

namespace vendrel::com {

// bin/vendrel.dll, the product.
std::wstring ProductPath();

// Installs the host's UI library and registers the product with regsvr32, as a setup would.
class ProductInstallation : public HostInstallation {
 public:
  void SetUp() override;
};

struct VaultDocument {
  std::int32_t fileId = 0;
  std::int32_t folderId = 0;
  std::wstring path;
};

class EndToEndTest : public ::testing::Test {
 protected:
  // The logged-in user, who is the one that gets the administration command.
  static constexpr wchar_t kUser[] = L"Chief";

  void SetUp() override;
  void TearDown() override;

  // A menu-started action with the next free id; its commands follow with Add.
  actions::Action& NewAction(const std::wstring& menuText);
  template <class Kind>
  Kind& Add(actions::Action& action) {
    action.commands.push_back(std::make_unique<Kind>(&action));
    action.commands.back()->SetServices(&fakes.services);
    return static_cast<Kind&>(*action.commands.back());
  }
  // Labels and jumps are made as the administrator makes them: in their editors.
  commands::CmdLabel& AddLabel(actions::Action& action, const std::wstring& name);
  commands::CmdJump& AddJump(actions::Action& action, const commands::JumpCondition& condition);
  static void AddRuntimeVariable(actions::Action& action, const std::wstring& name);
  // Writes every action into the vault's add-in dictionary.
  void SaveActions();

  // Creates the add-in by ProgID and loads it with get add-in info, as the host's client does.
  void LoadAddIn();
  host::HostNotification Notification(std::int32_t kind,
                                      std::vector<host::HostNotificationItem> items) const;
  static host::HostNotificationItem MenuItem(const VaultDocument& document);
  static host::HostNotificationItem CheckOutItem(const VaultDocument& document);

  // The Windows path of a place in the local folder "Local", outside the vault.
  std::wstring Local(const std::wstring& relative) const;
  // The Windows path of a place in the vault.
  std::wstring InVault(const std::wstring& relative) const;
  bool VaultHasFile(const std::wstring& path);
  static std::string Content(const std::wstring& path);
  // Adds a file with the text to the vault folder and to the documents.
  void AddDocument(host::VaultFolder& folder, const std::wstring& name, const std::string& text);

  std::filesystem::path scratch;
  std::unique_ptr<sim::SimVault> vault;
  host::Ref<host::VaultSession> session;
  // Docs\a.txt, Docs\b.txt and Docs\c.prt.
  std::vector<VaultDocument> docs;
  testing::FakeServices fakes;
  testing::StrictDialogRunner dialogs;
  actions::ActionStore store{fakes.waitCursor, fakes.clock, fakes.messageBoxes,
                             commands::CreateCmd};
  std::optional<AddInClient> addIn;
  host::AddInInfo info;
  RecordingRegistrar registrar;
  host::HostWindow hostWindow = 0;
};

}  // namespace vendrel::com
