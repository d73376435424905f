// Check out file: the file checks itself out into the folder it was found in.
#include "commands/vault/CmdLockFile.h"

#include "commands/core/VarHandler.h"
#include "commands/files/FileCommandSupport.h"
#include "commands/vault/CLockFileDlg.h"
#include "host/Strings.h"

namespace vendrel::commands {

bool CmdLockFile::Edit(platform::Window parent) {
  return EditWith(CLockFileDlg(*this), parent);
}

bool CmdLockFile::Execute(actions::ActionData& run) {
  const std::wstring path = VarHandler(run).Expand(fields_.path, false);
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
