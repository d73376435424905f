// The session object and the small services it hands out: dictionaries, workflows, strings.
#include "sim/Session.h"

#include "sim/Cards.h"
#include "sim/Directory.h"
#include "sim/Objects.h"

namespace vendrel::sim {

using host::HResult;
using host::Ref;

namespace {

// Texts under 32-bit keys; every call is one statement, so set-if-absent is atomic across
// processes.
class SimDictionary : public host::CountedImpl<host::AddInDictionary> {
 public:
  SimDictionary(ClientPtr client, std::int32_t id) : client_(std::move(client)), id_(id) {}

  HResult Read(std::int32_t key, std::wstring& text, bool& exists) override {
    VENDREL_RETURN_IF_FAILED(client_->store->Enter());
    return store().Read([&] {
      platform::Statement row = store().Db().Query(
          "SELECT text FROM dictionary_entries WHERE dictionary_id = ? AND key = ?", id_, key);
      exists = row.Step();
      text = exists ? row.Text(0) : std::wstring();
      return host::kOk;
    });
  }
  HResult ReadInPieces(std::int32_t key,
                       const std::function<void(std::wstring_view, std::size_t)>& take,
                       bool& exists) override {
    VENDREL_RETURN_IF_FAILED(client_->store->Enter());
    return store().Read([&] {
      platform::Statement row = store().Db().Query(
          "SELECT rowid FROM dictionary_entries WHERE dictionary_id = ? AND key = ?", id_, key);
      exists = row.Step();
      if (exists) store().Db().ReadTextInPieces("dictionary_entries", "text", row.Int64(0), take);
      return host::kOk;
    });
  }
  HResult Write(std::int32_t key, const std::wstring& text) override {
    VENDREL_RETURN_IF_FAILED(client_->store->Enter());
    return store().Write([&] {
      store().Db().Run(
          "INSERT OR REPLACE INTO dictionary_entries(dictionary_id, key, text) VALUES(?, ?, ?)",
          id_, key, text);
      return host::kOk;
    });
  }
  HResult SetIfAbsent(std::int32_t key, const std::wstring& text, bool& wasSet) override {
    wasSet = false;
    VENDREL_RETURN_IF_FAILED(client_->store->Enter());
    bool inserted = false;
    const HResult hr = store().Write([&] {
      inserted = store().Db().Run(
                     "INSERT OR IGNORE INTO dictionary_entries(dictionary_id, key, text) "
                     "VALUES(?, ?, ?)",
                     id_, key, text) == 1;
      return host::kOk;
    });
    // An insert whose commit failed set nothing.
    wasSet = host::Succeeded(hr) && inserted;
    return hr;
  }
  HResult Remove(std::int32_t key) override {
    VENDREL_RETURN_IF_FAILED(client_->store->Enter());
    return store().Write([&] {
      store().Db().Run("DELETE FROM dictionary_entries WHERE dictionary_id = ? AND key = ?", id_,
                       key);
      return host::kOk;
    });
  }

 private:
  Store& store() const { return *client_->store; }

  ClientPtr client_;
  std::int32_t id_;
};

class SimWorkflowManager : public host::CountedImpl<host::WorkflowManager> {
 public:
  explicit SimWorkflowManager(ClientPtr client) : client_(std::move(client)) {}

  HResult Workflows(std::vector<host::WorkflowInfo>& workflows) override {
    VENDREL_RETURN_IF_FAILED(client_->store->Enter());
    Store& store = *client_->store;
    return store.Read([&] {
      platform::Statement rows = store.Db().Prepare(
          "SELECT w.id, w.name, s.id, s.name FROM workflows w "
          "LEFT JOIN states s ON s.workflow_id = w.id ORDER BY w.id, s.position");
      std::vector<host::WorkflowInfo> found;
      while (rows.Step()) {
        if (found.empty() || found.back().id != rows.Int(0))
          found.push_back({rows.Int(0), rows.Text(1), {}});
        if (!rows.IsNull(2)) found.back().states.push_back({rows.Int(2), rows.Text(3)});
      }
      workflows = std::move(found);
      return host::kOk;
    });
  }

 private:
  ClientPtr client_;
};

// The host's localized texts; a string file without texts opens but yields nothing, so callers
// fall back to their own defaults.
class SimStringService : public host::CountedImpl<host::StringService> {
 public:
  explicit SimStringService(ClientPtr client) : client_(std::move(client)) {}

  HResult Open(const std::wstring&, const std::wstring& stringFile) override {
    VENDREL_RETURN_IF_FAILED(client_->store->Enter());
    file_ = stringFile;
    open_ = true;
    return host::kOk;
  }
  HResult Text(const std::wstring& section, std::int32_t id, std::wstring& text) override {
    VENDREL_RETURN_IF_FAILED(client_->store->Enter());
    if (!open_) return host::kUnexpected;
    Store& store = *client_->store;
    return store.Read([&] {
      platform::Statement row = store.Db().Query(
          "SELECT text FROM host_strings WHERE file = ? AND section = ? AND id = ?", file_, section,
          id);
      if (!row.Step()) {
        text.clear();
        return host::kFalse;
      }
      text = row.Text(0);
      return host::kOk;
    });
  }

 private:
  ClientPtr client_;
  std::wstring file_;
  bool open_ = false;
};

}  // namespace

HResult SimSession::HostVersion(std::int32_t& major, std::int32_t& minor) {
  VENDREL_RETURN_IF_FAILED(client_->store->Enter());
  return store().Read([&] {
    platform::Statement row = store().Db().Prepare("SELECT host_major, host_minor FROM vault");
    row.Step();
    major = row.Int(0);
    minor = row.Int(1);
    return host::kOk;
  });
}

HResult SimSession::GetObject(host::ObjectKind kind, std::int32_t id,
                              Ref<host::VaultObject>& object) {
  VENDREL_RETURN_IF_FAILED(client_->store->Enter());
  return store().Read([&] {
    if (kind == host::ObjectKind::kFile) {
      platform::Statement row = store().Db().Query("SELECT folder_id FROM files WHERE id = ?", id);
      if (!row.Step()) return host::kFileNotFound;
      object = host::MakeRef<SimFile>(client_, id, row.Int(0));
      return host::kOk;
    }
    if (kind == host::ObjectKind::kFolder) {
      if (!store().Db().Query("SELECT 1 FROM folders WHERE id = ?", id).Step())
        return host::kFolderNotFound;
      object = host::MakeRef<SimFolder>(client_, id);
      return host::kOk;
    }
    return host::kInvalidArg;
  });
}

HResult SimSession::GetFileFromPath(const std::wstring& path, Ref<host::VaultFile>& file,
                                    Ref<host::VaultFolder>& folder) {
  VENDREL_RETURN_IF_FAILED(client_->store->Enter());
  return store().Read([&] {
    std::int32_t fileId = 0;
    std::int32_t folderId = 0;
    const HResult hr = store().FindFile(path, fileId, folderId);
    if (hr != host::kOk) return hr;
    file = host::MakeRef<SimFile>(client_, fileId, folderId);
    folder = host::MakeRef<SimFolder>(client_, folderId);
    return host::kOk;
  });
}

HResult SimSession::GetFolderFromPath(const std::wstring& path, Ref<host::VaultFolder>& folder) {
  VENDREL_RETURN_IF_FAILED(client_->store->Enter());
  return store().Read([&] {
    std::int32_t folderId = 0;
    const HResult hr = store().FindFolder(path, folderId);
    if (hr == host::kOk) folder = host::MakeRef<SimFolder>(client_, folderId);
    return hr;
  });
}

HResult SimSession::RootFolderPath(std::wstring& path) {
  VENDREL_RETURN_IF_FAILED(client_->store->Enter());
  path = store().RootPath();
  return host::kOk;
}

HResult SimSession::Name(std::wstring& name) {
  VENDREL_RETURN_IF_FAILED(client_->store->Enter());
  return store().Read([&] {
    platform::Statement row = store().Db().Prepare("SELECT name FROM vault");
    row.Step();
    name = row.Text(0);
    return host::kOk;
  });
}

HResult SimSession::GetDictionary(const std::wstring& name, bool create,
                                  Ref<host::AddInDictionary>& dictionary) {
  VENDREL_RETURN_IF_FAILED(client_->store->Enter());
  const auto find = [&] {
    platform::Statement row =
        store().Db().Query("SELECT id FROM dictionaries WHERE name = ?", name);
    if (!row.Step()) return host::kFalse;
    dictionary = host::MakeRef<SimDictionary>(client_, row.Int(0));
    return host::kOk;
  };
  if (!create) return store().Read(find);
  return store().Write([&] {
    store().Db().Run("INSERT OR IGNORE INTO dictionaries(name) VALUES(?)", name);
    return find();
  });
}

HResult SimSession::ErrorText(HResult code, std::wstring& name, std::wstring& description) {
  VENDREL_RETURN_IF_FAILED(client_->store->Enter());
  return store().Read([&] {
    platform::Statement row =
        store().Db().Query("SELECT name, description FROM error_texts WHERE code = ?", code);
    if (!row.Step()) return host::kFail;
    name = row.Text(0);
    description = row.Text(1);
    return host::kOk;
  });
}

HResult SimSession::UserDirectory(Ref<host::VaultUserDirectory>& directory) {
  VENDREL_RETURN_IF_FAILED(client_->store->Enter());
  directory = host::MakeRef<SimUserDirectory>(client_);
  return host::kOk;
}

HResult SimSession::Workflows(Ref<host::WorkflowManager>& manager) {
  VENDREL_RETURN_IF_FAILED(client_->store->Enter());
  manager = host::MakeRef<SimWorkflowManager>(client_);
  return host::kOk;
}

HResult SimSession::Variables(Ref<host::VariableManager>& manager) {
  VENDREL_RETURN_IF_FAILED(client_->store->Enter());
  manager = host::MakeRef<SimVariableManager>(client_);
  return host::kOk;
}

HResult SimSession::CreateBatchUpdate(Ref<host::BatchUpdate>& batch) {
  VENDREL_RETURN_IF_FAILED(client_->store->Enter());
  batch = host::MakeRef<SimBatchUpdate>(client_);
  return host::kOk;
}

HResult SimSession::CreateStringService(Ref<host::StringService>& service) {
  VENDREL_RETURN_IF_FAILED(client_->store->Enter());
  service = host::MakeRef<SimStringService>(client_);
  return host::kOk;
}

HResult SimSession::SetWindows(host::HostWindow first, host::HostWindow second) {
  VENDREL_RETURN_IF_FAILED(client_->store->Enter());
  windows_ = {first, second};
  return host::kOk;
}

}  // namespace vendrel::sim
