// What the administration tests share: a vault with a workflow, scripted dialogs over recorded
// message boxes, and actions made the way the list shows them.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "actions/Action.h"
#include "actions/ActionArchive.h"
#include "host/Strings.h"
#include "platform/ScriptedDialogs.h"
#include "platform/posix/System.h"
#include "sim/SimVault.h"
#include "tests/support/FakeServices.h"

namespace vendrel::admin::testing {

class AdminTest : public ::testing::Test {
 protected:
  AdminTest() {
    fakes.services.dialogs = &dialogs;
    fakes.services.machine = &machine;
    vault->AddUser(L"Chief");
    vault->AddWorkflow(L"Release", {L"Draft", L"Review", L"Released"});
    vault->AddWorkflow(L"Approval", {L"Released", L"Pending"});
    EXPECT_EQ(vault->Login(L"Chief", L"PC1", session), host::kOk);
  }

  actions::Action& AddAction(const std::wstring& name, std::int32_t id) {
    auto action = std::make_unique<actions::Action>();
    action->name = name;
    action->description = L"about " + name;
    action->actionId = id;
    list.push_back(std::move(action));
    return *list.back();
  }
  std::vector<std::wstring> Names() const {
    std::vector<std::wstring> names;
    for (const auto& action : list) names.push_back(action->name);
    return names;
  }
  std::vector<std::wstring> Captions() const {
    std::vector<std::wstring> captions;
    for (const auto& box : fakes.messageBoxes.shown) captions.push_back(box.caption);
    return captions;
  }

  const strings::DefaultFileScope scope;  // the dialogs' texts come from the add-in's file
  std::unique_ptr<sim::SimVault> vault = sim::SimVault::CreateInMemory();
  host::Ref<host::VaultSession> session;
  vendrel::testing::FakeServices fakes;
  platform::posix::PosixMachine machine{L"PC1", L"Chief"};
  platform::ScriptedDialogRunner dialogs{&fakes.messageBoxes};
  actions::ActionList list;
};

}  // namespace vendrel::admin::testing
