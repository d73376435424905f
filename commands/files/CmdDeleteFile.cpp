// Delete file: the vault's delete inside the vault, a forced local delete outside it.
#include "commands/files/CmdDeleteFile.h"

#include "commands/core/VarHandler.h"
#include "commands/files/CDeleteFileDlg.h"
#include "commands/files/FileCommandSupport.h"
#include "host/Strings.h"

namespace vendrel::commands {

std::wstring CmdDeleteFile::Summarize(const Fields& fields) const {
  std::wstring summary = strings::Load(25, L"DELETE ") + fields.path;
  if (fields.fromVault) summary += strings::Load(113, L" FROM_VAULT");
  return summary;
}

bool CmdDeleteFile::Edit(platform::Window parent) {
  return EditWith(CDeleteFileDlg(*this), parent);
}

bool CmdDeleteFile::Execute(actions::ActionData& run) {
  const std::wstring path = VarHandler(run).Expand(fields_.path, false);
  bool deleted = false;
  if (fields_.fromVault) {
    deleted = DeleteFromVault(run, path);
  } else if (platform::FileSystem* files = run.Service(&platform::Services::files)) {
    // A read-only file is deleted too.
    files->MakeWritable(path);
    deleted = files->DeleteFile(path);
  }
  if (deleted) MarkForRefresh(run);
  return deleted;
}

bool CmdDeleteFile::DeleteFromVault(actions::ActionData& run, const std::wstring& path) const {
  host::Ref<host::VaultFile> file;
  host::Ref<host::VaultFolder> folder;
  std::int32_t id = 0;
  if (FileFromPath(run, path, file, folder) != host::kOk || host::Failed(file->Id(id)))
    return false;
  return host::Succeeded(folder->DeleteFile(HostWindowOf(run), id, 1));
}

}  // namespace vendrel::commands
