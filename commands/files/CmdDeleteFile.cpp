// Delete file: the vault's delete inside the vault, a forced local delete outside it.
#include "commands/files/CmdDeleteFile.h"

#include "actions/Archive.h"
#include "commands/core/VarHandler.h"
#include "commands/files/CDeleteFileDlg.h"
#include "commands/files/FileCommandSupport.h"
#include "host/Strings.h"

namespace vendrel::commands {

CmdDeleteFile::CmdDeleteFile(actions::Action* owner) : Cmd(kType) {
  SetUp(owner);
  SetSummary(L"");
}

void CmdDeleteFile::Assign(std::wstring path, bool fromVault) {
  path_ = std::move(path);
  fromVault_ = fromVault;
  std::wstring summary = strings::Load(25, L"DELETE ") + path_;
  if (fromVault_) summary += strings::Load(113, L" FROM_VAULT");
  SetSummary(std::move(summary));
}

bool CmdDeleteFile::Edit(platform::Window parent) {
  CDeleteFileDlg dialog(*this);
  if (!ShowEditor(dialog, parent)) return false;
  Assign(dialog.Path(), dialog.FromVault());
  return true;
}

void CmdDeleteFile::Serialize(actions::Archive& archive) {
  Cmd::Serialize(archive);
  archive.Text(path_);
  archive.Bool(fromVault_);
}

bool CmdDeleteFile::Execute(actions::ActionData& run) {
  const std::wstring path = VarHandler(run).Expand(path_, false);
  bool deleted = false;
  if (fromVault_) {
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
