// A new vault in a folder.
#include <filesystem>
#include <ostream>

#include "tools/vendrel/Command.h"
#include "tools/vendrel/Host.h"

namespace vendrel::tools {

int RunInit(Call& call) {
  namespace fs = std::filesystem;
  if (call.Arguments().size() != 1) throw call.Misused();
  const fs::path folder = fs::absolute(call.Arguments()[0]);
  if (fs::exists(DatabaseOf(folder))) throw UsageError("a vault exists in " + folder.string());
  std::vector<std::wstring> users;
  for (const std::string& user : call.Values("--user")) users.push_back(Wide(user));
  if (users.empty()) users.push_back(MachineServices::LoginName());
  const std::wstring name = folder.filename().wstring();
  const std::wstring root = Wide(call.Value("--root").value_or("C:\\" + Utf8(name)));
  // A failed init leaves nothing: neither the folder it made nor a half-made vault.
  const bool folderExisted = fs::exists(folder);
  try {
    CreateVault(folder, name, root, users);
  } catch (const std::exception&) {
    std::error_code ignored;
    if (folderExisted) {
      for (const fs::path& made : {DatabaseOf(folder), DrivesOf(folder)}) {
        fs::remove_all(made, ignored);
      }
    } else {
      fs::remove_all(folder, ignored);
    }
    throw UsageError("no vault was made in " + folder.string() +
                     "; check that the folder can be written and that the user names differ");
  }
  std::ostream& out = call.Out();
  out << "created vault \"" << Utf8(name) << "\" with root " << Utf8(root) << " in "
      << folder.string() << "\nusers:";
  for (const std::wstring& user : users) out << " " << Utf8(user);
  out << "\nworkflow " << Utf8(kWorkflow) << ": Draft, Review, Released\n";
  return kExitOk;
}

}  // namespace vendrel::tools
