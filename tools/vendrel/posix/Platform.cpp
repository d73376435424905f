// The native reference host: Windows paths mapped into the vault's folder, the emulated registry,
// and the add-in linked in with the trace as its run observer.
#include "tools/vendrel/Platform.h"

#include <poll.h>
#include <unistd.h>

#include <cstdlib>
#include <map>

#include "addin/CreateAddIn.h"
#include "commands/core/RegistryPath.h"
#include "platform/CaseFold.h"
#include "platform/RunLog.h"
#include "platform/posix/Clipboard.h"
#include "platform/posix/DriveMap.h"
#include "platform/posix/FileSystem.h"
#include "platform/posix/Registry.h"
#include "platform/posix/Shell.h"
#include "platform/posix/System.h"
#include "platform/posix/Ui.h"
#include "tools/vendrel/Cli.h"
#include "tools/vendrel/Host.h"

namespace vendrel::tools {

namespace fs = std::filesystem;

namespace {

// The window the host hands the add-in as owner of its dialogs; nothing draws it natively.
constexpr host::HostWindow kHostWindow = 0x10010;

}  // namespace

void UseVaultFolder(const fs::path& folder) {
  ::setenv("VENDREL_DRIVES", fs::absolute(DrivesOf(folder)).c_str(), 1);
}

fs::path RegistryFile() {
  return platform::posix::SqliteRegistry::DefaultLocation();
}

void UseRegistryFile(const fs::path& file) {
  ::setenv("VENDREL_REGISTRY", fs::absolute(file).c_str(), 1);
}

std::vector<std::wstring> ChangedRegistryValues(const fs::path& before, const fs::path& after) {
  // By the path in upper case, as the registry compares names.
  using Values = std::map<std::wstring, std::pair<std::wstring, platform::RegistryData>>;
  const auto read = [](const fs::path& file) {
    Values values;
    if (!fs::exists(file)) return values;
    for (auto& value : platform::posix::SqliteRegistry(file).Values()) {
      std::wstring path = commands::RegistryPathText({value.root, value.subkey, value.name});
      values.emplace(platform::UpperCase(path), std::pair(path, std::move(value.data)));
    }
    return values;
  };
  const Values was = read(before);
  const Values now = read(after);
  std::vector<std::wstring> changed;
  for (const auto& [key, value] : now) {
    const auto it = was.find(key);
    if (it == was.end() || it->second.second != value.second) changed.push_back(value.first);
  }
  for (const auto& [key, value] : was) {
    if (!now.count(key)) changed.push_back(value.first);
  }
  return changed;
}

fs::path MakeTemporaryFolder(const std::string& prefix) {
  std::string pattern = (fs::temp_directory_path() / (prefix + "XXXXXX")).string();
  if (::mkdtemp(pattern.data()) == nullptr) throw UsageError("cannot make a temporary folder");
  return pattern;
}

bool InputIsInteractive() {
  return ::isatty(0) != 0;
}

bool InputIsWaiting() {
  pollfd input{0, POLLIN, 0};
  return ::poll(&input, 1, 0) > 0 && (input.revents & (POLLIN | POLLHUP)) != 0;
}

bool ErrorsGoToTerminal() {
  return ::isatty(2) != 0;
}

std::unique_ptr<platform::Registry> MachineRegistry() {
  const fs::path location = platform::posix::SqliteRegistry::DefaultLocation();
  // Without a vault it lies beside the default drives, which nothing may have made yet.
  fs::create_directories(location.parent_path());
  return std::make_unique<platform::posix::SqliteRegistry>(location);
}

struct MachineServices::Parts {
  Parts(const fs::path& vaultFolder, const std::wstring& computer, const std::wstring& user)
      : files(platform::posix::DriveMap(DrivesOf(fs::absolute(vaultFolder)))),
        registry(platform::posix::SqliteRegistry::DefaultLocation()),
        shell(platform::posix::DriveMap(DrivesOf(fs::absolute(vaultFolder)))),
        clipboard(platform::posix::SqliteRegistry::DefaultLocation()),
        machine(computer.empty() ? platform::posix::PosixMachine().ComputerName() : computer,
                user) {}

  platform::NestingWaitCursor waitCursor;
  platform::posix::PosixFileSystem files;
  platform::posix::SqliteRegistry registry;
  platform::posix::PosixShell shell;
  platform::posix::SqliteClipboard clipboard;
  platform::posix::PosixEnvironment environment;
  platform::posix::PosixClock clock;
  platform::posix::PosixMachine machine;
  platform::RotatedLogFile runLog{platform::RotatedLogFile::DefaultFile()};
};

MachineServices::MachineServices(const fs::path& vaultFolder, const std::wstring& computer,
                                 const std::wstring& user)
    : parts_(std::make_unique<Parts>(vaultFolder, computer, user)) {}

MachineServices::~MachineServices() = default;

void MachineServices::Provide(platform::Services& services) {
  ProvideParts(*parts_, services);
}

void MachineServices::ReportShell(std::function<void(const std::wstring&)> report) {
  parts_->shell.SetNote(std::move(report));
}

std::wstring MachineServices::ComputerName() {
  return parts_->machine.ComputerName();
}

std::wstring MachineServices::LoginName() {
  return platform::posix::PosixMachine().UserName();
}

LoadedAddIn LoadAddInObject(platform::Services& services, actions::RunObserver& observer) {
  return {addin::CreateAddIn(services, nullptr, &observer), kHostWindow, true};
}

}  // namespace vendrel::tools
