// Move file: a rename in place; a folder part of the new name is ignored.
#include "commands/files/CmdMoveFile.h"

#include "commands/core/VarHandler.h"
#include "commands/files/CMoveFileDlg.h"
#include "commands/files/FileCommandSupport.h"
#include "host/Strings.h"
#include "platform/PathParts.h"

namespace vendrel::commands {

std::wstring CmdMoveFile::Summarize(const Fields& fields) const {
  return fields.source + L" -> " + fields.newName;
}

bool CmdMoveFile::Edit(platform::Window parent) {
  return EditWith(CMoveFileDlg(*this), parent);
}

bool CmdMoveFile::Execute(actions::ActionData& run) {
  VarHandler variables(run);
  const std::wstring source = variables.Expand(fields_.source, false);
  const std::wstring newName = platform::NameOfPath(variables.Expand(fields_.newName, false));
  const std::size_t slash = source.rfind(L'\\');
  const std::wstring folderPath =
      slash == std::wstring::npos ? std::wstring() : source.substr(0, slash + 1);
  const std::wstring failed = strings::Load(99, L"Error renaming file");

  host::Ref<host::VaultFolder> folder;
  if (FolderFromPath(run, folderPath, folder) != host::kOk) {
    platform::FileSystem* files = run.Service(&platform::Services::files);
    if (files && files->MoveFile(source, folderPath + newName)) return true;
    ShowFailure(run, failed);
    return false;
  }

  host::Ref<host::VaultFile> file;
  host::Ref<host::VaultFolder> parent;
  host::HResult hr = FileFromPath(run, source, file, parent);
  if (hr == host::kOk) hr = file->Rename(HostWindowOf(run), newName, 1);
  if (hr != host::kOk) {
    ShowHostFailure(run, failed, hr);
    return false;
  }
  MarkForRefresh(run);
  return true;
}

}  // namespace vendrel::commands
