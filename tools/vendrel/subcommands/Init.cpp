// A new vault in a folder.
#include <filesystem>
#include <ostream>
#include <system_error>

#include "platform/NativePath.h"
#include "platform/Sqlite.h"
#include "tools/vendrel/Command.h"
#include "tools/vendrel/DatabaseFailure.h"
#include "tools/vendrel/Host.h"
#include "tools/vendrel/Json.h"
#include "tools/vendrel/Platform.h"
#include "tools/vendrel/VaultFiles.h"
#include "uilibs/win32/HostSettings.h"

namespace vendrel::tools {

int RunInit(Call& call) {
  namespace fs = std::filesystem;
  if (call.Arguments().size() != 1) throw call.Misused();
  if (call.Arguments()[0].empty()) throw UsageError("give init a folder, such as vendrel init v");
  // "." and "v/" name the folder itself.
  fs::path folder = fs::absolute(call.Arguments()[0]).lexically_normal();
  if (!folder.has_filename()) folder = folder.parent_path();
  if (fs::exists(DatabaseOf(folder))) throw UsageError("a vault exists in " + folder.string());
  std::vector<std::wstring> users;
  for (const std::string& user : call.Opt().users) users.push_back(Wide(user));
  if (users.empty()) users.push_back(MachineServices::LoginName());
  const std::wstring name = platform::PathText(folder.filename());
  const std::wstring root = Wide(call.Opt().root.value_or("C:\\" + Utf8(name)));
  if (root.size() < 4 || root[1] != L':' || root[2] != L'\\')
    throw UsageError("give --root as a folder of a drive, such as C:\\Vault");
  CheckNewPath(root, "give another root with --root");
  // A failed init leaves nothing: neither the folder it made nor a half-made vault.
  const bool folderExisted = fs::exists(folder);
  try {
    CreateVault(folder, name, root, users);
  } catch (const std::exception& e) {
    std::error_code ignored;
    if (folderExisted) {
      for (const char* suffix : {"", "-wal", "-shm", "-journal", "-contents"})
        fs::remove(DatabaseOf(folder).string() + suffix, ignored);
      fs::remove_all(DrivesOf(folder), ignored);
    } else {
      fs::remove_all(folder, ignored);
    }
    const auto* database = dynamic_cast<const platform::SqliteError*>(&e);
    throw UsageError("no vault was made in " + folder.string() + ": " +
                     (database ? DatabaseFailure(*database) : std::string(e.what())));
  }
  const auto& hostFolder = call.Opt().hostFolder;
  if (hostFolder) {
    UseVaultFolder(folder);
    if (!MachineRegistry()->Write(platform::RegistryRoot::kLocalMachine, uilibs::kProductKey,
                                  uilibs::kInstallationFolderValue, Wide(*hostFolder))) {
      throw UsageError(
          "cannot write the host's installation folder into the registry "
          "(administrators can)");
    }
  }
  std::ostream& out = call.Out();
  const std::vector<std::wstring> states(std::begin(kWorkflowStates), std::end(kWorkflowStates));
  if (call.Json()) {
    Json json = {{"vault", name},
                 {"root", root},
                 {"folder", platform::PathText(folder)},
                 {"users", users},
                 {"workflow", {{"name", kWorkflow}, {"states", states}}}};
    if (hostFolder) json["hostFolder"] = *hostFolder;
    json["exit"] = kExitOk;
    out << WriteJson(json);
    return kExitOk;
  }
  out << "created vault \"" << Utf8(name) << "\" with root " << Utf8(root) << " in "
      << folder.string() << "\nusers:";
  for (const std::wstring& user : users) out << " " << Utf8(user);
  out << "\nworkflow " << Utf8(kWorkflow) << ":";
  for (const std::wstring& state : states) out << (state == states[0] ? " " : ", ") << Utf8(state);
  out << "\n";
  if (hostFolder) out << "host installation folder " << *hostFolder << "\n";
  return kExitOk;
}

}  // namespace vendrel::tools
