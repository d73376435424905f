// Generate parameter file: the vault steps around the writing of the output, each failure told
// in its own message.
#include "commands/vault/CmdGenerateFile.h"

#include <initializer_list>
#include <optional>
#include <string_view>

#include "actions/Archive.h"
#include "commands/core/VarHandler.h"
#include "commands/files/FileCommandSupport.h"
#include "commands/vault/CGenerateFileDlg.h"
#include "commands/vault/HostErrors.h"
#include "commands/vault/TemplateFile.h"
#include "host/Strings.h"
#include "platform/PathParts.h"

namespace vendrel::commands {
namespace {

std::wstring Message(std::int32_t id, const wchar_t* english,
                     std::initializer_list<std::wstring_view> values) {
  return strings::Fill(strings::Load(id, english), values);
}

enum class CheckOut { kNone, kMineHere, kElsewhere };

// What the vault needs once the output is written.
enum class AfterWriting { kNothing, kAdd, kCheckIn };

// The host calls of one generation and their messages.
class VaultSteps {
 public:
  explicit VaultSteps(actions::ActionData& run) : run_(run) {}

  // Gets the latest version of a template in the vault unless it is checked out here to the
  // current user. False after a message.
  bool FetchTemplate(const std::wstring& path);
  // Checks a vault output out when nobody has it; empty after a message.
  std::optional<AfterWriting> PrepareOutput(const std::wstring& path);
  void Finish(const std::wstring& path, AfterWriting after);

 private:
  std::optional<CheckOut> State(const std::wstring& path, host::VaultFile& file,
                                host::VaultFolder& folder);
  bool Add(const std::wstring& path);
  void CheckIn(const std::wstring& path);
  std::wstring HostText(host::HResult code);
  void Show(const std::wstring& text) { ShowFailure(run_, text); }

  actions::ActionData& run_;
};

bool VaultSteps::FetchTemplate(const std::wstring& path) {
  host::Ref<host::VaultFile> file;
  host::Ref<host::VaultFolder> folder;
  if (FileFromPath(run_, path, file, folder) != host::kOk) return true;
  const std::optional<CheckOut> state = State(path, *file, *folder);
  if (!state) return false;
  if (*state == CheckOut::kMineHere) return true;
  const host::HResult hr = file->GetLocalCopy(HostWindowOf(run_), host::Value(std::int32_t{0}),
                                              host::Value(path), 1, L"");
  if (host::Succeeded(hr)) {
    ReportDone(run_, L"got the latest version of " + path);
    return true;
  }
  Show(Message(125,
               L"Error generating parameter file.\n\n Failed getting latest version of file "
               L"'%s'.\n\n%s",
               {path, HostText(hr)}));
  return false;
}

std::optional<AfterWriting> VaultSteps::PrepareOutput(const std::wstring& path) {
  host::Ref<host::VaultFile> file;
  host::Ref<host::VaultFolder> folder;
  host::HResult hr = FileFromPath(run_, path, file, folder);
  if (host::Failed(hr)) {
    Show(Message(123, L"Error generating parameter file.\n\n Failed to access the file '%s'.\n\n%s",
                 {path, HostText(hr)}));
    return AfterWriting::kNothing;
  }
  if (hr != host::kOk) return AfterWriting::kAdd;
  const std::optional<CheckOut> state = State(path, *file, *folder);
  if (!state) return std::nullopt;
  if (*state == CheckOut::kMineHere) return AfterWriting::kNothing;
  if (*state == CheckOut::kElsewhere) {
    Show(Message(122,
                 L"Error generating parameter file.\n\n The file '%s' is checked out by someone "
                 L"else or in a different folder.",
                 {path}));
    return std::nullopt;
  }
  std::int32_t folderId = 0;
  hr = folder->Id(folderId);
  if (host::Succeeded(hr)) hr = file->CheckOut(folderId, HostWindowOf(run_), 0);
  if (host::Succeeded(hr)) {
    ReportDone(run_, L"checked out " + path);
    return AfterWriting::kCheckIn;
  }
  Show(Message(126,
               L"Error generating parameter file.\n\n Failed to check out the file '%s'.\n\n%s",
               {path, HostText(hr)}));
  return std::nullopt;
}

void VaultSteps::Finish(const std::wstring& path, AfterWriting after) {
  if (after == AfterWriting::kNothing) return;
  if (after == AfterWriting::kAdd && !Add(path)) return;
  CheckIn(path);
}

std::optional<CheckOut> VaultSteps::State(const std::wstring& path, host::VaultFile& file,
                                          host::VaultFolder& folder) {
  CheckOutStand stand;
  host::HResult hr = CurrentUserId(run_, stand.currentUser);
  if (host::Failed(hr)) {
    Show(Message(129,
                 L"Error generating parameter file.\n\n Failed to get id of current user.\n\n%s",
                 {HostText(hr)}));
    return std::nullopt;
  }
  std::int32_t folderId = 0;
  hr = folder.Id(folderId);
  if (host::Succeeded(hr)) hr = file.CheckOutState(stand.info);
  if (host::Failed(hr)) {
    Show(Message(124,
                 L"Error generating parameter file.\n\n Failed to check if the file '%s' is "
                 L"checked out.\n\n%s",
                 {path, HostText(hr)}));
    return std::nullopt;
  }
  if (stand.Free()) return CheckOut::kNone;
  return stand.MineHere(run_, folderId) ? CheckOut::kMineHere : CheckOut::kElsewhere;
}

// Only an add that succeeded is followed by a check-in; a folder outside the vault takes none.
bool VaultSteps::Add(const std::wstring& path) {
  if (path.find(L'\\') == std::wstring::npos) return false;
  host::Ref<host::VaultFolder> folder;
  host::HResult hr = FolderFromPath(run_, platform::FolderOfPath(path), folder);
  if (hr == host::kOk) {
    host::Ref<host::VaultFile> added;
    hr = folder ? folder->AddFile(HostWindowOf(run_), path, platform::NameOfPath(path), 0, added)
                : host::kPointer;
    if (host::Succeeded(hr)) {
      ReportDone(run_, L"added " + path + L" to the vault");
      return true;
    }
  }
  if (host::Failed(hr)) {
    Show(Message(127,
                 L"Error generating parameter file.\n\n Failed to add the file '%s' to "
                 L"vault.\n\n%s",
                 {path, HostText(hr)}));
  }
  return false;
}

void VaultSteps::CheckIn(const std::wstring& path) {
  host::Ref<host::VaultFile> file;
  host::Ref<host::VaultFolder> folder;
  host::HResult hr = FileFromPath(run_, path, file, folder);
  if (hr == host::kOk) {
    hr = file->CheckIn(HostWindowOf(run_), strings::Load(131, L"Checked in by Kalvano Vendrel."), 0,
                       0);
    if (host::Succeeded(hr)) {
      ReportDone(run_, L"checked in " + path);
      return;
    }
  }
  Show(Message(128, L"Error generating parameter file.\n\n Failed to check in the file '%s'.\n\n%s",
               {path, HostText(hr)}));
}

// The host's name and description of the code; when it has none, the standard text and what
// the failed call left in the thread's error object.
std::wstring VaultSteps::HostText(host::HResult code) {
  if (host::Succeeded(code)) return strings::Load(130, L"Unknown or unspecified error.");
  std::wstring name;
  std::wstring description;
  if (run_.vault && host::Succeeded(run_.vault->ErrorText(code, name, description)))
    return name + L"\n" + description;
  platform::Machine* machine = run_.Service(&platform::Services::machine);
  std::wstring text = ComErrorText(code, machine);
  if (machine) {
    if (const std::wstring left = machine->ErrorObjectDescription(); !left.empty())
      text += L"\n" + left;
  }
  return text;
}

}  // namespace

std::wstring CmdGenerateFile::Summarize(const Fields& fields) const {
  return fields.templateFile + L" -> " + fields.outputFile;
}

bool CmdGenerateFile::Edit(platform::Window parent) {
  return EditWith(CGenerateFileDlg(*this), parent);
}

bool CmdGenerateFile::Execute(actions::ActionData& run) {
  VarHandler variables(run);
  std::wstring output = variables.Expand(fields_.outputFile, false);
  const std::wstring templatePath = variables.Expand(fields_.templateFile, false);
  if (fields_.useCounter != 0) {
    // Without a dot the number goes in front of the whole path.
    const std::size_t dot = output.rfind(L'.');
    output.insert(dot == std::wstring::npos ? 0 : dot, std::to_wstring(run.runCounter));
    ++run.runCounter;
  }
  if (!fields_.assignTo.empty()) variables.SetRuntimeValue(fields_.assignTo, output);
  MarkForRefresh(run);

  VaultSteps vault(run);
  if (!vault.FetchTemplate(templatePath)) return false;
  const std::optional<AfterWriting> after = vault.PrepareOutput(output);
  if (!after) return false;
  // Template lines are not worth a line each in a trace.
  variables.SetReporting(false);
  variables.RememberValues();
  std::size_t lines = 0;
  platform::FileSystem* files = run.Service(&platform::Services::files);
  if (!files) {
    ShowFailure(run, strings::Load(121, L"Error generating parameter file.\n\n"));
    return false;
  }
  if (const auto error =
          ExpandTemplate(*files, variables, templatePath, output, fields_.append != 0, lines)) {
    ShowFailure(run, strings::Load(121, L"Error generating parameter file.\n\n") + *error);
    return false;
  }
  ReportDone(run, L"wrote " + std::to_wstring(lines) + L" line(s) from " + templatePath + L" to " +
                      output);
  vault.Finish(output, *after);
  return true;
}

}  // namespace vendrel::commands
