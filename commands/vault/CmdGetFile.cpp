// Get file: the host decides whether a local copy is older than the latest version.
#include "commands/vault/CmdGetFile.h"

#include "commands/core/VarHandler.h"
#include "commands/files/FileCommandSupport.h"
#include "commands/vault/CGetFileDlg.h"
#include "host/Strings.h"

namespace vendrel::commands {

bool CmdGetFile::Edit(platform::Window parent) {
  return EditWith(CGetFileDlg(*this), parent);
}

bool CmdGetFile::Execute(actions::ActionData& run) {
  const std::wstring path = VarHandler(run).Expand(fields_.path, false);
  host::Ref<host::VaultFile> file;
  host::Ref<host::VaultFolder> folder;
  host::HResult hr = FileFromPath(run, path, file, folder);
  if (hr == host::kOk) {
    platform::FileSystem* files = run.Service(&platform::Services::files);
    if (!fields_.alsoIfEarlier && files && files->Attributes(path)) {
      ReportDone(run, L"found " + path + L" on disk");
      return true;
    }
    std::int32_t folderId = 0;
    hr = folder->Id(folderId);
    if (host::Succeeded(hr)) {
      hr = file->GetLocalCopy(HostWindowOf(run), host::Value(std::int32_t{0}),
                              host::Value(folderId), 1, L"");
    }
    if (host::Succeeded(hr)) {
      MarkForRefresh(run);
      ReportDone(run, L"got the latest version of " + path);
      return true;
    }
  }
  ShowHostFailure(run, strings::Load(141, L"Error getting file"), hr);
  return false;
}

}  // namespace vendrel::commands
