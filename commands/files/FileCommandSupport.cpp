// The host calls of the file commands.
#include "commands/files/FileCommandSupport.h"

#include "actions/Action.h"
#include "actions/RunObserver.h"
#include "platform/CaseFold.h"

namespace vendrel::commands {
namespace {

// The computer of a check-out path, which names it as a network path does: \\PC1\C:\Vault\a.txt.
std::wstring_view ComputerOf(std::wstring_view path) {
  if (!path.starts_with(L"\\\\")) return {};
  path.remove_prefix(2);
  return path.substr(0, path.find(L'\\'));
}

}  // namespace

host::HostWindow HostWindowOf(const actions::ActionData& run) {
  return static_cast<host::HostWindow>(run.ownerWindow);
}

host::HResult NotificationFolder(actions::ActionData& run, host::Ref<host::VaultFolder>& folder) {
  if (!run.vault) return host::kPointer;
  host::Ref<host::VaultObject> object;
  const host::HResult hr =
      run.vault->GetObject(host::ObjectKind::kFolder, run.notificationFolderId, object);
  if (object && host::Failed(object->QueryFolder(folder))) folder = nullptr;
  return hr;
}

host::HResult FolderFromPath(actions::ActionData& run, const std::wstring& path,
                             host::Ref<host::VaultFolder>& folder) {
  if (!run.vault) return host::kPointer;
  return run.vault->GetFolderFromPath(path, folder);
}

host::HResult FileFromPath(actions::ActionData& run, const std::wstring& path,
                           host::Ref<host::VaultFile>& file, host::Ref<host::VaultFolder>& folder) {
  if (!run.vault) return host::kPointer;
  const host::HResult hr = run.vault->GetFileFromPath(path, file, folder);
  if (hr == host::kOk && (!file || !folder)) return host::kPointer;
  return hr;
}

host::HResult FindFileInFolder(actions::ActionData& run, const std::wstring& path,
                               FoundFile& found) {
  host::Ref<host::VaultFolder> folder;
  const host::HResult hr = FileFromPath(run, path, found.file, folder);
  if (hr != host::kOk) return hr;
  return folder->Id(found.folderId);
}

host::HResult CurrentUserId(actions::ActionData& run, std::int32_t& id) {
  if (!run.vault) return host::kPointer;
  host::Ref<host::VaultUserDirectory> directory;
  VENDREL_RETURN_IF_FAILED(run.vault->UserDirectory(directory));
  if (!directory) return host::kPointer;
  host::Ref<host::VaultUser> user;
  VENDREL_RETURN_IF_FAILED(directory->LoggedInUser(user));
  if (!user) return host::kPointer;
  return user->Id(id);
}

bool CheckOutStand::MineHere(actions::ActionData& run, std::int32_t folderId) const {
  if (!Mine() || info.folderId != folderId) return false;
  platform::Machine* machine = run.Service(&platform::Services::machine);
  const std::wstring computer = machine ? machine->ComputerName() : std::wstring();
  return platform::SameIgnoringCase(ComputerOf(info.path), computer);
}

std::wstring HostErrorText(actions::ActionData& run, host::HResult code) {
  std::wstring name;
  std::wstring description;
  if (!run.vault || host::Failed(run.vault->ErrorText(code, name, description))) return {};
  return description;
}

void ShowFailure(actions::ActionData& run, const std::wstring& text) {
  if (platform::MessageBoxes* boxes = run.Service(&platform::Services::messageBoxes)) {
    boxes->Show(
        {run.ownerWindow, text, L"Vendrel", platform::mb::kOk | platform::mb::kIconExclamation});
  }
}

void ShowHostFailure(actions::ActionData& run, const std::wstring& message, host::HResult code) {
  ShowFailure(run, message + L"\n" + HostErrorText(run, code));
}

void MarkForRefresh(actions::ActionData& run) {
  if (run.currentAction != nullptr) run.currentAction->refreshMark = true;
}

void ReportDone(actions::ActionData& run, const std::wstring& what) {
  if (run.observer != nullptr) run.observer->CommandDid(what);
}

}  // namespace vendrel::commands
