// What differs between the builds of the reference host: where Windows paths lie, this machine's
// services, and how the add-in is reached. posix/Platform.cpp or win32/Platform.cpp defines it.
#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "actions/RunObserver.h"
#include "host/AddIn.h"
#include "platform/Registry.h"
#include "platform/Services.h"

namespace vendrel::tools {

// Natively every Windows path of this process maps into the vault's folder from here on; on
// Windows paths are real and this does nothing.
void UseVaultFolder(const std::filesystem::path& folder);

// The file of the emulated registry that this process uses now; empty on Windows, where the
// machine's registry is used. UseRegistryFile makes the process use another from here on.
std::filesystem::path RegistryFile();
void UseRegistryFile(const std::filesystem::path& file);
// The values, as ROOT\subkey\name, that one file of the emulated registry has and the other
// lacks or holds otherwise. None on Windows, whose registry is not copied.
std::vector<std::wstring> ChangedRegistryValues(const std::filesystem::path& before,
                                                const std::filesystem::path& after);

// A new empty folder under the temporary directory, its name starting with `prefix`.
std::filesystem::path MakeTemporaryFolder(const std::string& prefix);

// Whether a person types at standard input.
bool InputIsInteractive();
// Whether standard input has something to read now, so that reading would not block.
bool InputIsWaiting();
// Whether standard error is a terminal, where progress can be shown.
bool ErrorsGoToTerminal();

// The registry that actions read and write: natively the emulated one at its default location
// (beside the drives that UseVaultFolder chose, or VENDREL_REGISTRY), on Windows the real one.
std::unique_ptr<platform::Registry> MachineRegistry();

// The wait cursor, registry, clipboard, files, environment, clock and machine of this machine.
class MachineServices {
 public:
  // Natively the vault folder's drives and the given names (empty: this machine's); on Windows
  // the real services, `computer` naming the vault client only.
  MachineServices(const std::filesystem::path& vaultFolder, const std::wstring& computer,
                  const std::wstring& user);
  ~MachineServices();
  MachineServices(const MachineServices&) = delete;
  MachineServices& operator=(const MachineServices&) = delete;

  // Fills every service but the message boxes and the dialogs.
  void Provide(platform::Services& services);
  // Where the shell reports the requests it does not carry out (natively: all but command
  // lines); Windows carries out every request.
  void ReportShell(std::function<void(const std::wstring&)> report);
  // The name the vault client logs in with.
  std::wstring ComputerName();
  // The login name of the person running the host.
  static std::wstring LoginName();

 private:
  struct Parts;
  std::unique_ptr<Parts> parts_;
};

// What each build's MachineServices::Provide hands out: the parts hold one service of each kind.
template <class Parts>
void ProvideParts(Parts& parts, platform::Services& services) {
  services.waitCursor = &parts.waitCursor;
  services.registry = &parts.registry;
  services.files = &parts.files;
  services.environment = &parts.environment;
  services.clock = &parts.clock;
  services.machine = &parts.machine;
  services.shell = &parts.shell;
  services.clipboard = &parts.clipboard;
  services.runLog = &parts.runLog;
}

// The add-in object as this build reaches it: natively linked and observed through `observer`;
// on Windows created through COM from the registered class, where no observer can follow.
struct LoadedAddIn {
  std::unique_ptr<host::AddIn> addIn;  // also owns what keeps it alive (COM, the owner window)
  host::HostWindow window = 0;         // owner of the add-in's windows, in every notification
  // Linked in: the trace hears its runs, and the host's services show its message boxes and
  // dialogs. Through COM it runs and shows them on its own.
  bool linked = false;
};

// Throws UsageError when the add-in cannot be created.
LoadedAddIn LoadAddInObject(platform::Services& services, actions::RunObserver& observer);

}  // namespace vendrel::tools
