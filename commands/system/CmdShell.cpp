// Shell Execute: the request the shell gets from the verb, and the wait for the started program.
#include "commands/system/CmdShell.h"

#include <string_view>

#include "actions/Archive.h"
#include "commands/core/VarHandler.h"
#include "commands/system/CShellDlg.h"
#include "platform/CaseFold.h"

namespace vendrel::commands {
namespace {

// The plain verbs need no mask; any other is invoked through the item's context menu.
std::uint32_t VerbMask(const std::wstring& verb) {
  for (const std::wstring_view plain : {L"Open", L"Edit", L"Print"}) {
    if (platform::SameIgnoringCase(verb, plain)) return 0;
  }
  return platform::see::kInvokeIdList | platform::see::kClassName;
}

std::wstring TrimBlanks(const std::wstring& text) {
  const std::size_t first = text.find_first_not_of(L' ');
  if (first == std::wstring::npos) return {};
  return text.substr(first, text.find_last_not_of(L' ') - first + 1);
}

}  // namespace

std::wstring CmdShell::Summarize(const Fields& fields) const {
  return fields.verb + L" " + fields.file + L" " + fields.parameters;
}

bool CmdShell::Edit(platform::Window parent) {
  return EditWith(CShellDlg(*this), parent);
}

void CmdShell::Serialize(actions::Archive& archive) {
  if (archive.IsStoring() || archive.Version() >= kFirstVersionWithMode) {
    FieldCmd::Serialize(archive);
    return;
  }
  // The older layout: the fields before the mode.
  formatVersion_ = archive.Version();
  SerializeSummary(archive);
  archive.Text(fields_.verb);
  archive.Text(fields_.file);
  archive.Text(fields_.parameters);
  archive.Int32(fields_.halt);
  fields_.mode = kShellMode;
}

bool CmdShell::Execute(actions::ActionData& run) {
  VarHandler variables(run);
  std::wstring verb = TrimBlanks(variables.Expand(fields_.verb, false));
  const std::wstring file = variables.Expand(fields_.file, false);
  const std::wstring parameters = variables.Expand(fields_.parameters, false);
  platform::Shell* shell = run.services ? run.services->shell : nullptr;
  if (shell == nullptr) return false;
  if (verb.empty()) verb = L"open";

  platform::ShellRequest request;
  request.verb = verb;
  request.parameters = parameters;
  if (platform::SameIgnoringCase(verb, L"explore")) {
    request.file = shell->RemoveFileSpec(file);
    request.className = L"Folder";
    request.mask = platform::see::kClassName;
  } else {
    request.file = file;
    request.mask = VerbMask(verb);
    if (fields_.halt != 0) request.mask |= platform::see::kNoCloseProcess;
  }
  const platform::ShellResult result = shell->Execute(request);
  if (!result.started) return false;
  // No message is delivered meanwhile: the host does not respond until the program ends.
  if (result.process) result.process->Wait();
  return true;
}

}  // namespace vendrel::commands
