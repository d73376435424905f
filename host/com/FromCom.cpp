// The host's COM objects seen as C++ host objects, and IZemAddIn5 carried out by a host::AddIn.
#include "host/com/FromCom.h"

#include "host/com/Convert.h"

namespace vendrel::com {

using host::HResult;
using host::Ref;

namespace {

// Outputs are written only on success, as the host object model promises.
template <class Call>
HResult InText(std::wstring& out, Call call) {
  UniqueBstr text;
  const HRESULT hr = call(text.Put());
  if (SUCCEEDED(hr)) out = FromBstr(text.Get());
  return hr;
}

template <class Call>
HResult InLong(std::int32_t& out, Call call) {
  LONG value = 0;
  const HRESULT hr = call(&value);
  if (SUCCEEDED(hr)) out = value;
  return hr;
}

// Calls call(I**) and wraps what comes back with fromCom.
template <class Interface, class Object, class Call, class FromComFn>
HResult InObject(Ref<Object>& out, Call call, FromComFn fromCom) {
  ComPtr<Interface> p;
  const HRESULT hr = call(p.Put());
  if (SUCCEEDED(hr)) out = fromCom(std::move(p));
  return hr;
}

template <class Client, class Interface>
Ref<typename Client::Object> Wrap(ComPtr<Interface> p) {
  return p ? Ref<typename Client::Object>(new Client(std::move(p)))
           : Ref<typename Client::Object>();
}

template <class Client, class Interface>
auto Wrapper() {
  return [](ComPtr<Interface> p) { return Wrap<Client>(std::move(p)); };
}

// A VARIANT argument made from a host value; released after the call.
class VariantArg {
 public:
  explicit VariantArg(const host::Value& value) { status_ = ToVariant(value, v_.Get()); }
  HRESULT Status() const { return status_; }
  const VARIANT& Get() const { return v_.Get(); }

 private:
  UniqueVariant v_;
  HRESULT status_;
};

class CardVariablesClient final : public host::CountedImpl<host::CardVariableSet> {
 public:
  using Object = host::CardVariableSet;
  explicit CardVariablesClient(ComPtr<IZemCardVariables> p) : p_(std::move(p)) {}
  HResult GetValue(const std::wstring& variable, const std::wstring& configuration,
                   host::Value& value) override {
    UniqueVariant v;
    VENDREL_RETURN_IF_FAILED(
        p_->GetValue(ToBstr(variable).Get(), ToBstr(configuration).Get(), v.Put()));
    host::Value read;
    VENDREL_RETURN_IF_FAILED(FromVariant(v.Get(), read));
    value = std::move(read);
    return S_OK;
  }

 private:
  ComPtr<IZemCardVariables> p_;
};

class FolderClient final : public host::CountedImpl<host::VaultFolder> {
 public:
  using Object = host::VaultFolder;
  explicit FolderClient(ComPtr<IZemFolder> p) : p_(std::move(p)) {}
  HResult Id(std::int32_t& id) override {
    return InLong(id, [&](LONG* v) { return p_->Id(v); });
  }
  HResult Name(std::wstring& name) override {
    return InText(name, [&](BSTR* t) { return p_->Name(t); });
  }
  HResult LocalPath(std::wstring& path) override {
    return InText(path, [&](BSTR* t) { return p_->LocalPath(t); });
  }
  HResult Files(std::vector<Ref<host::VaultFile>>& files) override;
  HResult SubFolders(std::vector<Ref<host::VaultFolder>>& folders) override;
  HResult SubFolder(const std::wstring& name, Ref<host::VaultFolder>& folder) override {
    return InObject<IZemFolder>(
        folder, [&](IZemFolder** f) { return p_->SubFolder(ToBstr(name).Get(), f); },
        Wrapper<FolderClient, IZemFolder>());
  }
  HResult AddFolder(host::HostWindow window, const std::wstring& name, std::int32_t flags,
                    Ref<host::VaultFolder>& folder) override {
    return InObject<IZemFolder>(
        folder, [&](IZemFolder** f) { return p_->AddFolder(window, ToBstr(name).Get(), flags, f); },
        Wrapper<FolderClient, IZemFolder>());
  }
  HResult AddFile(host::HostWindow window, const std::wstring& localPath,
                  const std::wstring& newName, std::int32_t flags,
                  Ref<host::VaultFile>& file) override;
  HResult DeleteFile(host::HostWindow window, std::int32_t fileId, std::int32_t flags) override {
    return p_->RemoveFile(window, fileId, flags);
  }

 private:
  ComPtr<IZemFolder> p_;
};

class FileClient final : public host::CountedImpl<host::VaultFile> {
 public:
  using Object = host::VaultFile;
  explicit FileClient(ComPtr<IZemFile> p) : p_(std::move(p)) {}
  HResult Id(std::int32_t& id) override {
    return InLong(id, [&](LONG* v) { return p_->Id(v); });
  }
  HResult Name(std::wstring& name) override {
    return InText(name, [&](BSTR* t) { return p_->Name(t); });
  }
  HResult GetLocalCopy(host::HostWindow window, const host::Value& version,
                       const host::Value& where, std::int32_t flags,
                       const std::wstring& text) override {
    const VariantArg v(version), w(where);
    VENDREL_RETURN_IF_FAILED(v.Status());
    VENDREL_RETURN_IF_FAILED(w.Status());
    return p_->GetLocalCopy(window, v.Get(), w.Get(), flags, ToBstr(text).Get());
  }
  HResult CheckOut(std::int32_t folderId, host::HostWindow window, std::int32_t flags) override {
    return p_->CheckOut(folderId, window, flags);
  }
  HResult CheckIn(host::HostWindow window, const std::wstring& comment, std::int32_t arg1,
                  std::int32_t arg2) override {
    return p_->CheckIn(window, ToBstr(comment).Get(), arg1, arg2);
  }
  HResult UndoCheckOut(host::HostWindow window, std::int32_t flags) override {
    return p_->UndoCheckOut(window, flags);
  }
  HResult Rename(host::HostWindow window, const std::wstring& newName,
                 std::int32_t flags) override {
    return p_->Rename(window, ToBstr(newName).Get(), flags);
  }
  HResult CheckOutState(host::CheckOutInfo& info) override {
    LONG userId = 0, folderId = 0;
    UniqueBstr userName, computer, path;
    VENDREL_RETURN_IF_FAILED(
        p_->CheckOutState(&userId, &folderId, userName.Put(), computer.Put(), path.Put()));
    info.userId = userId;
    info.folderId = folderId;
    info.userName = FromBstr(userName.Get());
    info.computer = FromBstr(computer.Get());
    info.path = FromBstr(path.Get());
    return S_OK;
  }
  HResult CurrentVersion(std::int32_t& version) override {
    return InLong(version, [&](LONG* v) { return p_->CurrentVersion(v); });
  }
  HResult CurrentRevision(std::wstring& revision) override {
    return InText(revision, [&](BSTR* t) { return p_->CurrentRevision(t); });
  }
  HResult CurrentState(std::wstring& name, std::int32_t& stateId) override {
    LONG id = 0;
    const HResult hr = InText(name, [&](BSTR* t) { return p_->CurrentState(t, &id); });
    if (SUCCEEDED(hr)) stateId = id;
    return hr;
  }
  HResult VersionHistory(std::vector<host::VersionInfo>& versions) override {
    UniqueSafeArray array;
    VENDREL_RETURN_IF_FAILED(p_->VersionHistory(array.Put()));
    std::vector<host::VersionInfo> read;
    VENDREL_RETURN_IF_FAILED(ReadRecordArray<ZemVersionInfo>(
        array.Get(), kVersionInfoRecord, [&](const ZemVersionInfo& r) {
          read.push_back({r.version, FromBstr(r.user), host::Date{r.time}, FromBstr(r.comment)});
        }));
    versions = std::move(read);
    return S_OK;
  }
  HResult Configurations(std::vector<std::wstring>& names) override {
    UniqueSafeArray array;
    VENDREL_RETURN_IF_FAILED(p_->Configurations(array.Put()));
    std::vector<std::wstring> read;
    VENDREL_RETURN_IF_FAILED(ReadBstrArray(array.Get(), read));
    names = std::move(read);
    return S_OK;
  }
  HResult CardVariables(Ref<host::CardVariableSet>& card) override {
    return InObject<IZemCardVariables>(
        card, [&](IZemCardVariables** c) { return p_->CardVariables(c); },
        Wrapper<CardVariablesClient, IZemCardVariables>());
  }

 private:
  ComPtr<IZemFile> p_;
};

// The interfaces of an array of IUnknown; an element of another kind is an error.
template <class Client, class Interface>
HResult ReadObjects(SAFEARRAY* array, std::vector<Ref<typename Client::Object>>& out) {
  std::vector<ComPtr<IUnknown>> items;
  VENDREL_RETURN_IF_FAILED(ReadUnknownArray(array, items));
  std::vector<Ref<typename Client::Object>> read;
  for (const auto& item : items) {
    ComPtr<Interface> p;
    VENDREL_RETURN_IF_FAILED(item.As(p));
    read.push_back(Wrap<Client>(std::move(p)));
  }
  out = std::move(read);
  return S_OK;
}

HResult FolderClient::Files(std::vector<Ref<host::VaultFile>>& files) {
  UniqueSafeArray array;
  VENDREL_RETURN_IF_FAILED(p_->Files(array.Put()));
  return ReadObjects<FileClient, IZemFile>(array.Get(), files);
}

HResult FolderClient::SubFolders(std::vector<Ref<host::VaultFolder>>& folders) {
  UniqueSafeArray array;
  VENDREL_RETURN_IF_FAILED(p_->SubFolders(array.Put()));
  return ReadObjects<FolderClient, IZemFolder>(array.Get(), folders);
}

HResult FolderClient::AddFile(host::HostWindow window, const std::wstring& localPath,
                              const std::wstring& newName, std::int32_t flags,
                              Ref<host::VaultFile>& file) {
  return InObject<IZemFile>(
      file,
      [&](IZemFile** f) {
        return p_->AddFile(window, ToBstr(localPath).Get(), ToBstr(newName).Get(), flags, f);
      },
      Wrapper<FileClient, IZemFile>());
}

Ref<host::VaultObject> ObjectFromCom(ComPtr<IZemObject> object) {
  ComPtr<IZemFile> file;
  if (object && SUCCEEDED(object.As(file))) return Wrap<FileClient>(std::move(file));
  ComPtr<IZemFolder> folder;
  if (object && SUCCEEDED(object.As(folder))) return Wrap<FolderClient>(std::move(folder));
  return {};
}

host::CardVariableInfo VariableInfoOf(const ZemCardVariableInfo& r) {
  return {FromBstr(r.name), r.type, r.flags, r.id};
}

class VariableManagerClient final : public host::CountedImpl<host::VariableManager> {
 public:
  using Object = host::VariableManager;
  explicit VariableManagerClient(ComPtr<IZemVariableManager> p) : p_(std::move(p)) {}
  HResult Variables(std::vector<host::CardVariableInfo>& variables) override {
    UniqueSafeArray array;
    VENDREL_RETURN_IF_FAILED(p_->Variables(array.Put()));
    std::vector<host::CardVariableInfo> read;
    VENDREL_RETURN_IF_FAILED(ReadRecordArray<ZemCardVariableInfo>(
        array.Get(), kCardVariableInfoRecord,
        [&](const ZemCardVariableInfo& r) { read.push_back(VariableInfoOf(r)); }));
    variables = std::move(read);
    return S_OK;
  }
  HResult VariableByName(const std::wstring& name, host::CardVariableInfo& variable) override {
    ZemCardVariableInfo r{};
    const HResult hr = p_->VariableByName(ToBstr(name).Get(), &r);
    const UniqueBstr owned(r.name);
    if (hr == S_OK) variable = VariableInfoOf(r);
    return hr;
  }

 private:
  ComPtr<IZemVariableManager> p_;
};

class BatchUpdateClient final : public host::CountedImpl<host::BatchUpdate> {
 public:
  using Object = host::BatchUpdate;
  explicit BatchUpdateClient(ComPtr<IZemBatchUpdate> p) : p_(std::move(p)) {}
  HResult AddFileValue(std::int32_t fileId, std::int32_t variableId, const host::Value& value,
                       const std::optional<std::wstring>& configuration,
                       std::int32_t flags) override {
    const VariantArg v(value);
    VENDREL_RETURN_IF_FAILED(v.Status());
    const VariantArg config(configuration ? host::Value(*configuration) : host::Value());
    VENDREL_RETURN_IF_FAILED(config.Status());
    return p_->AddFileValue(fileId, variableId, v.Get(), config.Get(), flags);
  }
  HResult AddFolderValue(std::int32_t folderId, std::int32_t variableId, const host::Value& value,
                         std::int32_t flags) override {
    const VariantArg v(value);
    VENDREL_RETURN_IF_FAILED(v.Status());
    return p_->AddFolderValue(folderId, variableId, v.Get(), flags);
  }
  HResult Commit(std::vector<host::BatchError>& errors) override {
    UniqueSafeArray array;
    const HResult hr = p_->Commit(array.Put());
    errors.clear();
    if (array)
      ReadRecordArray<ZemBatchError>(array.Get(), kBatchErrorRecord, [&](const ZemBatchError& r) {
        errors.push_back({r.fileId, r.folderId, r.code});
      });
    return hr;
  }

 private:
  ComPtr<IZemBatchUpdate> p_;
};

class UserClient final : public host::CountedImpl<host::VaultUser> {
 public:
  using Object = host::VaultUser;
  explicit UserClient(ComPtr<IZemUser> p) : p_(std::move(p)) {}
  HResult Id(std::int32_t& id) override {
    return InLong(id, [&](LONG* v) { return p_->Id(v); });
  }
  HResult Name(std::wstring& name) override {
    return InText(name, [&](BSTR* t) { return p_->Name(t); });
  }
  HResult SendMessage(const std::wstring& subject, const std::wstring& text) override {
    return p_->Send(ToBstr(subject).Get(), ToBstr(text).Get());
  }

 private:
  ComPtr<IZemUser> p_;
};

class GroupClient final : public host::CountedImpl<host::VaultGroup> {
 public:
  using Object = host::VaultGroup;
  explicit GroupClient(ComPtr<IZemGroup> p) : p_(std::move(p)) {}
  HResult Id(std::int32_t& id) override {
    return InLong(id, [&](LONG* v) { return p_->Id(v); });
  }
  HResult Name(std::wstring& name) override {
    return InText(name, [&](BSTR* t) { return p_->Name(t); });
  }
  HResult SendMessage(const std::wstring& subject, const std::wstring& text,
                      std::int32_t flags) override {
    return p_->Send(ToBstr(subject).Get(), ToBstr(text).Get(), flags);
  }

 private:
  ComPtr<IZemGroup> p_;
};

class UserDirectoryClient final : public host::CountedImpl<host::VaultUserDirectory> {
 public:
  using Object = host::VaultUserDirectory;
  explicit UserDirectoryClient(ComPtr<IZemUserDirectory> p) : p_(std::move(p)) {}
  HResult LoggedInUser(Ref<host::VaultUser>& user) override {
    return InObject<IZemUser>(
        user, [&](IZemUser** u) { return p_->LoggedInUser(u); }, Wrapper<UserClient, IZemUser>());
  }
  HResult Users(std::vector<Ref<host::VaultUser>>& users) override {
    UniqueSafeArray array;
    VENDREL_RETURN_IF_FAILED(p_->Users(array.Put()));
    return ReadObjects<UserClient, IZemUser>(array.Get(), users);
  }
  HResult Groups(std::vector<Ref<host::VaultGroup>>& groups) override {
    UniqueSafeArray array;
    VENDREL_RETURN_IF_FAILED(p_->Groups(array.Put()));
    return ReadObjects<GroupClient, IZemGroup>(array.Get(), groups);
  }
  HResult UserByName(const host::Value& name, Ref<host::VaultUser>& user) override {
    const VariantArg n(name);
    VENDREL_RETURN_IF_FAILED(n.Status());
    return InObject<IZemUser>(
        user, [&](IZemUser** u) { return p_->UserByName(n.Get(), u); },
        Wrapper<UserClient, IZemUser>());
  }
  HResult GroupByName(const host::Value& name, Ref<host::VaultGroup>& group) override {
    const VariantArg n(name);
    VENDREL_RETURN_IF_FAILED(n.Status());
    return InObject<IZemGroup>(
        group, [&](IZemGroup** g) { return p_->GroupByName(n.Get(), g); },
        Wrapper<GroupClient, IZemGroup>());
  }

 private:
  ComPtr<IZemUserDirectory> p_;
};

HResult ReadIdNames(SAFEARRAY* array, std::vector<std::pair<std::int32_t, std::wstring>>& out) {
  return ReadRecordArray<ZemIdName>(
      array, kIdNameRecord, [&](const ZemIdName& r) { out.emplace_back(r.id, FromBstr(r.name)); });
}

class WorkflowManagerClient final : public host::CountedImpl<host::WorkflowManager> {
 public:
  using Object = host::WorkflowManager;
  explicit WorkflowManagerClient(ComPtr<IZemWorkflowManager> p) : p_(std::move(p)) {}
  HResult Workflows(std::vector<host::WorkflowInfo>& workflows) override {
    UniqueSafeArray array;
    VENDREL_RETURN_IF_FAILED(p_->Workflows(array.Put()));
    std::vector<std::pair<std::int32_t, std::wstring>> found;
    VENDREL_RETURN_IF_FAILED(ReadIdNames(array.Get(), found));
    std::vector<host::WorkflowInfo> read;
    for (auto& [id, name] : found) {
      UniqueSafeArray statesArray;
      VENDREL_RETURN_IF_FAILED(p_->States(id, statesArray.Put()));
      std::vector<std::pair<std::int32_t, std::wstring>> states;
      VENDREL_RETURN_IF_FAILED(ReadIdNames(statesArray.Get(), states));
      host::WorkflowInfo info{id, std::move(name), {}};
      for (auto& [stateId, stateName] : states) info.states.push_back({stateId, stateName});
      read.push_back(std::move(info));
    }
    workflows = std::move(read);
    return S_OK;
  }

 private:
  ComPtr<IZemWorkflowManager> p_;
};

class DictionaryClient final : public host::CountedImpl<host::AddInDictionary> {
 public:
  using Object = host::AddInDictionary;
  explicit DictionaryClient(ComPtr<IZemDictionary> p) : p_(std::move(p)) {}
  HResult Read(std::int32_t key, std::wstring& text, bool& exists) override {
    VARIANT_BOOL found = VARIANT_FALSE;
    const HResult hr = InText(text, [&](BSTR* t) { return p_->Read(key, t, &found); });
    if (SUCCEEDED(hr)) exists = found != VARIANT_FALSE;
    return hr;
  }
  HResult Write(std::int32_t key, const std::wstring& text) override {
    return p_->Write(key, ToBstr(text).Get());
  }
  HResult SetIfAbsent(std::int32_t key, const std::wstring& text, bool& wasSet) override {
    VARIANT_BOOL set = VARIANT_FALSE;
    const HResult hr = p_->SetIfAbsent(key, ToBstr(text).Get(), &set);
    if (SUCCEEDED(hr)) wasSet = set != VARIANT_FALSE;
    return hr;
  }
  HResult Remove(std::int32_t key) override { return p_->Remove(key); }

 private:
  ComPtr<IZemDictionary> p_;
};

class StringServiceClient final : public host::CountedImpl<host::StringService> {
 public:
  using Object = host::StringService;
  explicit StringServiceClient(ComPtr<IZemStringService> p) : p_(std::move(p)) {}
  HResult Open(const std::wstring& product, const std::wstring& stringFile) override {
    return p_->Open(ToBstr(product).Get(), ToBstr(stringFile).Get());
  }
  HResult Text(const std::wstring& section, std::int32_t id, std::wstring& text) override {
    return InText(text, [&](BSTR* t) { return p_->Text(ToBstr(section).Get(), id, t); });
  }

 private:
  ComPtr<IZemStringService> p_;
};

class VaultClient final : public host::CountedImpl<host::VaultSession> {
 public:
  using Object = host::VaultSession;
  explicit VaultClient(ComPtr<IZemVault> p) : p_(std::move(p)) {}
  HResult HostVersion(std::int32_t& major, std::int32_t& minor) override {
    LONG a = 0, b = 0;
    VENDREL_RETURN_IF_FAILED(p_->HostVersion(&a, &b));
    major = a;
    minor = b;
    return S_OK;
  }
  HResult GetObject(host::ObjectKind kind, std::int32_t id,
                    Ref<host::VaultObject>& object) override {
    return InObject<IZemObject>(
        object, [&](IZemObject** o) { return p_->ObjectById(static_cast<LONG>(kind), id, o); },
        ObjectFromCom);
  }
  HResult GetFileFromPath(const std::wstring& path, Ref<host::VaultFile>& file,
                          Ref<host::VaultFolder>& folder) override {
    ComPtr<IZemFile> f;
    ComPtr<IZemFolder> parent;
    const HResult hr = p_->GetFileFromPath(ToBstr(path).Get(), f.Put(), parent.Put());
    if (SUCCEEDED(hr)) {
      file = Wrap<FileClient>(std::move(f));
      folder = Wrap<FolderClient>(std::move(parent));
    }
    return hr;
  }
  HResult GetFolderFromPath(const std::wstring& path, Ref<host::VaultFolder>& folder) override {
    return InObject<IZemFolder>(
        folder, [&](IZemFolder** f) { return p_->GetFolderFromPath(ToBstr(path).Get(), f); },
        Wrapper<FolderClient, IZemFolder>());
  }
  HResult RootFolderPath(std::wstring& path) override {
    return InText(path, [&](BSTR* t) { return p_->RootFolderPath(t); });
  }
  HResult Name(std::wstring& name) override {
    return InText(name, [&](BSTR* t) { return p_->Name(t); });
  }
  HResult GetDictionary(const std::wstring& name, bool create,
                        Ref<host::AddInDictionary>& dictionary) override {
    return InObject<IZemDictionary>(
        dictionary,
        [&](IZemDictionary** d) {
          return p_->GetDictionary(ToBstr(name).Get(), create ? VARIANT_TRUE : VARIANT_FALSE, d);
        },
        Wrapper<DictionaryClient, IZemDictionary>());
  }
  HResult ErrorText(HResult code, std::wstring& name, std::wstring& description) override {
    UniqueBstr d;
    const HResult hr = InText(name, [&](BSTR* t) { return p_->ErrorText(code, t, d.Put()); });
    if (SUCCEEDED(hr)) description = FromBstr(d.Get());
    return hr;
  }
  HResult UserDirectory(Ref<host::VaultUserDirectory>& directory) override {
    return InObject<IZemUserDirectory>(
        directory, [&](IZemUserDirectory** d) { return p_->UserDirectory(d); },
        Wrapper<UserDirectoryClient, IZemUserDirectory>());
  }
  HResult Workflows(Ref<host::WorkflowManager>& manager) override {
    return InObject<IZemWorkflowManager>(
        manager, [&](IZemWorkflowManager** m) { return p_->Workflows(m); },
        Wrapper<WorkflowManagerClient, IZemWorkflowManager>());
  }
  HResult Variables(Ref<host::VariableManager>& manager) override {
    return InObject<IZemVariableManager>(
        manager, [&](IZemVariableManager** m) { return p_->Variables(m); },
        Wrapper<VariableManagerClient, IZemVariableManager>());
  }
  HResult CreateBatchUpdate(Ref<host::BatchUpdate>& batch) override {
    return InObject<IZemBatchUpdate>(
        batch, [&](IZemBatchUpdate** b) { return p_->CreateBatchUpdate(b); },
        Wrapper<BatchUpdateClient, IZemBatchUpdate>());
  }
  HResult CreateStringService(Ref<host::StringService>& service) override {
    return InObject<IZemStringService>(
        service, [&](IZemStringService** s) { return p_->CreateStringService(s); },
        Wrapper<StringServiceClient, IZemStringService>());
  }
  HResult SetWindows(host::HostWindow first, host::HostWindow second) override {
    return p_->SetWindows(first, second);
  }

 private:
  ComPtr<IZemVault> p_;
};

}  // namespace

Ref<host::VaultSession> VaultFromCom(IUnknown* vault) {
  ComPtr<IZemVault> p;
  if (!vault ||
      FAILED(vault->QueryInterface(__uuidof(IZemVault), reinterpret_cast<void**>(p.Put()))))
    return {};
  return Wrap<VaultClient>(std::move(p));
}

HResult RegistrarClient::AddMenuCommand(std::int32_t commandId, const std::wstring& menuText,
                                        std::int32_t flags, const std::wstring& text2,
                                        const std::wstring& text3, std::int32_t int1,
                                        std::int32_t int2) {
  return registrar_->AddMenuCommand(commandId, ToBstr(menuText).Get(), flags, ToBstr(text2).Get(),
                                    ToBstr(text3).Get(), int1, int2);
}

HResult RegistrarClient::AddHook(std::int32_t kind, std::int32_t arg) {
  return registrar_->AddHook(kind, arg);
}

HRESULT GetAddInInfoForCom(host::AddIn& addIn, ZemAddInInfo* info, IUnknown* vault,
                           IZemRegistrar* registrar) {
  return Guarded([&]() -> HRESULT {
    const Ref<host::VaultSession> session = VaultFromCom(vault);
    std::optional<RegistrarClient> client;
    if (registrar) client.emplace(ComPtr<IZemRegistrar>(registrar));
    host::AddInInfo filled;
    const HRESULT hr =
        addIn.GetAddInInfo(info ? &filled : nullptr, session.Get(), client ? &*client : nullptr);
    if (info) {
      UniqueBstr name = ToBstr(filled.name), company = ToBstr(filled.company),
                 description = ToBstr(filled.description);
      info->name = name.Release();
      info->company = company.Release();
      info->description = description.Release();
      info->version = filled.version;
      info->field5 = filled.field5;
      info->field6 = filled.field6;
    }
    return hr;
  });
}

HRESULT OnCommandForCom(host::AddIn& addIn, ZemNotification* notification, SAFEARRAY* items) {
  if (!notification) return E_POINTER;
  return Guarded([&]() -> HRESULT {
    host::HostNotification n;
    n.kind = notification->kind;
    n.parentWindow = notification->parentWindow;
    n.folderId = notification->folderId;
    n.commandId = notification->commandId;
    n.vault = VaultFromCom(notification->vault);
    n.refreshFlags = notification->refreshFlags;
    n.veto = notification->veto;
    if (items) {
      // Items that cannot be read are skipped, all of them when the array holds other records.
      std::vector<host::HostNotificationItem>& read = n.items.emplace();
      ReadRecordArray<ZemNotificationItem>(
          items, kNotificationItemRecord, [&](const ZemNotificationItem& r) {
            read.push_back({r.first, r.second, r.third, FromBstr(r.firstText),
                            FromBstr(r.secondText), r.fourth});
          });
    }
    const HRESULT hr = addIn.OnCommand(n);
    notification->refreshFlags = n.refreshFlags;
    notification->veto = n.veto;
    return hr;
  });
}

}  // namespace vendrel::com
