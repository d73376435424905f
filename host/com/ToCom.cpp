// C++ host objects exposed as COM objects, and the host's view of an add-in through IZemAddIn5.
#include "host/com/ToCom.h"

#include "host/com/ComObject.h"
#include "host/com/Convert.h"

namespace vendrel::com {

using host::Ref;

namespace {

// Out-parameters are cleared first and set only on success.
template <class Call>
HRESULT OutText(BSTR* out, Call call) {
  if (!out) return E_POINTER;
  *out = nullptr;
  return Guarded([&]() -> HRESULT {
    std::wstring text;
    const HRESULT hr = call(text);
    if (SUCCEEDED(hr)) *out = ToBstr(text).Release();
    return hr;
  });
}

template <class Call>
HRESULT OutLong(LONG* out, Call call) {
  if (!out) return E_POINTER;
  *out = 0;
  return Guarded([&]() -> HRESULT {
    std::int32_t value = 0;
    const HRESULT hr = call(value);
    if (SUCCEEDED(hr)) *out = value;
    return hr;
  });
}

// Calls call(Ref<Object>&) and hands the result out converted by toCom.
template <class Object, class Interface, class Call, class ToComFn>
HRESULT OutObject(Interface** out, Call call, ToComFn toCom) {
  if (!out) return E_POINTER;
  *out = nullptr;
  return Guarded([&]() -> HRESULT {
    Ref<Object> object;
    const HRESULT hr = call(object);
    if (SUCCEEDED(hr)) *out = toCom(std::move(object)).Detach();
    return hr;
  });
}

template <class Call>
HRESULT OutUnknowns(SAFEARRAY** out, Call call) {
  if (!out) return E_POINTER;
  *out = nullptr;
  return Guarded([&]() -> HRESULT {
    std::vector<ComPtr<IUnknown>> items;
    const HRESULT hr = call(items);
    if (FAILED(hr)) return hr;
    UniqueSafeArray array;
    VENDREL_RETURN_IF_FAILED(MakeUnknownArray(items, array));
    *out = array.Release();
    return hr;
  });
}

template <class Interface>
ComPtr<IUnknown> AsUnknown(ComPtr<Interface> p) {
  return ComPtr<IUnknown>::Adopt(p.Detach());
}

host::Value ValueOf(const VARIANT& variant, HRESULT& status) {
  host::Value value;
  status = FromVariant(variant, value);
  return value;
}

ComPtr<IZemFolder> FolderToCom(Ref<host::VaultFolder> folder);
ComPtr<IZemFile> FileToCom(Ref<host::VaultFile> file);

// Kind, id and name, shared by files and folders.
template <class Interface, class Object>
class VaultObjectCom : public ComObject<Interface> {
 public:
  explicit VaultObjectCom(Ref<Object> object) : object_(std::move(object)) {}
  HRESULT STDMETHODCALLTYPE Kind(LONG* kind) override {
    return OutLong(kind, [&](std::int32_t& v) {
      v = static_cast<std::int32_t>(object_->Kind());
      return S_OK;
    });
  }
  HRESULT STDMETHODCALLTYPE Id(LONG* id) override {
    return OutLong(id, [&](std::int32_t& v) { return object_->Id(v); });
  }
  HRESULT STDMETHODCALLTYPE Name(BSTR* name) override {
    return OutText(name, [&](std::wstring& t) { return object_->Name(t); });
  }

 protected:
  void* Find(REFIID iid) override {
    if (iid == __uuidof(IZemObject)) return static_cast<Interface*>(this);
    return ComObject<Interface>::Find(iid);
  }
  Ref<Object> object_;
};

class FolderCom final : public VaultObjectCom<IZemFolder, host::VaultFolder> {
 public:
  using VaultObjectCom::VaultObjectCom;
  HRESULT STDMETHODCALLTYPE LocalPath(BSTR* path) override {
    return OutText(path, [&](std::wstring& t) { return object_->LocalPath(t); });
  }
  HRESULT STDMETHODCALLTYPE Files(SAFEARRAY** files) override {
    return OutUnknowns(files, [&](std::vector<ComPtr<IUnknown>>& items) -> HRESULT {
      std::vector<Ref<host::VaultFile>> found;
      VENDREL_RETURN_IF_FAILED(object_->Files(found));
      for (auto& f : found) items.push_back(AsUnknown(FileToCom(f)));
      return S_OK;
    });
  }
  HRESULT STDMETHODCALLTYPE SubFolders(SAFEARRAY** folders) override {
    return OutUnknowns(folders, [&](std::vector<ComPtr<IUnknown>>& items) -> HRESULT {
      std::vector<Ref<host::VaultFolder>> found;
      VENDREL_RETURN_IF_FAILED(object_->SubFolders(found));
      for (auto& f : found) items.push_back(AsUnknown(FolderToCom(f)));
      return S_OK;
    });
  }
  HRESULT STDMETHODCALLTYPE SubFolder(BSTR name, IZemFolder** folder) override {
    return OutObject<host::VaultFolder>(
        folder, [&](Ref<host::VaultFolder>& f) { return object_->SubFolder(FromBstr(name), f); },
        FolderToCom);
  }
  HRESULT STDMETHODCALLTYPE AddFolder(LONG window, BSTR name, LONG flags,
                                      IZemFolder** folder) override {
    return OutObject<host::VaultFolder>(
        folder,
        [&](Ref<host::VaultFolder>& f) {
          return object_->AddFolder(window, FromBstr(name), flags, f);
        },
        FolderToCom);
  }
  HRESULT STDMETHODCALLTYPE AddFile(LONG window, BSTR localPath, BSTR newName, LONG flags,
                                    IZemFile** file) override {
    return OutObject<host::VaultFile>(
        file,
        [&](Ref<host::VaultFile>& f) {
          return object_->AddFile(window, FromBstr(localPath), FromBstr(newName), flags, f);
        },
        FileToCom);
  }
  HRESULT STDMETHODCALLTYPE RemoveFile(LONG window, LONG fileId, LONG flags) override {
    return Guarded([&]() -> HRESULT { return object_->DeleteFile(window, fileId, flags); });
  }
};

class CardVariablesCom final : public ComObject<IZemCardVariables> {
 public:
  explicit CardVariablesCom(Ref<host::CardVariableSet> card) : card_(std::move(card)) {}
  HRESULT STDMETHODCALLTYPE GetValue(BSTR variable, BSTR configuration, VARIANT* value) override {
    if (!value) return E_POINTER;
    VariantInit(value);
    return Guarded([&]() -> HRESULT {
      host::Value v;
      VENDREL_RETURN_IF_FAILED(card_->GetValue(FromBstr(variable), FromBstr(configuration), v));
      return ToVariant(v, *value);
    });
  }

 private:
  Ref<host::CardVariableSet> card_;
};

class FileCom final : public VaultObjectCom<IZemFile, host::VaultFile> {
 public:
  using VaultObjectCom::VaultObjectCom;
  HRESULT STDMETHODCALLTYPE GetLocalCopy(LONG window, VARIANT version, VARIANT where, LONG flags,
                                         BSTR text) override {
    return Guarded([&]() -> HRESULT {
      HRESULT status = S_OK;
      const host::Value v = ValueOf(version, status);
      VENDREL_RETURN_IF_FAILED(status);
      const host::Value w = ValueOf(where, status);
      VENDREL_RETURN_IF_FAILED(status);
      return object_->GetLocalCopy(window, v, w, flags, FromBstr(text));
    });
  }
  HRESULT STDMETHODCALLTYPE CheckOut(LONG folderId, LONG window, LONG flags) override {
    return Guarded([&]() -> HRESULT { return object_->CheckOut(folderId, window, flags); });
  }
  HRESULT STDMETHODCALLTYPE CheckIn(LONG window, BSTR comment, LONG arg1, LONG arg2) override {
    return Guarded(
        [&]() -> HRESULT { return object_->CheckIn(window, FromBstr(comment), arg1, arg2); });
  }
  HRESULT STDMETHODCALLTYPE UndoCheckOut(LONG window, LONG flags) override {
    return Guarded([&]() -> HRESULT { return object_->UndoCheckOut(window, flags); });
  }
  HRESULT STDMETHODCALLTYPE Rename(LONG window, BSTR newName, LONG flags) override {
    return Guarded([&]() -> HRESULT { return object_->Rename(window, FromBstr(newName), flags); });
  }
  HRESULT STDMETHODCALLTYPE CheckOutState(LONG* userId, LONG* folderId, BSTR* userName,
                                          BSTR* computer, BSTR* path) override {
    if (!userId || !folderId || !userName || !computer || !path) return E_POINTER;
    *userId = *folderId = 0;
    *userName = *computer = *path = nullptr;
    return Guarded([&]() -> HRESULT {
      host::CheckOutInfo info;
      VENDREL_RETURN_IF_FAILED(object_->CheckOutState(info));
      UniqueBstr name = ToBstr(info.userName), machine = ToBstr(info.computer),
                 where = ToBstr(info.path);
      *userId = info.userId;
      *folderId = info.folderId;
      *userName = name.Release();
      *computer = machine.Release();
      *path = where.Release();
      return S_OK;
    });
  }
  HRESULT STDMETHODCALLTYPE CurrentVersion(LONG* version) override {
    return OutLong(version, [&](std::int32_t& v) { return object_->CurrentVersion(v); });
  }
  HRESULT STDMETHODCALLTYPE CurrentRevision(BSTR* revision) override {
    return OutText(revision, [&](std::wstring& t) { return object_->CurrentRevision(t); });
  }
  HRESULT STDMETHODCALLTYPE CurrentState(BSTR* name, LONG* stateId) override {
    if (!stateId) return E_POINTER;
    *stateId = 0;
    return OutText(name, [&](std::wstring& t) {
      std::int32_t id = 0;
      const HRESULT hr = object_->CurrentState(t, id);
      if (SUCCEEDED(hr)) *stateId = id;
      return hr;
    });
  }
  HRESULT STDMETHODCALLTYPE VersionHistory(SAFEARRAY** versions) override {
    if (!versions) return E_POINTER;
    *versions = nullptr;
    return Guarded([&]() -> HRESULT {
      std::vector<host::VersionInfo> found;
      VENDREL_RETURN_IF_FAILED(object_->VersionHistory(found));
      UniqueSafeArray array;
      VENDREL_RETURN_IF_FAILED(MakeRecordArray<ZemVersionInfo>(
          kVersionInfoRecord, found.size(),
          [&](std::size_t i, ZemVersionInfo& r) {
            r.version = found[i].version;
            r.user = ToBstr(found[i].user).Release();
            r.time = found[i].time.serial;
            r.comment = ToBstr(found[i].comment).Release();
          },
          array));
      *versions = array.Release();
      return S_OK;
    });
  }
  HRESULT STDMETHODCALLTYPE Configurations(SAFEARRAY** names) override {
    if (!names) return E_POINTER;
    *names = nullptr;
    return Guarded([&]() -> HRESULT {
      std::vector<std::wstring> found;
      VENDREL_RETURN_IF_FAILED(object_->Configurations(found));
      UniqueSafeArray array;
      VENDREL_RETURN_IF_FAILED(MakeBstrArray(found, array));
      *names = array.Release();
      return S_OK;
    });
  }
  HRESULT STDMETHODCALLTYPE CardVariables(IZemCardVariables** card) override {
    return OutObject<host::CardVariableSet>(
        card, [&](Ref<host::CardVariableSet>& c) { return object_->CardVariables(c); },
        [](Ref<host::CardVariableSet> c) {
          return c ? CardVariablesCom::Make<CardVariablesCom>(std::move(c))
                   : ComPtr<IZemCardVariables>();
        });
  }
};

ComPtr<IZemFolder> FolderToCom(Ref<host::VaultFolder> folder) {
  return folder ? FolderCom::Make<FolderCom>(std::move(folder)) : ComPtr<IZemFolder>();
}

ComPtr<IZemFile> FileToCom(Ref<host::VaultFile> file) {
  return file ? FileCom::Make<FileCom>(std::move(file)) : ComPtr<IZemFile>();
}

void FillVariableInfo(const host::CardVariableInfo& from, ZemCardVariableInfo& to) {
  to.name = ToBstr(from.name).Release();
  to.type = from.type;
  to.flags = from.flags;
  to.id = from.id;
}

class VariableManagerCom final : public ComObject<IZemVariableManager> {
 public:
  explicit VariableManagerCom(Ref<host::VariableManager> m) : manager_(std::move(m)) {}
  HRESULT STDMETHODCALLTYPE Variables(SAFEARRAY** variables) override {
    if (!variables) return E_POINTER;
    *variables = nullptr;
    return Guarded([&]() -> HRESULT {
      std::vector<host::CardVariableInfo> found;
      VENDREL_RETURN_IF_FAILED(manager_->Variables(found));
      UniqueSafeArray array;
      VENDREL_RETURN_IF_FAILED(MakeRecordArray<ZemCardVariableInfo>(
          kCardVariableInfoRecord, found.size(),
          [&](std::size_t i, ZemCardVariableInfo& r) { FillVariableInfo(found[i], r); }, array));
      *variables = array.Release();
      return S_OK;
    });
  }
  HRESULT STDMETHODCALLTYPE VariableByName(BSTR name, ZemCardVariableInfo* variable) override {
    if (!variable) return E_POINTER;
    *variable = ZemCardVariableInfo{};
    return Guarded([&]() -> HRESULT {
      host::CardVariableInfo found;
      const HRESULT hr = manager_->VariableByName(FromBstr(name), found);
      if (hr == S_OK) FillVariableInfo(found, *variable);
      return hr;
    });
  }

 private:
  Ref<host::VariableManager> manager_;
};

class BatchUpdateCom final : public ComObject<IZemBatchUpdate> {
 public:
  explicit BatchUpdateCom(Ref<host::BatchUpdate> batch) : batch_(std::move(batch)) {}
  HRESULT STDMETHODCALLTYPE AddFileValue(LONG fileId, LONG variableId, VARIANT value,
                                         VARIANT configuration, LONG flags) override {
    return Guarded([&]() -> HRESULT {
      HRESULT status = S_OK;
      const host::Value v = ValueOf(value, status);
      VENDREL_RETURN_IF_FAILED(status);
      std::optional<std::wstring> config;
      if (V_VT(&configuration) == VT_BSTR)
        config = FromBstr(V_BSTR(&configuration));
      else if (V_VT(&configuration) != VT_EMPTY)
        return E_INVALIDARG;
      return batch_->AddFileValue(fileId, variableId, v, config, flags);
    });
  }
  HRESULT STDMETHODCALLTYPE AddFolderValue(LONG folderId, LONG variableId, VARIANT value,
                                           LONG flags) override {
    return Guarded([&]() -> HRESULT {
      HRESULT status = S_OK;
      const host::Value v = ValueOf(value, status);
      VENDREL_RETURN_IF_FAILED(status);
      return batch_->AddFolderValue(folderId, variableId, v, flags);
    });
  }
  HRESULT STDMETHODCALLTYPE Commit(SAFEARRAY** errors) override {
    if (!errors) return E_POINTER;
    *errors = nullptr;
    return Guarded([&]() -> HRESULT {
      std::vector<host::BatchError> found;
      const HRESULT hr = batch_->Commit(found);
      UniqueSafeArray array;
      VENDREL_RETURN_IF_FAILED(MakeRecordArray<ZemBatchError>(
          kBatchErrorRecord, found.size(),
          [&](std::size_t i, ZemBatchError& r) {
            r.fileId = found[i].fileId;
            r.folderId = found[i].folderId;
            r.code = found[i].code;
          },
          array));
      *errors = array.Release();
      return hr;
    });
  }

 private:
  Ref<host::BatchUpdate> batch_;
};

class UserCom final : public ComObject<IZemUser> {
 public:
  explicit UserCom(Ref<host::VaultUser> user) : user_(std::move(user)) {}
  HRESULT STDMETHODCALLTYPE Id(LONG* id) override {
    return OutLong(id, [&](std::int32_t& v) { return user_->Id(v); });
  }
  HRESULT STDMETHODCALLTYPE Name(BSTR* name) override {
    return OutText(name, [&](std::wstring& t) { return user_->Name(t); });
  }
  HRESULT STDMETHODCALLTYPE Send(BSTR subject, BSTR text) override {
    return Guarded(
        [&]() -> HRESULT { return user_->SendMessage(FromBstr(subject), FromBstr(text)); });
  }

 private:
  Ref<host::VaultUser> user_;
};

class GroupCom final : public ComObject<IZemGroup> {
 public:
  explicit GroupCom(Ref<host::VaultGroup> group) : group_(std::move(group)) {}
  HRESULT STDMETHODCALLTYPE Id(LONG* id) override {
    return OutLong(id, [&](std::int32_t& v) { return group_->Id(v); });
  }
  HRESULT STDMETHODCALLTYPE Name(BSTR* name) override {
    return OutText(name, [&](std::wstring& t) { return group_->Name(t); });
  }
  HRESULT STDMETHODCALLTYPE Send(BSTR subject, BSTR text, LONG flags) override {
    return Guarded([&] { return group_->SendMessage(FromBstr(subject), FromBstr(text), flags); });
  }

 private:
  Ref<host::VaultGroup> group_;
};

ComPtr<IZemUser> UserToCom(Ref<host::VaultUser> user) {
  return user ? UserCom::Make<UserCom>(std::move(user)) : ComPtr<IZemUser>();
}

ComPtr<IZemGroup> GroupToCom(Ref<host::VaultGroup> group) {
  return group ? GroupCom::Make<GroupCom>(std::move(group)) : ComPtr<IZemGroup>();
}

class UserDirectoryCom final : public ComObject<IZemUserDirectory> {
 public:
  explicit UserDirectoryCom(Ref<host::VaultUserDirectory> d) : directory_(std::move(d)) {}
  HRESULT STDMETHODCALLTYPE LoggedInUser(IZemUser** user) override {
    return OutObject<host::VaultUser>(
        user, [&](Ref<host::VaultUser>& u) { return directory_->LoggedInUser(u); }, UserToCom);
  }
  HRESULT STDMETHODCALLTYPE Users(SAFEARRAY** users) override {
    return OutUnknowns(users, [&](std::vector<ComPtr<IUnknown>>& items) -> HRESULT {
      std::vector<Ref<host::VaultUser>> found;
      VENDREL_RETURN_IF_FAILED(directory_->Users(found));
      for (auto& u : found) items.push_back(AsUnknown(UserToCom(u)));
      return S_OK;
    });
  }
  HRESULT STDMETHODCALLTYPE Groups(SAFEARRAY** groups) override {
    return OutUnknowns(groups, [&](std::vector<ComPtr<IUnknown>>& items) -> HRESULT {
      std::vector<Ref<host::VaultGroup>> found;
      VENDREL_RETURN_IF_FAILED(directory_->Groups(found));
      for (auto& g : found) items.push_back(AsUnknown(GroupToCom(g)));
      return S_OK;
    });
  }
  HRESULT STDMETHODCALLTYPE UserByName(VARIANT name, IZemUser** user) override {
    return OutObject<host::VaultUser>(
        user,
        [&](Ref<host::VaultUser>& u) -> HRESULT {
          HRESULT status = S_OK;
          const host::Value n = ValueOf(name, status);
          VENDREL_RETURN_IF_FAILED(status);
          return directory_->UserByName(n, u);
        },
        UserToCom);
  }
  HRESULT STDMETHODCALLTYPE GroupByName(VARIANT name, IZemGroup** group) override {
    return OutObject<host::VaultGroup>(
        group,
        [&](Ref<host::VaultGroup>& g) -> HRESULT {
          HRESULT status = S_OK;
          const host::Value n = ValueOf(name, status);
          VENDREL_RETURN_IF_FAILED(status);
          return directory_->GroupByName(n, g);
        },
        GroupToCom);
  }

 private:
  Ref<host::VaultUserDirectory> directory_;
};

HRESULT MakeIdNameArray(const std::vector<std::pair<std::int32_t, std::wstring>>& entries,
                        SAFEARRAY** out) {
  UniqueSafeArray array;
  VENDREL_RETURN_IF_FAILED(MakeRecordArray<ZemIdName>(
      kIdNameRecord, entries.size(),
      [&](std::size_t i, ZemIdName& r) {
        r.id = entries[i].first;
        r.name = ToBstr(entries[i].second).Release();
      },
      array));
  *out = array.Release();
  return S_OK;
}

class WorkflowManagerCom final : public ComObject<IZemWorkflowManager> {
 public:
  explicit WorkflowManagerCom(Ref<host::WorkflowManager> m) : manager_(std::move(m)) {}
  HRESULT STDMETHODCALLTYPE Workflows(SAFEARRAY** workflows) override {
    if (!workflows) return E_POINTER;
    *workflows = nullptr;
    return Guarded([&]() -> HRESULT {
      std::vector<host::WorkflowInfo> found;
      VENDREL_RETURN_IF_FAILED(manager_->Workflows(found));
      std::vector<std::pair<std::int32_t, std::wstring>> entries;
      for (const auto& w : found) entries.emplace_back(w.id, w.name);
      return MakeIdNameArray(entries, workflows);
    });
  }
  HRESULT STDMETHODCALLTYPE States(LONG workflowId, SAFEARRAY** states) override {
    if (!states) return E_POINTER;
    *states = nullptr;
    return Guarded([&]() -> HRESULT {
      std::vector<host::WorkflowInfo> found;
      VENDREL_RETURN_IF_FAILED(manager_->Workflows(found));
      for (const auto& w : found) {
        if (w.id != workflowId) continue;
        std::vector<std::pair<std::int32_t, std::wstring>> entries;
        for (const auto& s : w.states) entries.emplace_back(s.id, s.name);
        return MakeIdNameArray(entries, states);
      }
      return E_INVALIDARG;
    });
  }

 private:
  Ref<host::WorkflowManager> manager_;
};

class DictionaryCom final : public ComObject<IZemDictionary> {
 public:
  explicit DictionaryCom(Ref<host::AddInDictionary> d) : dictionary_(std::move(d)) {}
  HRESULT STDMETHODCALLTYPE Read(LONG key, BSTR* text, VARIANT_BOOL* exists) override {
    if (!exists) return E_POINTER;
    *exists = VARIANT_FALSE;
    return OutText(text, [&](std::wstring& t) {
      bool found = false;
      const HRESULT hr = dictionary_->Read(key, t, found);
      if (SUCCEEDED(hr)) *exists = found ? VARIANT_TRUE : VARIANT_FALSE;
      return hr;
    });
  }
  HRESULT STDMETHODCALLTYPE Write(LONG key, BSTR text) override {
    return Guarded([&]() -> HRESULT { return dictionary_->Write(key, FromBstr(text)); });
  }
  HRESULT STDMETHODCALLTYPE SetIfAbsent(LONG key, BSTR text, VARIANT_BOOL* wasSet) override {
    if (!wasSet) return E_POINTER;
    *wasSet = VARIANT_FALSE;
    return Guarded([&]() -> HRESULT {
      bool set = false;
      const HRESULT hr = dictionary_->SetIfAbsent(key, FromBstr(text), set);
      if (SUCCEEDED(hr)) *wasSet = set ? VARIANT_TRUE : VARIANT_FALSE;
      return hr;
    });
  }
  HRESULT STDMETHODCALLTYPE Remove(LONG key) override {
    return Guarded([&]() -> HRESULT { return dictionary_->Remove(key); });
  }

 private:
  Ref<host::AddInDictionary> dictionary_;
};

class StringServiceCom final : public ComObject<IZemStringService> {
 public:
  explicit StringServiceCom(Ref<host::StringService> s) : service_(std::move(s)) {}
  HRESULT STDMETHODCALLTYPE Open(BSTR product, BSTR stringFile) override {
    return Guarded(
        [&]() -> HRESULT { return service_->Open(FromBstr(product), FromBstr(stringFile)); });
  }
  HRESULT STDMETHODCALLTYPE Text(BSTR section, LONG id, BSTR* text) override {
    return OutText(text, [&](std::wstring& t) { return service_->Text(FromBstr(section), id, t); });
  }

 private:
  Ref<host::StringService> service_;
};

// Wraps a C++ object in the COM class Wrapper; null stays null.
template <class Wrapper, class Interface, class Object>
ComPtr<Interface> Wrap(Ref<Object> object) {
  return object ? Wrapper::template Make<Wrapper>(std::move(object)) : ComPtr<Interface>();
}

class VaultCom final : public ComObject<IZemVault> {
 public:
  explicit VaultCom(Ref<host::VaultSession> vault) : vault_(std::move(vault)) {}
  HRESULT STDMETHODCALLTYPE HostVersion(LONG* major, LONG* minor) override {
    if (!minor) return E_POINTER;
    *minor = 0;
    return OutLong(major, [&](std::int32_t& v) {
      std::int32_t m = 0;
      const HRESULT hr = vault_->HostVersion(v, m);
      if (SUCCEEDED(hr)) *minor = m;
      return hr;
    });
  }
  HRESULT STDMETHODCALLTYPE ObjectById(LONG kind, LONG id, IZemObject** object) override {
    return OutObject<host::VaultObject>(
        object,
        [&](Ref<host::VaultObject>& o) {
          return vault_->GetObject(static_cast<host::ObjectKind>(kind), id, o);
        },
        ObjectToCom);
  }
  HRESULT STDMETHODCALLTYPE GetFileFromPath(BSTR path, IZemFile** file,
                                            IZemFolder** folder) override {
    if (!folder) return E_POINTER;
    *folder = nullptr;
    return OutObject<host::VaultFile>(
        file,
        [&](Ref<host::VaultFile>& f) {
          Ref<host::VaultFolder> parent;
          const HRESULT hr = vault_->GetFileFromPath(FromBstr(path), f, parent);
          if (SUCCEEDED(hr)) *folder = FolderToCom(std::move(parent)).Detach();
          return hr;
        },
        FileToCom);
  }
  HRESULT STDMETHODCALLTYPE GetFolderFromPath(BSTR path, IZemFolder** folder) override {
    return OutObject<host::VaultFolder>(
        folder,
        [&](Ref<host::VaultFolder>& f) { return vault_->GetFolderFromPath(FromBstr(path), f); },
        FolderToCom);
  }
  HRESULT STDMETHODCALLTYPE RootFolderPath(BSTR* path) override {
    return OutText(path, [&](std::wstring& t) { return vault_->RootFolderPath(t); });
  }
  HRESULT STDMETHODCALLTYPE Name(BSTR* name) override {
    return OutText(name, [&](std::wstring& t) { return vault_->Name(t); });
  }
  HRESULT STDMETHODCALLTYPE GetDictionary(BSTR name, VARIANT_BOOL create,
                                          IZemDictionary** dictionary) override {
    return OutObject<host::AddInDictionary>(
        dictionary,
        [&](Ref<host::AddInDictionary>& d) {
          return vault_->GetDictionary(FromBstr(name), create != VARIANT_FALSE, d);
        },
        Wrap<DictionaryCom, IZemDictionary, host::AddInDictionary>);
  }
  HRESULT STDMETHODCALLTYPE ErrorText(LONG code, BSTR* name, BSTR* description) override {
    if (!description) return E_POINTER;
    *description = nullptr;
    return OutText(name, [&](std::wstring& t) {
      std::wstring d;
      const HRESULT hr = vault_->ErrorText(code, t, d);
      if (SUCCEEDED(hr)) *description = ToBstr(d).Release();
      return hr;
    });
  }
  HRESULT STDMETHODCALLTYPE UserDirectory(IZemUserDirectory** directory) override {
    return OutObject<host::VaultUserDirectory>(
        directory, [&](Ref<host::VaultUserDirectory>& d) { return vault_->UserDirectory(d); },
        Wrap<UserDirectoryCom, IZemUserDirectory, host::VaultUserDirectory>);
  }
  HRESULT STDMETHODCALLTYPE Workflows(IZemWorkflowManager** manager) override {
    return OutObject<host::WorkflowManager>(
        manager, [&](Ref<host::WorkflowManager>& m) { return vault_->Workflows(m); },
        Wrap<WorkflowManagerCom, IZemWorkflowManager, host::WorkflowManager>);
  }
  HRESULT STDMETHODCALLTYPE Variables(IZemVariableManager** manager) override {
    return OutObject<host::VariableManager>(
        manager, [&](Ref<host::VariableManager>& m) { return vault_->Variables(m); },
        Wrap<VariableManagerCom, IZemVariableManager, host::VariableManager>);
  }
  HRESULT STDMETHODCALLTYPE CreateBatchUpdate(IZemBatchUpdate** batch) override {
    return OutObject<host::BatchUpdate>(
        batch, [&](Ref<host::BatchUpdate>& b) { return vault_->CreateBatchUpdate(b); },
        Wrap<BatchUpdateCom, IZemBatchUpdate, host::BatchUpdate>);
  }
  HRESULT STDMETHODCALLTYPE CreateStringService(IZemStringService** service) override {
    return OutObject<host::StringService>(
        service, [&](Ref<host::StringService>& s) { return vault_->CreateStringService(s); },
        Wrap<StringServiceCom, IZemStringService, host::StringService>);
  }
  HRESULT STDMETHODCALLTYPE SetWindows(LONG first, LONG second) override {
    return Guarded([&]() -> HRESULT { return vault_->SetWindows(first, second); });
  }

 private:
  Ref<host::VaultSession> vault_;
};

class RegistrarCom final : public ComObject<IZemRegistrar> {
 public:
  explicit RegistrarCom(host::HostRegistrar& registrar) : registrar_(registrar) {}
  HRESULT STDMETHODCALLTYPE AddMenuCommand(LONG commandId, BSTR menuText, LONG flags, BSTR text2,
                                           BSTR text3, LONG int1, LONG int2) override {
    return Guarded([&]() -> HRESULT {
      return registrar_.AddMenuCommand(commandId, FromBstr(menuText), flags, FromBstr(text2),
                                       FromBstr(text3), int1, int2);
    });
  }
  HRESULT STDMETHODCALLTYPE AddHook(LONG kind, LONG arg) override {
    return Guarded([&]() -> HRESULT { return registrar_.AddHook(kind, arg); });
  }

 private:
  host::HostRegistrar& registrar_;
};

}  // namespace

ComPtr<IZemVault> VaultToCom(Ref<host::VaultSession> vault) {
  return Wrap<VaultCom, IZemVault>(std::move(vault));
}

ComPtr<IZemObject> ObjectToCom(Ref<host::VaultObject> object) {
  if (!object) return {};
  Ref<host::VaultFile> file;
  if (object->QueryFile(file) == S_OK && file)
    return ComPtr<IZemObject>::Adopt(FileToCom(file).Detach());
  Ref<host::VaultFolder> folder;
  if (object->QueryFolder(folder) == S_OK && folder)
    return ComPtr<IZemObject>::Adopt(FolderToCom(folder).Detach());
  return {};
}

ComPtr<IZemRegistrar> RegistrarToCom(host::HostRegistrar& registrar) {
  return RegistrarCom::Make<RegistrarCom>(registrar);
}

host::HResult AddInClient::GetAddInInfo(host::AddInInfo* info, host::VaultSession* vault,
                                        host::HostRegistrar* registrar) {
  ZemAddInInfo record{};
  const ComPtr<IZemVault> vaultCom = VaultToCom(Ref<host::VaultSession>(vault));
  const ComPtr<IZemRegistrar> registrarCom =
      registrar ? RegistrarToCom(*registrar) : ComPtr<IZemRegistrar>();
  const HRESULT hr =
      addIn_->GetAddInInfo(info ? &record : nullptr, vaultCom.Get(), registrarCom.Get());
  // The host owns the texts the add-in wrote, whatever the status.
  UniqueBstr name(record.name), company(record.company), description(record.description);
  if (info) {
    info->name = FromBstr(name.Get());
    info->company = FromBstr(company.Get());
    info->description = FromBstr(description.Get());
    info->version = record.version;
    info->field5 = record.field5;
    info->field6 = record.field6;
  }
  return hr;
}

host::HResult AddInClient::OnCommand(host::HostNotification& notification) {
  const ComPtr<IZemVault> vaultCom = VaultToCom(notification.vault);
  ZemNotification record{};
  record.kind = notification.kind;
  record.parentWindow = notification.parentWindow;
  record.folderId = notification.folderId;
  record.commandId = notification.commandId;
  record.vault = vaultCom.Get();
  record.refreshFlags = notification.refreshFlags;
  record.veto = notification.veto;
  UniqueSafeArray items;
  if (notification.items) {
    const auto& from = *notification.items;
    VENDREL_RETURN_IF_FAILED(MakeRecordArray<ZemNotificationItem>(
        kNotificationItemRecord, from.size(),
        [&](std::size_t i, ZemNotificationItem& r) {
          r.first = from[i].first;
          r.second = from[i].second;
          r.third = from[i].third;
          r.firstText = ToBstr(from[i].firstText).Release();
          r.secondText = ToBstr(from[i].secondText).Release();
          r.fourth = from[i].fourth;
        },
        items));
  }
  const HRESULT hr = addIn_->OnCommand(&record, items.Get());
  notification.refreshFlags = record.refreshFlags;
  notification.veto = record.veto;
  return hr;
}

}  // namespace vendrel::com
