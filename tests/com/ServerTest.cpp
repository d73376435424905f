// The in-process server as a host meets it: regsvr32 registration read back from the registry,
// creation by ProgID, interfaces, unloading, aggregation, the host's UI libraries loaded from its
// installation folder, and both add-in operations through COM.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "host/com/Convert.h"
#include "host/com/ToCom.h"
#include "tests/com/Probe.h"
#include "tests/com/ServerSupport.h"
#include "tests/support/FakeVault.h"

namespace vendrel::com {
namespace {

using ::testing::ElementsAre;

std::wstring ServerPath() {
  return (BinFolder() / L"vendrel_probe.dll").wstring();
}

const auto* const environment = ::testing::AddGlobalTestEnvironment(new HostInstallation);

class ServerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
  }
  void TearDown() override { CoUninitialize(); }
};

// First in the program: once loaded, the string library stays for the life of the process.
TEST_F(ServerTest, LexicorLoadsFromTheInstallationFolderAtStartUpNotBefore) {
  const UniqueHmodule server(LoadLibraryW(ServerPath().c_str()));
  ASSERT_TRUE(server);
  EXPECT_EQ(GetModuleHandleW(L"Lexicor.dll"), nullptr);
  const auto getClassObject = reinterpret_cast<HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**)>(
      reinterpret_cast<void*>(GetProcAddress(server.Get(), "DllGetClassObject")));
  ComPtr<IClassFactory> factory;
  ASSERT_EQ(
      getClassObject(CLSID_VornAddIn, IID_IClassFactory, reinterpret_cast<void**>(factory.Put())),
      S_OK);
  const HMODULE lexicor = GetModuleHandleW(L"Lexicor.dll");
  ASSERT_NE(lexicor, nullptr);
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(lexicor, path, MAX_PATH);
  EXPECT_EQ(CompareStringOrdinal(path, -1, (InstallFolder() + L"\\Lexicor.dll").c_str(), -1, TRUE),
            CSTR_EQUAL)
      << path;
}

TEST_F(ServerTest, Regsvr32WritesTheRegistrationScriptAndUnregisteringTwiceIsSafe) {
  ASSERT_EQ(RunRegsvr32(L"", ServerPath()), 0u);

  const HKEY root = HKEY_CLASSES_ROOT;
  EXPECT_EQ(ReadText(root, L"Vorn.VornAddIn.1", nullptr), L"VornAddIn Class");
  EXPECT_EQ(ReadText(root, L"Vorn.VornAddIn.1\\CLSID", nullptr), kClsid);
  EXPECT_EQ(ReadText(root, L"Vorn.VornAddIn", nullptr), L"VornAddIn Class");
  EXPECT_EQ(ReadText(root, L"Vorn.VornAddIn\\CLSID", nullptr), kClsid);
  EXPECT_EQ(ReadText(root, L"Vorn.VornAddIn\\CurVer", nullptr), L"Vorn.VornAddIn.1");
  const std::wstring classKey = std::wstring(L"CLSID\\") + kClsid;
  EXPECT_EQ(ReadText(root, classKey, nullptr), L"VornAddIn Class");
  EXPECT_EQ(ReadText(root, classKey + L"\\ProgID", nullptr), L"Vorn.VornAddIn.1");
  EXPECT_EQ(ReadText(root, classKey + L"\\VersionIndependentProgID", nullptr), L"Vorn.VornAddIn");
  EXPECT_EQ(ReadText(root, classKey + L"\\TypeLib", nullptr), kTypeLib);
  const auto server = ReadText(root, classKey + L"\\InprocServer32", nullptr);
  ASSERT_TRUE(server);
  EXPECT_EQ(CompareStringOrdinal(server->c_str(), -1, ServerPath().c_str(), -1, TRUE), CSTR_EQUAL)
      << *server;
  EXPECT_EQ(ReadText(root, classKey + L"\\InprocServer32", L"ThreadingModel"), L"Both");

  ASSERT_EQ(RunRegsvr32(L"/u", ServerPath()), 0u);
  EXPECT_FALSE(KeyExists(root, L"Vorn.VornAddIn.1"));
  EXPECT_FALSE(KeyExists(root, L"Vorn.VornAddIn"));
  EXPECT_FALSE(KeyExists(root, classKey));
  EXPECT_TRUE(KeyExists(root, L"CLSID"));
  EXPECT_EQ(RunRegsvr32(L"/u", ServerPath()), 0u);

  ASSERT_EQ(RunRegsvr32(L"", ServerPath()), 0u);  // the rest of the tests create by ProgID
}

TEST_F(ServerTest, CreatedByEitherProgIdWithBothInterfacesOnOneIdentity) {
  for (const wchar_t* progId : {L"Vorn.VornAddIn.1", L"Vorn.VornAddIn"}) {
    CLSID clsid{};
    ASSERT_EQ(CLSIDFromProgID(progId, &clsid), S_OK) << progId;
    EXPECT_EQ(clsid, CLSID_VornAddIn);
  }
  ComPtr<IZemAddIn5> addIn;
  ASSERT_EQ(CoCreateInstance(CLSID_VornAddIn, nullptr, CLSCTX_INPROC_SERVER, __uuidof(IZemAddIn5),
                             reinterpret_cast<void**>(addIn.Put())),
            S_OK);
  ComPtr<IVornAddIn> vorn;
  ASSERT_EQ(addIn.As(vorn), S_OK);
  ComPtr<IUnknown> a, b;
  addIn.As(a);
  vorn.As(b);
  EXPECT_EQ(a.Get(), b.Get());
  ComPtr<IClassFactory> notOffered;
  EXPECT_EQ(addIn.As(notOffered), E_NOINTERFACE);

  // IVornAddIn's dispatch side describes itself from the embedded type library.
  ComPtr<ITypeInfo> type;
  ASSERT_EQ(vorn->GetTypeInfo(0, 0, type.Put()), S_OK);
  UniqueBstr name, doc;
  ASSERT_EQ(type->GetDocumentation(MEMBERID_NIL, name.Put(), doc.Put(), nullptr, nullptr), S_OK);
  EXPECT_EQ(FromBstr(name.Get()), L"IVornAddIn");
  EXPECT_EQ(FromBstr(doc.Get()), L"IVornAddIn Interface");
}

// The exports called directly, as COM does, with the library loaded by path.
class ExportsTest : public ServerTest {
 protected:
  void SetUp() override {
    ServerTest::SetUp();
    library.Reset(LoadLibraryW(ServerPath().c_str()));
    ASSERT_TRUE(library);
    getClassObject = reinterpret_cast<decltype(getClassObject)>(
        reinterpret_cast<void*>(GetProcAddress(library.Get(), "DllGetClassObject")));
    canUnloadNow = reinterpret_cast<decltype(canUnloadNow)>(
        reinterpret_cast<void*>(GetProcAddress(library.Get(), "DllCanUnloadNow")));
    ASSERT_TRUE(getClassObject && canUnloadNow);
  }
  void TearDown() override {
    library.Reset();
    ServerTest::TearDown();
  }
  ComPtr<IClassFactory> Factory() {
    ComPtr<IClassFactory> factory;
    EXPECT_EQ(
        getClassObject(CLSID_VornAddIn, IID_IClassFactory, reinterpret_cast<void**>(factory.Put())),
        S_OK);
    return factory;
  }

  UniqueHmodule library;
  HRESULT(STDAPICALLTYPE* getClassObject)(REFCLSID, REFIID, void**) = nullptr;
  HRESULT(STDAPICALLTYPE* canUnloadNow)() = nullptr;
};

TEST_F(ExportsTest, CanUnloadOnlyWithoutLiveObjectsAndLocks) {
  ComPtr<IClassFactory> factory = Factory();
  ASSERT_TRUE(factory);
  EXPECT_EQ(canUnloadNow(), S_OK);

  ComPtr<IZemAddIn5> first, second;
  ASSERT_EQ(
      factory->CreateInstance(nullptr, __uuidof(IZemAddIn5), reinterpret_cast<void**>(first.Put())),
      S_OK);
  ASSERT_EQ(factory->CreateInstance(nullptr, __uuidof(IZemAddIn5),
                                    reinterpret_cast<void**>(second.Put())),
            S_OK);
  EXPECT_EQ(canUnloadNow(), S_FALSE);
  first.Reset();
  EXPECT_EQ(canUnloadNow(), S_FALSE);
  second.Reset();
  EXPECT_EQ(canUnloadNow(), S_OK);

  factory->LockServer(TRUE);
  EXPECT_EQ(canUnloadNow(), S_FALSE);
  factory->LockServer(FALSE);
  EXPECT_EQ(canUnloadNow(), S_OK);
}

TEST_F(ExportsTest, OneFactoryPerClassAndNoOtherClass) {
  ComPtr<IClassFactory> a = Factory(), b = Factory();
  EXPECT_EQ(a.Get(), b.Get());
  ComPtr<IClassFactory> none;
  EXPECT_EQ(
      getClassObject(CLSID_VornReactor, IID_IClassFactory, reinterpret_cast<void**>(none.Put())),
      CLASS_E_CLASSNOTAVAILABLE);
  EXPECT_FALSE(none);
}

// An outer object that counts the references its inner object passes on to it.
class Outer final : public IUnknown {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (iid == IID_IUnknown) {
      *out = this;
      AddRef();
      return S_OK;
    }
    return inner ? inner->QueryInterface(iid, out) : E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs; }
  ULONG STDMETHODCALLTYPE Release() override { return --refs; }

  ComPtr<IUnknown> inner;
  ULONG refs = 1;
};

TEST_F(ExportsTest, AggregatedObjectDelegatesToItsOuterObject) {
  ComPtr<IClassFactory> factory = Factory();
  Outer outer;
  void* refused = nullptr;
  EXPECT_EQ(factory->CreateInstance(&outer, __uuidof(IZemAddIn5), &refused), CLASS_E_NOAGGREGATION);
  ASSERT_EQ(
      factory->CreateInstance(&outer, IID_IUnknown, reinterpret_cast<void**>(outer.inner.Put())),
      S_OK);

  IZemAddIn5* addIn = nullptr;
  ASSERT_EQ(outer.QueryInterface(__uuidof(IZemAddIn5), reinterpret_cast<void**>(&addIn)), S_OK);
  EXPECT_EQ(outer.refs, 2u);  // the interface's reference is the outer object's
  IUnknown* identity = nullptr;
  addIn->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&identity));
  EXPECT_EQ(identity, &outer);
  identity->Release();
  addIn->Release();
  EXPECT_EQ(outer.refs, 1u);

  EXPECT_EQ(canUnloadNow(), S_FALSE);
  outer.inner.Reset();
  EXPECT_EQ(canUnloadNow(), S_OK);
}

class AddInCallsTest : public ExportsTest {
 protected:
  void SetUp() override {
    ExportsTest::SetUp();
    ASSERT_EQ(Factory()->CreateInstance(nullptr, __uuidof(IZemAddIn5),
                                        reinterpret_cast<void**>(object.Put())),
              S_OK);
    addIn.emplace(object);
    state = reinterpret_cast<probe::StateFn*>(
        reinterpret_cast<void*>(GetProcAddress(library.Get(), "ProbeState")))();
    vault->name = L"Engineering";
  }
  void TearDown() override {
    addIn.reset();
    object.Reset();
    ExportsTest::TearDown();
  }

  ComPtr<IZemAddIn5> object;
  std::optional<AddInClient> addIn;
  probe::State* state = nullptr;
  host::Ref<testing::FakeVault> vault = host::MakeRef<testing::FakeVault>();
};

TEST_F(AddInCallsTest, GetAddInInfoFillsTheRecordAndRegistersThroughTheHost) {
  host::AddInInfo info;
  RecordingRegistrar registrar;
  ASSERT_EQ(addIn->GetAddInInfo(&info, vault.Get(), &registrar), host::kOk);
  EXPECT_EQ(info.name, L"Probe");
  EXPECT_EQ(info.company, L"Engineering");
  EXPECT_EQ(info.description, L"Administrate Actions...");
  EXPECT_EQ(info.version, 2016000826);
  EXPECT_EQ(info.field5, 16);
  EXPECT_THAT(registrar.commands, ElementsAre(RecordingRegistrar::Command{
                                      101, 0x4000, -1, 0, L"Engineering", L"second", L""}));
  EXPECT_THAT(registrar.hooks, ElementsAre(std::pair{10, 0}));
}

TEST_F(AddInCallsTest, MissingInfoOrRegistrarReachTheAddInAsMissing) {
  RecordingRegistrar registrar;
  EXPECT_EQ(addIn->GetAddInInfo(nullptr, vault.Get(), &registrar), host::kPointer);
  EXPECT_TRUE(registrar.commands.empty());
  host::AddInInfo info;
  EXPECT_EQ(addIn->GetAddInInfo(&info, vault.Get(), nullptr), host::kPointer);
  EXPECT_EQ(info.name, L"Probe");
}

TEST_F(AddInCallsTest, OnCommandDeliversEveryItemAndWritesTheAnswersBack) {
  state->refreshFlags = 6;
  state->veto = 1;
  host::HostNotification n;
  n.kind = 9;
  n.parentWindow = 0x1234;
  n.folderId = 42;
  n.commandId = 0;
  n.vault = vault;
  n.items = std::vector<host::HostNotificationItem>{
      {10, 2, 0, L"C:\\Vault\\A\\a.txt", L"", 71},
      {11, 3, 5, L"C:\\Vault\\\u00c4\\b.txt", L"second", 72},
  };
  ASSERT_EQ(addIn->OnCommand(n), host::kOk);
  EXPECT_EQ(n.refreshFlags, 6);
  EXPECT_EQ(n.veto, 1);

  const host::HostNotification& seen = state->last;
  EXPECT_EQ(seen.kind, 9);
  EXPECT_EQ(seen.parentWindow, 0x1234);
  EXPECT_EQ(seen.folderId, 42);
  EXPECT_EQ(state->lastVaultName, L"Engineering");
  ASSERT_TRUE(seen.items);
  ASSERT_EQ(seen.items->size(), 2u);
  const auto& second = (*seen.items)[1];
  EXPECT_EQ(second.first, 11);
  EXPECT_EQ(second.second, 3);
  EXPECT_EQ(second.third, 5);
  EXPECT_EQ(second.firstText, L"C:\\Vault\\\u00c4\\b.txt");
  EXPECT_EQ(second.secondText, L"second");
  EXPECT_EQ(second.fourth, 72);
}

// Records of another type cannot be read as items: each is skipped, the notification still comes.
TEST_F(AddInCallsTest, AnArrayOfOtherRecordsArrivesAsNoItems) {
  UniqueSafeArray others;
  ASSERT_EQ(MakeRecordArray<ZemIdName>(
                kIdNameRecord, 2,
                [](std::size_t i, ZemIdName& r) {
                  r.id = static_cast<long>(i);
                  r.name = ToBstr(L"other").Release();
                },
                others),
            S_OK);
  ZemNotification record{};
  record.kind = 1;
  record.commandId = 102;
  EXPECT_EQ(object->OnCommand(&record, others.Get()), S_OK);
  ASSERT_TRUE(state->last.items);
  EXPECT_TRUE(state->last.items->empty());
  EXPECT_EQ(state->last.commandId, 102);
}

TEST_F(AddInCallsTest, NoItemArrayAndNoVaultStayMissingAndTheStatusComesBack) {
  state->status = host::kFail;
  host::HostNotification n;
  n.kind = 1;
  n.commandId = 100;
  EXPECT_EQ(addIn->OnCommand(n), host::kFail);
  EXPECT_FALSE(state->last.items);
  EXPECT_EQ(state->last.commandId, 100);
  EXPECT_TRUE(state->lastVaultName.empty());

  n.items.emplace();
  state->status = host::kOk;
  EXPECT_EQ(addIn->OnCommand(n), host::kOk);
  ASSERT_TRUE(state->last.items);
  EXPECT_TRUE(state->last.items->empty());
}

}  // namespace
}  // namespace vendrel::com
