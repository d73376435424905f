// Vault folders: making them with their parents, and adding local files and folder trees.
#include <ostream>

#include "tools/vendrel/Command.h"
#include "tools/vendrel/Json.h"
#include "tools/vendrel/Operations.h"
#include "tools/vendrel/Platform.h"
#include "tools/vendrel/Report.h"
#include "tools/vendrel/VaultFiles.h"

namespace vendrel::tools {

int RunMakeFolder(Call& call) {
  VaultHost& host = call.Host();
  if (call.Arguments().empty()) throw call.Misused();
  // Every path is checked before the first folder is made, so that a bad one makes none.
  std::vector<std::wstring> paths;
  for (const std::string& given : call.Arguments()) {
    paths.push_back(host.VaultPath(Wide(given)));
    if (FindFolder(host, paths.back())) continue;
    RequireBelowRoot(host, paths.back());
    CheckNewPath(paths.back(), "choose another");
  }
  std::vector<std::wstring> made;
  for (const std::wstring& path : paths) MakeFolder(host, path, made);
  if (call.Json()) {
    call.Out() << WriteJson({{"folders", paths}, {"made", made}, {"exit", kExitOk}});
    return kExitOk;
  }
  for (const std::wstring& path : paths) call.Out() << "folder " << Utf8(path) << "\n";
  return kExitOk;
}

int RunAdd(Call& call) {
  if (call.Arguments().empty() || !call.Opt().to) throw call.Misused();
  const Addition added = AddLocalFiles(call.Host(), call.Arguments(), *call.Opt().to,
                                       ErrorsGoToTerminal() ? &call.Io().err : nullptr);
  return Report(call, "add", added.outcome, added.files, added.mark);
}

}  // namespace vendrel::tools
