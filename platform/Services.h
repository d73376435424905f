// The platform services the core may use, handed in as one context object.
#pragma once

#include <memory>

#include "platform/Clipboard.h"
#include "platform/Dialog.h"
#include "platform/FileDialogs.h"
#include "platform/FileSystem.h"
#include "platform/Registry.h"
#include "platform/Shell.h"
#include "platform/System.h"
#include "platform/Ui.h"

namespace vendrel::platform {

class RunLog;

// Borrowed services; whoever builds the context keeps them alive.
struct Services {
  MessageBoxes* messageBoxes = nullptr;
  WaitCursor* waitCursor = nullptr;
  Registry* registry = nullptr;
  FileSystem* files = nullptr;
  Environment* environment = nullptr;
  Clock* clock = nullptr;
  Machine* machine = nullptr;
  DialogRunner* dialogs = nullptr;
  ButtonBoxes* buttonBoxes = nullptr;
  FileDialogs* fileDialogs = nullptr;
  Shell* shell = nullptr;
  Clipboard* clipboard = nullptr;
  RunLog* runLog = nullptr;  // null: no run is logged
};

}  // namespace vendrel::platform
