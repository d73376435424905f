// Start-up of the library: host language, language files and the string library.
#include "module/VornApp.h"

#include <mutex>

#include "host/Strings.h"
#include "uilibs/win32/HostSettings.h"

namespace vendrel::module {

// Not from DllMain: initializing the string library loads Lexicor.dll, which must not happen
// under the loader lock.
void CVornApp::InitInstance() {
  static std::once_flag once;
  std::call_once(once, [] {
    try {
      strings::Initialize(uilibs::HostLanguage(), uilibs::LanguageFilesFolder());
    } catch (...) {
      // A missing string library leaves every text at its English default.
    }
  });
}

}  // namespace vendrel::module
