// The end-to-end host: scratch folder, simulated vault, stored actions and the product by ProgID.
#include "tests/com/EndToEnd.h"

#include <fstream>
#include <iterator>

#include "platform/win32/Services.h"
#include "tests/core/FlowEditors.h"

namespace vendrel::com {

namespace fs = std::filesystem;

std::wstring ProductPath() {
  return (BinFolder() / L"vendrel.dll").wstring();
}

void ProductInstallation::SetUp() {
  HostInstallation::SetUp();
  ASSERT_EQ(RunRegsvr32(L"", ProductPath()), 0u);
}

void EndToEndTest::SetUp() {
  ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
  fakes.services.dialogs = &dialogs;

  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  scratch = fs::path(temp) / (L"vendrel-e2e-" + std::to_wstring(GetCurrentProcessId()));
  fs::create_directories(scratch / L"Vault");
  fs::create_directories(scratch / L"Local");
  sim::VaultSettings settings;
  settings.name = L"Engineering";
  settings.rootPath = (scratch / L"Vault").wstring();
  settings.localFolder = scratch / L"Vault";
  vault = sim::SimVault::CreateInMemory(settings);
  vault->AddUser(kUser);
  ASSERT_EQ(vault->Login(kUser, platform::Win32Machine().ComputerName(), session), host::kOk);

  host::Ref<host::VaultFolder> root, folder;
  ASSERT_EQ(session->GetFolderFromPath(settings.rootPath, root), host::kOk);
  ASSERT_EQ(root->AddFolder(0, L"Docs", 0, folder), host::kOk);
  AddDocument(*folder, L"a.txt", "alpha");
  AddDocument(*folder, L"b.txt", "beta");
  AddDocument(*folder, L"c.prt", "part");
}

void EndToEndTest::TearDown() {
  addIn.reset();
  session = nullptr;
  vault.reset();
  CoUninitialize();
  // The vault leaves its local copies read-only.
  std::error_code ec;
  for (const auto& entry : fs::recursive_directory_iterator(scratch, ec))
    fs::permissions(entry.path(), fs::perms::owner_write, fs::perm_options::add, ec);
  fs::remove_all(scratch, ec);
}

void EndToEndTest::AddDocument(host::VaultFolder& folder, const std::wstring& name,
                               const std::string& text) {
  const fs::path source = scratch / L"In" / name;
  fs::create_directories(source.parent_path());
  std::ofstream(source, std::ios::binary) << text;
  host::Ref<host::VaultFile> file;
  ASSERT_EQ(folder.AddFile(0, source.wstring(), name, 1, file), host::kOk);
  VaultDocument document;
  file->Id(document.fileId);
  folder.Id(document.folderId);
  document.path = InVault(L"Docs\\" + name);
  docs.push_back(document);
}

actions::Action& EndToEndTest::NewAction(const std::wstring& menuText) {
  auto action = std::make_unique<actions::Action>();
  action->actionId = ++store.Set().highestId;
  action->name = menuText;
  action->menuText = menuText;
  action->activationKinds = actions::kActivateByMenu;
  action->changedMark = true;
  store.Set().actions.push_back(std::move(action));
  return *store.Set().actions.back();
}

commands::CmdLabel& EndToEndTest::AddLabel(actions::Action& action, const std::wstring& name) {
  auto& label = Add<commands::CmdLabel>(action);
  testing::EditLabel(label, dialogs, name);
  return label;
}

commands::CmdJump& EndToEndTest::AddJump(actions::Action& action,
                                         const commands::JumpCondition& condition) {
  auto& jump = Add<commands::CmdJump>(action);
  testing::EditJump(jump, dialogs, condition);
  return jump;
}

void EndToEndTest::AddRuntimeVariable(actions::Action& action, const std::wstring& name) {
  action.variables.push_back(
      std::make_unique<actions::Variable>(name, actions::Variable::kRuntime));
}

void EndToEndTest::SaveActions() {
  ASSERT_TRUE(store.Save(*session));
}

void EndToEndTest::LoadAddIn() {
  CLSID clsid{};
  ASSERT_EQ(CLSIDFromProgID(L"Vorn.VornAddIn.1", &clsid), S_OK);
  ComPtr<IZemAddIn5> object;
  ASSERT_EQ(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, __uuidof(IZemAddIn5),
                             reinterpret_cast<void**>(object.Put())),
            S_OK);
  addIn.emplace(object);
  ASSERT_EQ(addIn->GetAddInInfo(&info, session.Get(), &registrar), host::kOk);
}

host::HostNotification EndToEndTest::Notification(
    std::int32_t kind, std::vector<host::HostNotificationItem> items) const {
  host::HostNotification n;
  n.kind = kind;
  n.parentWindow = hostWindow;
  n.vault = session;
  n.items = std::move(items);
  if (kind == 1 && !n.items->empty()) n.folderId = (*n.items)[0].third;
  return n;
}

host::HostNotificationItem EndToEndTest::MenuItem(const VaultDocument& document) {
  return {document.fileId, 0, document.folderId, document.path, L"", 0};
}

host::HostNotificationItem EndToEndTest::CheckOutItem(const VaultDocument& document) {
  return {document.fileId, document.folderId, 0, document.path, L"", 0};
}

std::wstring EndToEndTest::Local(const std::wstring& relative) const {
  return (scratch / L"Local" / relative).wstring();
}

std::wstring EndToEndTest::InVault(const std::wstring& relative) const {
  return (scratch / L"Vault" / relative).wstring();
}

bool EndToEndTest::VaultHasFile(const std::wstring& path) {
  host::Ref<host::VaultFile> file;
  host::Ref<host::VaultFolder> folder;
  return session->GetFileFromPath(path, file, folder) == host::kOk;
}

std::string EndToEndTest::Content(const std::wstring& path) {
  std::ifstream in(fs::path(path), std::ios::binary);
  if (!in) return "<missing>";
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace vendrel::com
