// The product's add-in: CVornAddIn over the real Windows services.
#include "module/AddInFactory.h"

#include "addin/CreateAddIn.h"
#include "platform/RunLog.h"
#include "platform/win32/Clipboard.h"
#include "platform/win32/Services.h"
#include "platform/win32/Shell.h"
#include "platform/win32/Ui.h"
// After the services: windows.h turns names of their operations into macros.
#include "module/Module.h"
#include "platform/win32/Dialogs.h"
#include "platform/win32/FileDialogs.h"

namespace vendrel::module {
namespace {

// One set for the module's life: every add-in object borrows it, and none outlives the module.
struct Win32Services {
  platform::Win32MessageBoxes messageBoxes;
  platform::Win32WaitCursor waitCursor;
  platform::Win32Registry registry;
  platform::Win32FileSystem files;
  platform::Win32Environment environment;
  platform::Win32Clock clock;
  platform::Win32Machine machine;
  // The dialog templates are resources of this library, not of the host's program.
  platform::Win32DialogRunner dialogs{Instance()};
  platform::Win32ButtonBoxes buttonBoxes;
  platform::Win32FileDialogs fileDialogs;
  platform::Win32Shell shell;
  platform::Win32Clipboard clipboard;
  platform::RotatedLogFile runLog{platform::RotatedLogFile::DefaultFile()};
  platform::Services services{&messageBoxes, &waitCursor,  &registry, &files,
                              &environment,  &clock,       &machine,  &dialogs,
                              &buttonBoxes,  &fileDialogs, &shell,    &clipboard,
                              &runLog};
};

platform::Services& ModuleServices() {
  static Win32Services instance;
  return instance.services;
}

}  // namespace

std::unique_ptr<host::AddIn> CreateAddIn() {
  return addin::CreateAddIn(ModuleServices());
}

}  // namespace vendrel::module
