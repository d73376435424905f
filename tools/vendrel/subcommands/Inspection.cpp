// Looking into the vault: a folder's contents, one file with its history and card.
#include <ostream>

#include "commands/core/ValueText.h"
#include "sim/Dates.h"
#include "tools/vendrel/CardValues.h"
#include "tools/vendrel/Command.h"
#include "tools/vendrel/Host.h"
#include "tools/vendrel/Json.h"
#include "tools/vendrel/VaultFiles.h"

namespace vendrel::tools {
namespace {

// The card variables of the file that have a value.
std::vector<CardLine> Card(VaultHost& host, std::int32_t fileId) {
  std::vector<CardLine> lines = CardOf(host, sim::CardOwner::kFile, fileId, L"");
  std::erase_if(lines, [](const CardLine& line) {
    return host::KindOf(line.value) == host::ValueKind::kEmpty;
  });
  return lines;
}

}  // namespace

int RunList(Call& call) {
  VaultHost& host = call.Reader();
  const Args& args = call.Arguments();
  if (args.size() > 1) throw call.Misused();
  const std::wstring path = host.VaultPath(args.empty() ? L"" : Wide(args[0]));
  const host::Ref<host::VaultFolder> folder = FindFolder(host, path);
  if (!folder) throw UsageError("no vault folder " + Utf8(path));
  std::vector<host::Ref<host::VaultFolder>> subFolders;
  std::vector<host::Ref<host::VaultFile>> files;
  folder->SubFolders(subFolders);
  folder->Files(files);
  std::vector<std::wstring> names;
  for (const auto& sub : subFolders) {
    std::wstring name;
    sub->Name(name);
    names.push_back(std::move(name));
  }
  std::vector<std::pair<std::wstring, FileState>> states;
  for (const auto& file : files) {
    FileState state = StateOf(*file);
    states.emplace_back(path + L"\\" + state.name, std::move(state));
  }
  std::ostream& out = call.Out();
  if (call.Json()) {
    out << WriteJson({{"folder", path}, {"folders", names}, {"files", FilesJson(states)}});
    return kExitOk;
  }
  out << Utf8(path) << "\n";
  for (const std::wstring& name : names) out << "  " << Utf8(name) << "\\\n";
  for (const auto& [filePath, state] : states) out << "  " << FileLine(state) << "\n";
  return kExitOk;
}

int RunShow(Call& call) {
  VaultHost& host = call.Reader();
  if (call.Arguments().size() != 1) throw call.Misused();
  const FileRef f = FindFile(host, call.Arguments()[0]);
  const FileState state = StateOf(*f.file);
  std::wstring revision;
  f.file->CurrentRevision(revision);
  std::vector<host::VersionInfo> history;
  f.file->VersionHistory(history);
  std::vector<std::wstring> configurations;
  f.file->Configurations(configurations);
  const auto card = Card(host, f.fileId);
  std::ostream& out = call.Out();
  if (call.Json()) {
    Json json = FilesJson({{f.path, state}}).front();
    json["fileId"] = f.fileId;
    json["revision"] = revision;
    json["versions"] = Json::array();
    for (const host::VersionInfo& v : history) {
      json["versions"].push_back({{"version", v.version},
                                  {"user", v.user},
                                  {"time", DateJson(v.time)},
                                  {"comment", v.comment}});
    }
    json["configurations"] = configurations;
    json["card"] = Json::object();
    for (const CardLine& line : card)
      json["card"][Utf8(line.variable.name)] = ValueJson(line.value);
    out << WriteJson(json);
    return kExitOk;
  }
  out << Utf8(f.path) << " (file " << f.fileId << ")\n  " << FileLine(state) << "\n";
  if (!revision.empty()) out << "  revision " << Utf8(revision) << "\n";
  for (const host::VersionInfo& v : history) {
    out << "  version " << v.version << "  " << Utf8(v.user) << "  "
        << Utf8(sim::FormatDate(v.time));
    if (!v.comment.empty()) out << "  \"" << Utf8(v.comment) << "\"";
    out << "\n";
  }
  if (!configurations.empty()) {
    out << "  configurations:";
    for (const std::wstring& c : configurations) out << " " << Utf8(c);
    out << "\n";
  }
  for (const CardLine& line : card) {
    out << "  " << Utf8(line.variable.name) << " = " << Utf8(commands::ValueToText(line.value))
        << "\n";
  }
  return kExitOk;
}

}  // namespace vendrel::tools
