// Create folder: an existing folder, local or in the vault, is left as it is.
#include "commands/files/CmdCreateFolder.h"

#include "commands/core/VarHandler.h"
#include "commands/files/CCreateFolderDlg.h"
#include "commands/files/FileCommandSupport.h"
#include "host/Strings.h"
#include "platform/PathParts.h"

namespace vendrel::commands {

bool CmdCreateFolder::Edit(platform::Window parent) {
  return EditWith(CCreateFolderDlg(*this), parent);
}

bool CmdCreateFolder::Execute(actions::ActionData& run) {
  const std::wstring path = VarHandler(run).Expand(fields_.path, false);
  const std::wstring parentPath = platform::FolderOfPath(path);
  const std::wstring name = platform::NameOfPath(path);
  const std::wstring failed = strings::Load(95, L"Error creating folder");

  host::Ref<host::VaultFolder> parent;
  const host::HResult hr = parentPath.empty() ? NotificationFolder(run, parent)
                                              : FolderFromPath(run, parentPath, parent);
  if (hr == host::kFalse) {
    platform::FileSystem* files = run.Service(&platform::Services::files);
    if (files && (files->Attributes(path) || files->CreateDirectory(path))) return true;
    ShowFailure(run, failed);
    return false;
  }

  if (!parent) {
    ShowHostFailure(run, failed, host::kPointer);
    return false;
  }
  // Only a sub-folder the vault does not have is added; any other answer leaves things be.
  host::Ref<host::VaultFolder> existing;
  if (parent->SubFolder(name, existing) != host::kFolderNotFound) return true;
  host::Ref<host::VaultFolder> added;
  const host::HResult addResult = parent->AddFolder(HostWindowOf(run), name, 0, added);
  if (host::Failed(addResult)) {
    ShowHostFailure(run, failed, addResult);
    return false;
  }
  MarkForRefresh(run);
  return true;
}

}  // namespace vendrel::commands
