// Start-up of the library: host language, language files and the string library.
#include "module/VornApp.h"

#include <mutex>

#include "host/HostSettings.h"
#include "host/Strings.h"
#include "platform/win32/Services.h"

namespace vendrel::module {

// Not from DllMain: initializing the string library loads Lexicor.dll, which must not happen
// under the loader lock.
void CVornApp::InitInstance() {
  static std::once_flag once;
  std::call_once(once, [] {
    try {
      platform::Win32Registry registry;
      strings::Initialize(host::HostLanguage(registry), host::LanguageFilesFolder(registry));
    } catch (...) {
      // A missing string library leaves every text at its English default.
    }
  });
}

}  // namespace vendrel::module
