// Vault folders: making them with their parents, and adding local files and folder trees.
#include <ostream>

#include "tools/vendrel/Command.h"
#include "tools/vendrel/Operations.h"
#include "tools/vendrel/Platform.h"
#include "tools/vendrel/Report.h"

namespace vendrel::tools {

int RunMakeFolder(Call& call) {
  VaultHost& host = call.Host();
  if (call.Arguments().empty()) throw call.Misused();
  for (const std::string& given : call.Arguments()) {
    const std::wstring path = host.VaultPath(Wide(given));
    MakeFolder(host, path);
    call.Out() << "folder " << Utf8(path) << "\n";
  }
  return kExitOk;
}

int RunAdd(Call& call) {
  if (call.Arguments().empty() || !call.Opt().to) throw call.Misused();
  const Addition added = AddLocalFiles(call.Host(), call.Arguments(), *call.Opt().to,
                                       ErrorsGoToTerminal() ? &call.Io().err : nullptr);
  return Report(call, "add", added.outcome, added.paths);
}

}  // namespace vendrel::tools
