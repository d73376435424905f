// Check in file: the host checks in the file with the expanded comment.
#include "commands/vault/CmdUnlockFile.h"

#include "actions/Archive.h"
#include "commands/core/VarHandler.h"
#include "commands/files/FileCommandSupport.h"
#include "commands/vault/CUnlockFileDlg.h"
#include "host/Strings.h"

namespace vendrel::commands {

CmdUnlockFile::CmdUnlockFile(actions::Action* owner) : Cmd(kType) {
  SetUp(owner);
}

void CmdUnlockFile::Assign(std::wstring path, std::wstring comment) {
  path_ = std::move(path);
  comment_ = std::move(comment);
  SetSummary(path_);
}

bool CmdUnlockFile::Edit(platform::Window parent) {
  CUnlockFileDlg dialog(*this);
  if (!ShowEditor(dialog, parent)) return false;
  Assign(dialog.Path(), dialog.Comment());
  return true;
}

void CmdUnlockFile::Serialize(actions::Archive& archive) {
  Cmd::Serialize(archive);
  archive.Text(path_);
  archive.Text(comment_);
}

bool CmdUnlockFile::Execute(actions::ActionData& run) {
  VarHandler variables(run);
  const std::wstring path = variables.Expand(path_, false);
  const std::wstring comment = variables.Expand(comment_, false);
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
