// Move folder: one local move; the host's view is not refreshed.
#include "commands/files/CmdMoveFolder.h"

#include "commands/core/VarHandler.h"
#include "commands/files/CMoveFolderDlg.h"
#include "commands/files/FileCommandSupport.h"
#include "host/Strings.h"

namespace vendrel::commands {

std::wstring CmdMoveFolder::Summarize(const Fields& fields) const {
  return fields.oldPath + L" -> " + fields.newPath;
}

bool CmdMoveFolder::Edit(platform::Window parent) {
  return EditWith(CMoveFolderDlg(*this), parent);
}

bool CmdMoveFolder::Execute(actions::ActionData& run) {
  VarHandler variables(run);
  const std::wstring oldPath = variables.Expand(fields_.oldPath, false);
  const std::wstring newPath = variables.Expand(fields_.newPath, false);
  platform::FileSystem* files = run.Service(&platform::Services::files);
  if (files && files->MoveFile(oldPath, newPath)) return true;
  ShowFailure(run, strings::Load(97, L"Error moving/renaming folder"));
  return false;
}

}  // namespace vendrel::commands
