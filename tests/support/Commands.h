// Commands made for tests the way an editor or a run meets them.
#pragma once

#include <memory>

#include "actions/Action.h"
#include "platform/Services.h"

namespace vendrel::testing {

// A command of `Kind` owned by `action`, with the services its editor and run are shown with.
template <class Kind>
std::unique_ptr<Kind> MakeCommand(actions::Action& action, platform::Services& services) {
  auto command = std::make_unique<Kind>(&action);
  command->SetServices(&services);
  return command;
}

}  // namespace vendrel::testing
