// A simulated vault with card variables, a file with two configurations, a folder, and the
// services a card command shows its boxes and report with.
#pragma once

#include <memory>

#include "actions/Action.h"
#include "actions/ActionData.h"
#include "platform/ScriptedDialogs.h"
#include "platform/posix/System.h"
#include "platform/posix/Ui.h"
#include "tests/sim/VaultFixture.h"
#include "tests/support/Commands.h"
#include "tests/support/FakeServices.h"
#include "tests/support/StrictDialogRunner.h"

namespace vendrel::commands::testing {

class CardFixture : public sim::testing::VaultTest {
 protected:
  void SetUp() override {
    VaultTest::SetUp();
    root = Folder(*alice, L"C:\\Vault");
    ASSERT_EQ(root->AddFolder(0, L"Parts", 0, parts), host::kOk);
    gear = Add(*root, L"gear.txt", "g");
    gearId = IdOf(*gear);
    partsId = IdOf(*parts);
    vault->SetConfigurations(gearId, {L"Default", L"Large"});
    vault->AddVariable(L"Description", 1);
    vault->AddVariable(L"Teeth", 2);
    vault->AddVariable(L"Approved", 4, 8);
    vault->AddVariable(L"Due", 5);
    fakes.services.buttonBoxes = &buttons;
    fakes.services.messageBoxes = &boxes;
    fakes.services.dialogs = &dialogs;
    fakes.services.machine = &machine;
    action.name = L"Stamp";
  }

  static std::int32_t IdOf(host::VaultObject& object) {
    std::int32_t id = 0;
    EXPECT_EQ(object.Id(id), host::kOk);
    return id;
  }

  // A run over the documents in `lists`, the current one the first.
  std::unique_ptr<actions::ActionData> Run() {
    auto run = std::make_unique<actions::ActionData>(0x10, alice, lists, &fakes.services);
    run->currentAction = &action;
    return run;
  }

  host::Value Card(sim::CardOwner owner, std::int32_t id, const std::wstring& variable,
                   const std::wstring& configuration = L"") {
    return vault->CardValue(owner, id, variable, configuration);
  }

  host::Ref<host::VaultFolder> root;
  host::Ref<host::VaultFolder> parts;
  host::Ref<host::VaultFile> gear;
  std::int32_t gearId = 0;
  std::int32_t partsId = 0;
  vendrel::testing::FakeServices fakes;
  platform::posix::PosixMachine machine{L"PC1", L"alice"};
  platform::RecordingAnswerer answers;
  platform::AnsweredMessageBoxes boxes{answers};
  platform::AnsweredButtonBoxes buttons{answers};
  vendrel::testing::StrictDialogRunner dialogs{&boxes};
  actions::Action action;
  actions::DocumentLists lists;
};

}  // namespace vendrel::commands::testing
