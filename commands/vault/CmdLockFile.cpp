// Check out file: the file checks itself out into the folder it was found in.
#include "commands/vault/CmdLockFile.h"

#include "actions/Archive.h"
#include "commands/core/VarHandler.h"
#include "commands/files/FileCommandSupport.h"
#include "commands/vault/CLockFileDlg.h"
#include "host/Strings.h"

namespace vendrel::commands {

CmdLockFile::CmdLockFile(actions::Action* owner) : Cmd(kType) {
  SetUp(owner);
}

void CmdLockFile::Assign(std::wstring path) {
  path_ = std::move(path);
  SetSummary(path_);
}

bool CmdLockFile::Edit(platform::Window parent) {
  CLockFileDlg dialog(*this);
  if (!ShowEditor(dialog, parent)) return false;
  Assign(dialog.Path());
  return true;
}

void CmdLockFile::Serialize(actions::Archive& archive) {
  Cmd::Serialize(archive);
  archive.Text(path_);
}

bool CmdLockFile::Execute(actions::ActionData& run) {
  const std::wstring path = VarHandler(run).Expand(path_, false);
  FoundFile found;
  host::HResult hr = FindFileInFolder(run, path, found);
  if (hr == host::kOk) {
    hr = found.file->CheckOut(found.folderId, HostWindowOf(run), 0);
    if (host::Succeeded(hr)) {
      MarkForRefresh(run);
      ReportDone(run, L"checked out " + path);
      return true;
    }
  }
  ShowHostFailure(run, strings::Load(104, L"Error checking out file"), hr);
  return false;
}

}  // namespace vendrel::commands
