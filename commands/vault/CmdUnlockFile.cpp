// Check in file: the host checks in the file with the expanded comment.
#include "commands/vault/CmdUnlockFile.h"

#include "commands/core/VarHandler.h"
#include "commands/files/FileCommandSupport.h"
#include "commands/vault/CUnlockFileDlg.h"
#include "host/Strings.h"

namespace vendrel::commands {

bool CmdUnlockFile::Edit(platform::Window parent) {
  return EditWith(CUnlockFileDlg(*this), parent);
}

bool CmdUnlockFile::Execute(actions::ActionData& run) {
  VarHandler variables(run);
  const std::wstring path = variables.Expand(fields_.path, false);
  const std::wstring comment = variables.Expand(fields_.comment, false);
  // The folder's id is not needed, but a folder without one fails the command.
  FoundFile found;
  host::HResult hr = FindFileInFolder(run, path, found);
  if (hr == host::kOk) {
    hr = found.file->CheckIn(HostWindowOf(run), comment, 0, 0);
    if (host::Succeeded(hr)) {
      MarkForRefresh(run);
      ReportDone(run, L"checked in " + path + L" with the comment \"" + comment + L"\"");
      return true;
    }
  }
  ShowHostFailure(run, strings::Load(107, L"Error checking in file"), hr);
  return false;
}

}  // namespace vendrel::commands
