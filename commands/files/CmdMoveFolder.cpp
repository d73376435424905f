// Move folder: one local move; the host's view is not refreshed.
#include "commands/files/CmdMoveFolder.h"

#include "actions/Archive.h"
#include "commands/core/VarHandler.h"
#include "commands/files/CMoveFolderDlg.h"
#include "commands/files/FileCommandSupport.h"
#include "host/Strings.h"

namespace vendrel::commands {

CmdMoveFolder::CmdMoveFolder(actions::Action* owner) : Cmd(kType) {
  SetUp(owner);
}

void CmdMoveFolder::Assign(std::wstring oldPath, std::wstring newPath) {
  oldPath_ = std::move(oldPath);
  newPath_ = std::move(newPath);
  SetSummary(oldPath_ + L" -> " + newPath_);
}

bool CmdMoveFolder::Edit(platform::Window parent) {
  CMoveFolderDlg dialog(*this);
  if (!ShowEditor(dialog, parent)) return false;
  Assign(dialog.OldPath(), dialog.NewPath());
  return true;
}

void CmdMoveFolder::Serialize(actions::Archive& archive) {
  Cmd::Serialize(archive);
  archive.Text(oldPath_);
  archive.Text(newPath_);
}

bool CmdMoveFolder::Execute(actions::ActionData& run) {
  VarHandler variables(run);
  const std::wstring oldPath = variables.Expand(oldPath_, false);
  const std::wstring newPath = variables.Expand(newPath_, false);
  platform::FileSystem* files = run.Service(&platform::Services::files);
  if (files && files->MoveFile(oldPath, newPath)) return true;
  ShowFailure(run, strings::Load(97, L"Error moving/renaming folder"));
  return false;
}

}  // namespace vendrel::commands
