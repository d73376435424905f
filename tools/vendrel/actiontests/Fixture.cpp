// A test's fixture: groups, card variables, folders, files with their versions, states and
// check-outs, card values, registry values and local files.
#include "tools/vendrel/actiontests/Fixture.h"

#include <fstream>

#include "commands/core/RegistryPath.h"
#include "platform/NativePath.h"
#include "tools/vendrel/Platform.h"
#include "tools/vendrel/VaultFiles.h"

namespace vendrel::tools {
namespace {

namespace fs = std::filesystem;

void Check(host::HResult hr, const char* what) {
  if (host::Failed(hr)) throw std::runtime_error(std::string(what) + " (" + HexCode(hr) + ")");
}

void WriteText(const fs::path& file, const std::string& text) {
  fs::create_directories(file.parent_path());
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out << text;
  if (!out) throw std::runtime_error("cannot write " + file.string());
}

// Runs one step of the fixture; its failure names the step's place.
template <class Step>
void At(const std::string& place, Step step) {
  try {
    step();
  } catch (const std::exception& e) {
    throw UsageError(place + " cannot be built: " + e.what());
  }
}

void AddFile(VaultHost& host, const FixtureFile& given, const std::wstring& computer,
             const fs::path& scratch) {
  const std::wstring path = host.VaultPath(given.path);
  const std::size_t slash = path.rfind(L'\\');
  const host::Ref<host::VaultFolder> folder = MakeFolder(host, path.substr(0, slash));
  std::int32_t folderId = 0;
  folder->Id(folderId);
  const fs::path local = scratch / "contents";
  WriteText(local, given.contents);
  host::Ref<host::VaultFile> file;
  Check(folder->AddFile(0, platform::WindowsPath(local), path.substr(slash + 1), 1, file),
        "the vault refused the file");
  for (std::int32_t version = 2; version <= given.versions; ++version) {
    Check(file->CheckOut(folderId, 0, 0), "the vault refused a check out");
    Check(file->CheckIn(0, L"", 0, 0), "the vault refused a check in");
  }
  std::int32_t id = 0;
  file->Id(id);
  if (!given.state.empty()) {
    host.Vault().SetState(id, host.Vault().StateId(kWorkflow, given.state));
  }
  if (given.checkedOutBy.empty()) return;
  host::Ref<host::VaultSession> session;
  Check(host.Vault().Login(given.checkedOutBy, given.computer.empty() ? computer : given.computer,
                           session),
        "the user cannot log in");
  host::Ref<host::VaultFile> theirs;
  host::Ref<host::VaultFolder> where;
  Check(session->GetFileFromPath(path, theirs, where), "the file is not found");
  Check(theirs->CheckOut(folderId, 0, 0), "the vault refused the check out");
}

void SetCard(VaultHost& host, const FixtureCard& card) {
  const std::wstring path = host.VaultPath(card.path);
  std::int32_t id = 0;
  sim::CardOwner owner = sim::CardOwner::kFile;
  if (const std::optional<FileRef> file = FileAt(host, path)) {
    id = file->fileId;
  } else if (const host::Ref<host::VaultFolder> folder = FindFolder(host, path)) {
    folder->Id(id);
    owner = sim::CardOwner::kFolder;
  } else {
    throw std::runtime_error("no vault file or folder " + Utf8(path));
  }
  host.Vault().SetCardValue(owner, id, card.variable, card.configuration, card.value);
}

void SetRegistryValue(const FixtureRegistryValue& value) {
  const auto where = commands::SplitRegistryPath(value.path);
  if (!where) throw std::runtime_error("the path is no ROOT\\subkey\\name");
  if (!MachineRegistry()->Write(where->root, where->subkey, where->name, value.data)) {
    throw std::runtime_error("the registry refused the value");
  }
}

std::string Item(const std::string& where, const char* list, std::size_t index) {
  return ItemPlace(where + "." + list, index);
}

}  // namespace

void BuildFixture(VaultHost& host, const Fixture& fixture, const fs::path& scratch,
                  const std::string& where) {
  sim::SimVault& vault = host.Vault();
  for (const auto& [name, members] : fixture.groups) {
    At(where + ".groups." + Utf8(name), [&] {
      vault.AddGroup(name);
      for (const std::wstring& member : members) vault.AddMember(name, member);
    });
  }
  for (const FixtureVariable& variable : fixture.variables) {
    At(where + ".variables." + Utf8(variable.name),
       [&] { vault.AddVariable(variable.name, variable.type, variable.flags); });
  }
  for (std::size_t i = 0; i < fixture.folders.size(); ++i) {
    At(Item(where, "folders", i), [&] { MakeFolder(host, host.VaultPath(fixture.folders[i])); });
  }
  for (std::size_t i = 0; i < fixture.files.size(); ++i) {
    At(Item(where, "files", i),
       [&] { AddFile(host, fixture.files[i], fixture.computer, scratch); });
  }
  for (std::size_t i = 0; i < fixture.cards.size(); ++i) {
    At(Item(where, "cards", i), [&] { SetCard(host, fixture.cards[i]); });
  }
  for (std::size_t i = 0; i < fixture.registry.size(); ++i) {
    At(Item(where, "registry", i), [&] { SetRegistryValue(fixture.registry[i]); });
  }
  for (std::size_t i = 0; i < fixture.localFiles.size(); ++i) {
    const auto& [path, contents] = fixture.localFiles[i];
    At(Item(where, "localFiles", i), [&] { WriteText(platform::NativePath(path), contents); });
  }
}

}  // namespace vendrel::tools
