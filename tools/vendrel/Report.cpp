// The report of one host operation.
#include "tools/vendrel/Report.h"

#include <ostream>
#include <utility>

#include "platform/Sqlite.h"
#include "sim/Store.h"
#include "tools/vendrel/Command.h"
#include "tools/vendrel/Json.h"
#include "tools/vendrel/VaultFiles.h"
#include "tools/vendrel/workbench/VaultCopy.h"

namespace vendrel::tools {

std::string ErrorText(VaultHost& host, host::HResult code) {
  std::wstring name;
  std::wstring description;
  if (host::Succeeded(host.Session().ErrorText(code, name, description)) && !description.empty()) {
    return Utf8(description) + " (" + HexCode(code) + ")";
  }
  // The simulated vault's own failures, which the host's table does not describe.
  switch (code) {
    case sim::kVaultLocked:
      return "another program holds the vault locked; try again once it is done (" + HexCode(code) +
             ")";
    case sim::kDiskFull:
      return "the disk holding the vault is full; make room on it and try again (" + HexCode(code) +
             ")";
    case sim::kWriteProtected:
      return "the vault's files cannot be written (a read-only mount or copy) (" + HexCode(code) +
             ")";
    default:
      return HexCode(code);
  }
}

namespace {

using Files = std::vector<std::pair<std::wstring, FileState>>;

// The files' states in one statement for them all, rather than four calls each.
Files Summarized(VaultHost& host, const std::vector<std::pair<std::wstring, std::int32_t>>& found) {
  std::vector<std::int32_t> ids;
  ids.reserve(found.size());
  for (const auto& [path, id] : found) ids.push_back(id);
  const auto summaries = host.Vault().Summaries(ids);
  Files files;
  files.reserve(found.size());
  for (const auto& [path, id] : found) {
    FileState state;
    if (const auto s = summaries.find(id); s != summaries.end()) {
      const sim::FileSummary& summary = s->second;
      state = {summary.name, summary.version, summary.state, summary.checkedOutBy,
               summary.computer};
    }
    files.emplace_back(path, std::move(state));
  }
  return files;
}

// The vault files of an operation afterwards, by path; a path the vault no longer finds is left
// out. All in one snapshot.
Files Afterwards(VaultHost& host, const std::vector<std::wstring>& paths) {
  const platform::ReadTransaction snapshot = host.Vault().Snapshot();
  std::vector<std::pair<std::wstring, std::int32_t>> found;
  for (const std::wstring& path : paths) {
    host::Ref<host::VaultFile> file;
    host::Ref<host::VaultFolder> folder;
    std::int32_t id = 0;
    if (host.Session().GetFileFromPath(path, file, folder) != host::kOk || !file ||
        host::Failed(file->Id(id))) {
      continue;
    }
    found.emplace_back(path, id);
  }
  return Summarized(host, found);
}

Files Afterwards(VaultHost& host, const std::vector<FileRef>& found, const VaultMark& since) {
  const platform::ReadTransaction snapshot = host.Vault().Snapshot();
  if (!since.Unchanged(host)) return Afterwards(host, PathsOf(found));
  std::vector<std::pair<std::wstring, std::int32_t>> ids;
  ids.reserve(found.size());
  for (const FileRef& f : found) ids.emplace_back(f.path, f.fileId);
  return Summarized(host, ids);
}

int Report(Call& call, const std::string& operation, const Outcome& outcome, const Files& files) {
  VaultHost& host = call.Host();
  std::ostream& out = call.Out();
  const bool refused =
      outcome.veto || host::Failed(outcome.operation) || host::Failed(outcome.status);
  const int code = call.Finish(refused ? kExitRefused : kExitOk);
  if (call.Json()) {
    Json json = {{"operation", operation},
                 {"status", outcome.status},
                 {"refresh", outcome.refresh},
                 {"veto", outcome.veto ? 1 : 0},
                 {"hostStatus", outcome.operation},
                 {"notifications", host.GetTrace().Records().NotificationsJson()}};
    // Through COM the runs are the add-in's own business: no list rather than an empty one.
    if (host.AddInLinked()) json["runs"] = host.GetTrace().Records().RunsJson();
    json["files"] = FilesJson(files);
    if (const VaultCopy* copy = call.DryRun()) json["dryRun"] = copy->Changes().ToJson();
    json["exit"] = code;
    out << WriteJson(json);
  } else if (outcome.veto) {
    out << operation << " refused by the add-in\n";
  } else if (host::Failed(outcome.operation)) {
    out << operation << " failed: " << ErrorText(host, outcome.operation) << "\n";
  } else if (host::Failed(outcome.status)) {
    out << operation << ": the add-in answered " << HexCode(outcome.status) << "\n";
  } else {
    out << operation << " done" << (outcome.refresh != 0 ? "; the add-in asks for a refresh" : "")
        << (code == kExitFailed ? "; but the action did not run as it should (see above)" : "")
        << "\n";
  }
  if (!call.Json()) {
    for (const auto& [path, f] : files) out << "  " << FileLine(f) << "\n";
    if (const VaultCopy* copy = call.DryRun()) out << copy->Changes().Text();
  }
  return code;
}

}  // namespace

int Report(Call& call, const std::string& operation, const Outcome& outcome,
           const std::vector<std::wstring>& paths) {
  return Report(call, operation, outcome, Afterwards(call.Host(), paths));
}

int Report(Call& call, const std::string& operation, const Outcome& outcome,
           const std::vector<FileRef>& files, const VaultMark& since) {
  return Report(call, operation, outcome, Afterwards(call.Host(), files, since));
}

}  // namespace vendrel::tools
