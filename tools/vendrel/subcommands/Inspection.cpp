// Looking into the vault: a folder's contents, one file with its history and card.
#include <ostream>

#include "commands/core/ValueText.h"
#include "sim/Dates.h"
#include "tools/vendrel/Command.h"
#include "tools/vendrel/Host.h"
#include "tools/vendrel/VaultFiles.h"

namespace vendrel::tools {
namespace {

// The card variables of the file that have a value, as "name = value" lines.
void ShowCard(VaultHost& host, host::VaultFile& file, std::ostream& out) {
  host::Ref<host::VariableManager> manager;
  host::Ref<host::CardVariableSet> card;
  std::vector<host::CardVariableInfo> variables;
  if (host::Failed(host.Session().Variables(manager)) || !manager ||
      host::Failed(manager->Variables(variables)) || host::Failed(file.CardVariables(card)) ||
      !card) {
    return;
  }
  for (const host::CardVariableInfo& variable : variables) {
    host::Value value;
    if (host::Failed(card->GetValue(variable.name, L"", value)) ||
        host::KindOf(value) == host::ValueKind::kEmpty) {
      continue;
    }
    out << "  " << Utf8(variable.name) << " = " << Utf8(commands::ValueToText(value)) << "\n";
  }
}

}  // namespace

int RunList(Call& call) {
  VaultHost& host = call.Host();
  const Args& args = call.Arguments();
  if (args.size() > 1) throw call.Misused();
  const std::wstring path = host.VaultPath(args.empty() ? L"" : Wide(args[0]));
  const host::Ref<host::VaultFolder> folder = FindFolder(host, path);
  if (!folder) throw UsageError("no vault folder " + Utf8(path));
  std::vector<host::Ref<host::VaultFolder>> subFolders;
  std::vector<host::Ref<host::VaultFile>> files;
  folder->SubFolders(subFolders);
  folder->Files(files);
  std::ostream& out = call.Out();
  out << Utf8(path) << "\n";
  for (const auto& sub : subFolders) {
    std::wstring name;
    sub->Name(name);
    out << "  " << Utf8(name) << "\\\n";
  }
  for (const auto& file : files) out << "  " << FileLine(StateOf(*file)) << "\n";
  return kExitOk;
}

int RunShow(Call& call) {
  VaultHost& host = call.Host();
  if (call.Arguments().size() != 1) throw call.Misused();
  const FileRef f = FindFile(host, call.Arguments()[0]);
  std::ostream& out = call.Out();
  out << Utf8(f.path) << " (file " << f.fileId << ")\n  " << FileLine(StateOf(*f.file)) << "\n";
  std::wstring revision;
  if (host::Succeeded(f.file->CurrentRevision(revision)) && !revision.empty()) {
    out << "  revision " << Utf8(revision) << "\n";
  }
  std::vector<host::VersionInfo> history;
  f.file->VersionHistory(history);
  for (const host::VersionInfo& v : history) {
    out << "  version " << v.version << "  " << Utf8(v.user) << "  "
        << Utf8(sim::FormatDate(v.time));
    if (!v.comment.empty()) out << "  \"" << Utf8(v.comment) << "\"";
    out << "\n";
  }
  std::vector<std::wstring> configurations;
  if (host::Succeeded(f.file->Configurations(configurations)) && !configurations.empty()) {
    out << "  configurations:";
    for (const std::wstring& c : configurations) out << " " << Utf8(c);
    out << "\n";
  }
  ShowCard(host, *f.file, out);
  return kExitOk;
}

}  // namespace vendrel::tools
