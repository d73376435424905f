// Commands made for tests the way an editor or a run meets them.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "actions/Action.h"
#include "platform/Services.h"
#include "tests/support/FakeServices.h"
#include "tests/support/StrictDialogRunner.h"

namespace vendrel::testing {

// A command of `Kind` owned by `action`, with the services its editor and run are shown with.
template <class Kind>
std::unique_ptr<Kind> MakeCommand(actions::Action& action, platform::Services& services) {
  auto command = std::make_unique<Kind>(&action);
  command->SetServices(&services);
  return command;
}

// Editors of one action's commands, shown through scripted dialogs.
class ScriptedEditorTest : public ::testing::Test {
 protected:
  ScriptedEditorTest() { fakes.services.dialogs = &dialogs; }

  template <class Kind>
  std::unique_ptr<Kind> Make() {
    return MakeCommand<Kind>(action, fakes.services);
  }
  void Define(const std::wstring& name, actions::Variable::VariableType type) {
    action.variables.push_back(std::make_unique<actions::Variable>(name, type));
  }

  StrictDialogRunner dialogs;
  FakeServices fakes;
  actions::Action action;
};

}  // namespace vendrel::testing
