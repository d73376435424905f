// Copy file: local copies through the file system, copies into the vault through the host.
#include "commands/files/CmdCopyFile.h"

#include "commands/core/VarHandler.h"
#include "commands/files/CCopyFileDlg.h"
#include "commands/files/FileCommandSupport.h"
#include "host/Strings.h"
#include "platform/PathParts.h"

namespace vendrel::commands {
namespace {

// GetCurrentDirectoryW with a buffer of 260 characters gives at most 259.
constexpr std::size_t kMaxCurrentDirectory = 259;

std::wstring CopyFailed() {
  return strings::Load(109, L"Error copying file");
}

}  // namespace

std::wstring CmdCopyFile::Summarize(const Fields& fields) const {
  return fields.source + L" => " + fields.destination;
}

bool CmdCopyFile::Edit(platform::Window parent) {
  return EditWith(CCopyFileDlg(*this), parent);
}

bool CmdCopyFile::Execute(actions::ActionData& run) {
  VarHandler variables(run);
  const std::wstring source = SourceInFolder(run, variables.Expand(fields_.source, false));
  std::wstring destination = variables.Expand(fields_.destination, false);
  platform::FileSystem* files = run.Service(&platform::Services::files);
  if (!files) {
    ShowFailure(run, CopyFailed());
    return false;
  }

  if (platform::FolderOfPath(destination).empty()) {
    const std::wstring current = files->CurrentDirectory();
    if (!current.empty() && current.size() <= kMaxCurrentDirectory)
      destination = current + L"\\" + destination;
  }

  // Set whatever the outcome: a failed copy may still have fetched a local copy.
  MarkForRefresh(run);

  host::Ref<host::VaultFolder> folder;
  host::HResult hr = FolderFromPath(run, platform::FolderOfPath(destination), folder);
  if (hr == host::kFalse) return CopyLocally(run, source, std::move(destination));

  if (!files->Attributes(source)) FetchFromVault(run, source);
  host::Ref<host::VaultFile> added;
  hr = folder
           ? folder->AddFile(HostWindowOf(run), source, platform::NameOfPath(destination), 1, added)
           : host::kPointer;
  if (hr != host::kOk) {
    ShowHostFailure(run, CopyFailed(), hr);
    return false;
  }
  return true;
}

std::wstring CmdCopyFile::SourceInFolder(actions::ActionData& run, std::wstring source) const {
  if (!platform::FolderOfPath(source).empty()) return source;
  host::Ref<host::VaultFolder> folder;
  std::wstring path;
  if (host::Failed(NotificationFolder(run, folder)) || !folder ||
      host::Failed(folder->LocalPath(path))) {
    return source;
  }
  return path + L"\\" + source;
}

// A vault file that is not on disk yet is fetched; whatever the host answers, the copy that
// follows reports what is missing. False when the path is no vault file.
bool CmdCopyFile::FetchFromVault(actions::ActionData& run, const std::wstring& source) const {
  host::Ref<host::VaultFile> file;
  host::Ref<host::VaultFolder> parent;
  if (FileFromPath(run, source, file, parent) != host::kOk) return false;
  file->GetLocalCopy(HostWindowOf(run), host::Value(), host::Value(source), 1, L"");
  return true;
}

bool CmdCopyFile::CopyLocally(actions::ActionData& run, const std::wstring& source,
                              std::wstring destination) const {
  if (!destination.empty() && destination.back() == L'\\')
    destination += platform::NameOfPath(source);
  platform::FileSystem& files = *run.Service(&platform::Services::files);
  if (files.CopyFile(source, destination, false)) return true;
  std::uint32_t error = files.LastError();
  // Most sources are on disk: the vault is asked for one only when the copy finds it missing.
  if (!files.Attributes(source) && FetchFromVault(run, source)) {
    if (files.CopyFile(source, destination, false)) return true;
    error = files.LastError();
  }
  std::wstring text = CopyFailed();
  const std::wstring system = files.ErrorText(error);
  if (!system.empty()) text += L" : " + source + L"\n" + system;
  ShowFailure(run, text);
  return false;
}

}  // namespace vendrel::commands
