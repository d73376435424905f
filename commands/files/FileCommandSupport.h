// The host calls that the file commands share.
#pragma once

#include <string>

#include "actions/ActionData.h"
#include "host/Ref.h"
#include "host/Vault.h"

namespace vendrel::commands {

// Window handles travel to the host as 32-bit values.
host::HostWindow HostWindowOf(const actions::ActionData& run);

// Asks the vault for the notification folder's object and that object for its folder interface.
// Returns the result of the object lookup; `folder` stays null when either step yields nothing.
host::HResult NotificationFolder(actions::ActionData& run, host::Ref<host::VaultFolder>& folder);
// The vault's own lookups, kPointer when the run has no vault.
host::HResult FolderFromPath(actions::ActionData& run, const std::wstring& path,
                             host::Ref<host::VaultFolder>& folder);
// kPointer also when the host reports the file found but gives no file or folder.
host::HResult FileFromPath(actions::ActionData& run, const std::wstring& path,
                           host::Ref<host::VaultFile>& file, host::Ref<host::VaultFolder>& folder);

// A vault file found by its path, with the id of the folder it was found in.
struct FoundFile {
  host::Ref<host::VaultFile> file;
  std::int32_t folderId = 0;
};
// kOk when the path names a vault file and its folder gives its id; otherwise the code that
// failed, a lookup's S_FALSE (no vault file) included.
host::HResult FindFileInFolder(actions::ActionData& run, const std::wstring& path,
                               FoundFile& found);

// The id of the user logged in to the vault; kPointer without a vault or a user.
host::HResult CurrentUserId(actions::ActionData& run, std::int32_t& id);

// A vault file's check-out as the user running the action sees it.
struct CheckOutStand {
  host::CheckOutInfo info;
  std::int32_t currentUser = 0;

  // User ids 0 and 1 stand for nobody.
  bool Free() const { return info.userId < 2; }
  bool Mine() const { return !Free() && info.userId == currentUser; }
  // Mine, in the folder `folderId`, on this computer.
  bool MineHere(actions::ActionData& run, std::int32_t folderId) const;
};

// The host's description of `code`, empty when it has none.
std::wstring HostErrorText(actions::ActionData& run, host::HResult code);
// A failure message in the caption "Vendrel" with the exclamation icon.
void ShowFailure(actions::ActionData& run, const std::wstring& text);
// The localized message, a line break and the host's description of `code`.
void ShowHostFailure(actions::ActionData& run, const std::wstring& message, host::HResult code);
// Asks the host to refresh its view once the run is over.
void MarkForRefresh(actions::ActionData& run);
// Tells whoever follows the run what the command did, such as "checked out C:\a.txt".
void ReportDone(actions::ActionData& run, const std::wstring& what);

}  // namespace vendrel::commands
