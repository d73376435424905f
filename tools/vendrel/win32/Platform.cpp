// The reference host on Windows: real paths and services, and the add-in created through COM
// from its registered class, as a vault host creates it.
#include "tools/vendrel/Platform.h"

#include <io.h>

#include <random>

#include "host/com/ToCom.h"
#include "platform/RunLog.h"
#include "platform/win32/Clipboard.h"
#include "platform/win32/Services.h"
#include "platform/win32/Shell.h"
#include "platform/win32/Ui.h"
#include "tools/vendrel/Cli.h"
#include "tools/vendrel/Trace.h"
#include "uilibs/win32/HostSettings.h"

namespace vendrel::tools {

namespace fs = std::filesystem;

namespace {

constexpr wchar_t kProgId[] = L"Vorn.VornAddIn.1";

// COM for this thread while the add-in lives.
class Apartment {
 public:
  Apartment() : initialized_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
  ~Apartment() {
    if (initialized_) CoUninitialize();
  }
  Apartment(const Apartment&) = delete;
  Apartment& operator=(const Apartment&) = delete;

 private:
  bool initialized_;
};

// A hidden top-level window that owns the add-in's message boxes and dialogs, as the host's main
// window would.
class OwnerWindow {
 public:
  OwnerWindow()
      : window_(CreateWindowExW(0, L"STATIC", L"vendrel", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                CW_USEDEFAULT, 0, 0, nullptr, nullptr, nullptr, nullptr)) {}
  ~OwnerWindow() {
    if (window_) DestroyWindow(window_);
  }
  OwnerWindow(const OwnerWindow&) = delete;
  OwnerWindow& operator=(const OwnerWindow&) = delete;
  host::HostWindow Handle() const {
    return static_cast<host::HostWindow>(reinterpret_cast<std::uintptr_t>(window_));
  }

 private:
  HWND window_;
};

// Without the host's UI libraries the add-in loads but reports nothing, so say why at once.
void RequireHostLibraries() {
  const std::string value = "the value " + Utf8(uilibs::kInstallationFolderValue) +
                            " of HKEY_LOCAL_MACHINE\\" + Utf8(uilibs::kProductKey) +
                            ", the host's installation folder";
  const std::string remedy = " (on a test machine: vendrel init DIR --host-folder FOLDER)";
  const std::wstring folder = uilibs::InstallationFolder();
  if (folder.empty()) {
    throw UsageError(value +
                     " where vendrel.dll looks for Lexicor.dll, Glyphex.dll and Alertik.dll, is "
                     "not set" +
                     remedy);
  }
  if (GetFileAttributesW((folder + L"Lexicor.dll").c_str()) == INVALID_FILE_ATTRIBUTES) {
    throw UsageError("Lexicor.dll is not in " + Utf8(folder) + ", which is " + value + remedy);
  }
}

com::ComPtr<IZemAddIn5> CreateByProgId() {
  CLSID clsid{};
  if (FAILED(CLSIDFromProgID(kProgId, &clsid))) {
    throw UsageError(
        "the add-in class Vorn.VornAddIn.1 is not registered: register vendrel.dll "
        "with regsvr32 first");
  }
  com::ComPtr<IUnknown> object;
  const HRESULT created = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                                           reinterpret_cast<void**>(object.Put()));
  if (FAILED(created)) {
    throw UsageError("cannot create the add-in Vorn.VornAddIn.1 (" + HexCode(created) +
                     "): register vendrel.dll with regsvr32 again");
  }
  com::ComPtr<IZemAddIn5> addIn;
  if (FAILED(object.As(addIn))) {
    throw UsageError("the object of Vorn.VornAddIn.1 is no add-in (no IZemAddIn5)");
  }
  return addIn;
}

// The add-in object through COM, with the apartment and the window it needs while it lives.
class ComAddIn final : public host::AddIn {
 public:
  ComAddIn() : client_(CreateByProgId()) {}
  host::HResult GetAddInInfo(host::AddInInfo* info, host::VaultSession* vault,
                             host::HostRegistrar* registrar) override {
    return client_.GetAddInInfo(info, vault, registrar);
  }
  host::HResult OnCommand(host::HostNotification& notification) override {
    return client_.OnCommand(notification);
  }
  host::HostWindow Window() const { return window_.Handle(); }

 private:
  Apartment apartment_;  // first in, last out
  OwnerWindow window_;
  com::AddInClient client_;
};

}  // namespace

void UseVaultFolder(const fs::path&) {}

fs::path RegistryFile() {
  return {};
}

void UseRegistryFile(const fs::path&) {}

std::vector<std::wstring> ChangedRegistryValues(const fs::path&, const fs::path&) {
  return {};
}

fs::path MakeTemporaryFolder(const std::string& prefix) {
  std::random_device random;
  for (int attempt = 0; attempt < 100; ++attempt) {
    const fs::path folder = fs::temp_directory_path() / (prefix + std::to_string(random()));
    if (fs::create_directory(folder)) return folder;
  }
  throw UsageError("cannot make a temporary folder");
}

bool InputIsInteractive() {
  return _isatty(_fileno(stdin)) != 0;
}

// A console signals any input event, a key press before its line is complete included.
bool InputIsWaiting() {
  return WaitForSingleObject(GetStdHandle(STD_INPUT_HANDLE), 0) == WAIT_OBJECT_0;
}

bool ErrorsGoToTerminal() {
  return _isatty(_fileno(stderr)) != 0;
}

std::unique_ptr<platform::Registry> MachineRegistry() {
  return std::make_unique<platform::Win32Registry>();
}

struct MachineServices::Parts {
  std::wstring computer;
  platform::Win32WaitCursor waitCursor;
  platform::Win32Registry registry;
  platform::Win32Clipboard clipboard;
  platform::Win32FileSystem files;
  platform::Win32Environment environment;
  platform::Win32Clock clock;
  platform::Win32Machine machine;
  platform::Win32Shell shell;
  platform::RotatedLogFile runLog{platform::RotatedLogFile::DefaultFile()};
};

MachineServices::MachineServices(const fs::path&, const std::wstring& computer, const std::wstring&)
    : parts_(std::make_unique<Parts>()) {
  parts_->computer = computer;
}

MachineServices::~MachineServices() = default;

void MachineServices::Provide(platform::Services& services) {
  ProvideParts(*parts_, services);
}

void MachineServices::ReportShell(std::function<void(const std::wstring&)>) {}

std::wstring MachineServices::ComputerName() {
  return parts_->computer.empty() ? parts_->machine.ComputerName() : parts_->computer;
}

std::wstring MachineServices::LoginName() {
  return platform::Win32Machine().UserName();
}

LoadedAddIn LoadAddInObject(platform::Services&, actions::RunObserver&) {
  RequireHostLibraries();
  auto addIn = std::make_unique<ComAddIn>();
  const host::HostWindow window = addIn->Window();
  return {std::move(addIn), window, false};
}

}  // namespace vendrel::tools
