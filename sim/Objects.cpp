// Folder and file operations: lookups, adds, deletes, check out and in, local copies.
#include "sim/Objects.h"

#include <filesystem>

#include "platform/CaseFold.h"
#include "sim/Cards.h"

namespace vendrel::sim {

using host::HResult;
using host::Ref;

namespace {

std::int32_t DefaultInitialState(platform::Database& db) {
  platform::Statement state = db.Prepare(
      "SELECT id FROM states WHERE workflow_id = (SELECT default_workflow FROM vault) "
      "ORDER BY position LIMIT 1");
  return state.Step() ? state.Int(0) : 0;
}

// The version a caller asked for: empty or 0 means the latest.
HResult RequestedVersion(const host::Value& version, std::int32_t& number) {
  switch (host::KindOf(version)) {
    case host::ValueKind::kEmpty:
      number = 0;
      return host::kOk;
    case host::ValueKind::kInt32:
      number = std::get<std::int32_t>(version);
      return host::kOk;
    case host::ValueKind::kInteger:
      number = static_cast<std::int32_t>(std::get<std::int64_t>(version));
      return host::kOk;
    default:
      return host::kTypeMismatch;
  }
}

}  // namespace

HResult SimFolder::Id(std::int32_t& id) {
  VENDREL_RETURN_IF_FAILED(client_->store->Enter());
  id = id_;
  return host::kOk;
}

HResult SimFolder::Name(std::wstring& name) {
  VENDREL_RETURN_IF_FAILED(client_->store->Enter());
  return store().Read([&] {
    platform::Statement row = store().Db().Query("SELECT name FROM folders WHERE id = ?", id_);
    if (!row.Step()) return host::kFolderNotFound;
    name = row.Text(0);
    return host::kOk;
  });
}

HResult SimFolder::LocalPath(std::wstring& path) {
  VENDREL_RETURN_IF_FAILED(client_->store->Enter());
  return store().Read([&] {
    const auto found = store().FolderPath(id_);
    if (!found) return host::kFolderNotFound;
    path = *found;
    return host::kOk;
  });
}

HResult SimFolder::Files(std::vector<Ref<host::VaultFile>>& files) {
  VENDREL_RETURN_IF_FAILED(client_->store->Enter());
  return store().Read([&] {
    platform::Statement rows = store().Db().Query(
        "SELECT id, name FROM files WHERE folder_id = ?1 UNION "
        "SELECT f.id, f.name FROM files f JOIN shares s ON s.file_id = f.id "
        "WHERE s.folder_id = ?1 ORDER BY 2",
        id_);
    std::vector<Ref<host::VaultFile>> found;
    while (rows.Step())
      found.push_back(host::MakeRef<SimFile>(client_, rows.Int(0), id_, rows.Text(1)));
    files = std::move(found);
    return host::kOk;
  });
}

HResult SimFolder::SubFolders(std::vector<Ref<host::VaultFolder>>& folders) {
  VENDREL_RETURN_IF_FAILED(client_->store->Enter());
  return store().Read([&] {
    platform::Statement rows =
        store().Db().Query("SELECT id FROM folders WHERE parent_id = ? ORDER BY name", id_);
    std::vector<Ref<host::VaultFolder>> found;
    while (rows.Step()) found.push_back(host::MakeRef<SimFolder>(client_, rows.Int(0)));
    folders = std::move(found);
    return host::kOk;
  });
}

HResult SimFolder::SubFolder(const std::wstring& name, Ref<host::VaultFolder>& folder) {
  VENDREL_RETURN_IF_FAILED(client_->store->Enter());
  return store().Read([&] {
    platform::Statement row =
        store().Db().Query("SELECT id FROM folders WHERE parent_id = ? AND name = ?", id_, name);
    if (!row.Step()) return host::kFolderNotFound;
    folder = host::MakeRef<SimFolder>(client_, row.Int(0));
    return host::kOk;
  });
}

HResult SimFolder::AddFolder(host::HostWindow, const std::wstring& name, std::int32_t,
                             Ref<host::VaultFolder>& folder) {
  VENDREL_RETURN_IF_FAILED(client_->store->Enter());
  VENDREL_RETURN_IF_FAILED(ValidateName(name));
  return store().Write([&] {
    const auto parentPath = store().FolderPath(id_);
    if (!parentPath) return host::kFolderNotFound;
    if (parentPath->size() + 1 + name.size() > kMaxPath) return host::kInvalidName;
    platform::Database& db = store().Db();
    if (db.Query("SELECT 1 FROM folders WHERE parent_id = ? AND name = ?", id_, name).Step())
      return host::kNameAlreadyExists;
    db.Run("INSERT INTO folders(parent_id, name) VALUES(?, ?)", id_, name);
    const auto id = static_cast<std::int32_t>(db.LastInsertId());
    store().CreateLocalFolder(*parentPath + L'\\' + name);
    folder = host::MakeRef<SimFolder>(client_, id);
    return host::kOk;
  });
}

// Flags 1 check the new file in; with flags 0 it stays checked out to the adder, here.
HResult SimFolder::AddFile(host::HostWindow, const std::wstring& localPath,
                           const std::wstring& newName, std::int32_t flags,
                           Ref<host::VaultFile>& file) {
  VENDREL_RETURN_IF_FAILED(client_->store->Enter());
  VENDREL_RETURN_IF_FAILED(ValidateName(newName));
  return store().Write([&] {
    const auto folderPath = store().FolderPath(id_);
    if (!folderPath) return host::kFolderNotFound;
    if (folderPath->size() + 1 + newName.size() > kMaxPath) return host::kInvalidName;
    platform::Database& db = store().Db();
    if (db.Query("SELECT 1 FROM files WHERE folder_id = ? AND name = ?", id_, newName).Step())
      return host::kNameAlreadyExists;
    const auto stored = store().KeepLocal(localPath);
    if (!stored) return host::kFileNotFound;

    const std::int32_t state = DefaultInitialState(db);
    // File ids start at 2: in a menu notification's items, ids below 2 stand for folders.
    db.Run(
        "INSERT INTO files(id, folder_id, name, state_id) "
        "VALUES((SELECT IFNULL(MAX(id), 1) + 1 FROM files), ?, ?, ?)",
        id_, newName, state ? std::optional(state) : std::nullopt);
    const auto id = static_cast<std::int32_t>(db.LastInsertId());
    db.Run(
        "INSERT INTO versions(file_id, version, user_id, time, comment, content_at, "
        "content_size) VALUES(?, 1, ?, ?, '', ?, ?)",
        id, client_->userId, store().Now().serial, stored->at, stored->size);

    const std::wstring target = *folderPath + L'\\' + newName;
    const bool checkedOut = flags == 0;
    if (checkedOut) {
      db.Run(
          "INSERT INTO checkouts(file_id, user_id, folder_id, computer, local_path) "
          "VALUES(?, ?, ?, ?, ?)",
          id, client_->userId, id_, client_->computer, target);
    }
    // Only a file in the vault's folders can be the target itself; most come from elsewhere.
    std::error_code ec;
    if (store().InVault(localPath) &&
        std::filesystem::equivalent(store().Native(localPath), store().Native(target), ec))
      store().SetWritable(target, checkedOut);
    else
      store().WriteLocal(target, *stored, checkedOut);
    file = host::MakeRef<SimFile>(client_, id, id_);
    return host::kOk;
  });
}

HResult SimFolder::DeleteFile(host::HostWindow, std::int32_t fileId, std::int32_t) {
  VENDREL_RETURN_IF_FAILED(client_->store->Enter());
  return store().Write([&] {
    platform::Database& db = store().Db();
    if (!store().FileInFolder(fileId, id_)) return host::kFileNotFound;
    if (const auto checkOut = LoadCheckOut(db, fileId)) {
      const HResult conflict = CheckOutConflict(*client_, *checkOut, checkOut->folderId);
      if (conflict != host::kOk) return conflict;
    }
    platform::Statement file =
        db.Query("SELECT name, folder_id = ? FROM files WHERE id = ?", id_, fileId);
    file.Step();
    const std::wstring name = file.Text(0);
    const bool home = file.Int(1) != 0;
    // Deleting from the home folder removes the file; from another folder only the share.
    platform::Statement folders =
        home ? db.Query("SELECT ?1 UNION SELECT folder_id FROM shares WHERE file_id = ?2", id_,
                        fileId)
             : db.Query("SELECT ?", id_);
    while (folders.Step()) {
      if (const auto path = store().FolderPath(folders.Int(0)))
        store().RemoveLocal(*path + L'\\' + name);
    }
    if (home)
      db.Run("DELETE FROM files WHERE id = ?", fileId);
    else
      db.Run("DELETE FROM shares WHERE file_id = ? AND folder_id = ?", fileId, id_);
    return host::kOk;
  });
}

HResult SimFile::Id(std::int32_t& id) {
  VENDREL_RETURN_IF_FAILED(client_->store->Enter());
  id = id_;
  return host::kOk;
}

std::wstring SimFile::LoadName() {
  platform::Statement row = store().Db().Query("SELECT name FROM files WHERE id = ?", id_);
  if (!row.Step()) throw SimError(host::kFileNotFound, "no such file");
  return row.Text(0);
}

std::wstring SimFile::PathIn(std::int32_t folderId) {
  const auto folder = store().FolderPath(folderId);
  if (!folder) throw SimError(host::kFolderNotFound, "no such folder");
  return *folder + L'\\' + LoadName();
}

Stored SimFile::Version(std::int32_t version) {
  platform::Statement row =
      version > 0
          ? store().Db().Query(
                "SELECT content_at, content_size FROM versions WHERE file_id = ? AND version = ?",
                id_, version)
          : store().Db().Query(
                "SELECT content_at, content_size FROM versions WHERE file_id = ? "
                "ORDER BY version DESC LIMIT 1",
                id_);
  if (!row.Step()) throw SimError(host::kInvalidArg, "no such version");
  return Stored{row.Int64(0), row.Int64(1)};
}

HResult SimFile::Name(std::wstring& name) {
  VENDREL_RETURN_IF_FAILED(client_->store->Enter());
  if (!listedName_.empty()) {
    name = listedName_;
    return host::kOk;
  }
  return store().Read([&] {
    name = LoadName();
    return host::kOk;
  });
}

HResult SimFile::GetLocalCopy(host::HostWindow, const host::Value& version,
                              const host::Value& where, std::int32_t, const std::wstring&) {
  VENDREL_RETURN_IF_FAILED(client_->store->Enter());
  std::int32_t number = 0;
  VENDREL_RETURN_IF_FAILED(RequestedVersion(version, number));
  return store().Read([&] {
    std::wstring target;
    if (const auto* folderId = std::get_if<std::int32_t>(&where); folderId && *folderId != 0) {
      if (!store().FileInFolder(id_, *folderId)) return host::kFolderNotFound;
      target = PathIn(*folderId);
    } else if (const auto* path = std::get_if<std::wstring>(&where); path && !path->empty()) {
      std::error_code ec;
      target = std::filesystem::is_directory(store().Native(*path), ec) ? *path + L'\\' + LoadName()
                                                                        : *path;
    } else {
      target = PathIn(folderId_);
    }
    // The working copy of a file this client has checked out is never overwritten.
    const auto checkOut = LoadCheckOut(store().Db(), id_);
    if (checkOut && checkOut->userId == client_->userId &&
        platform::SameIgnoringCase(checkOut->computer, client_->computer) &&
        platform::SameIgnoringCase(checkOut->localPath, target))
      return host::kOk;
    store().WriteLocal(target, Version(number), false);
    return host::kOk;
  });
}

HResult SimFile::CheckOut(std::int32_t folderId, host::HostWindow, std::int32_t) {
  VENDREL_RETURN_IF_FAILED(client_->store->Enter());
  return store().Write([&] {
    const std::int32_t folder = folderId != 0 ? folderId : folderId_;
    const std::wstring path = PathIn(folder);
    if (!store().FileInFolder(id_, folder)) return host::kFolderNotFound;
    if (const auto held = LoadCheckOut(store().Db(), id_))
      return CheckOutConflict(*client_, *held, folder);
    store().Db().Run(
        "INSERT INTO checkouts(file_id, user_id, folder_id, computer, local_path) "
        "VALUES(?, ?, ?, ?, ?)",
        id_, client_->userId, folder, client_->computer, path);
    store().WriteLocal(path, Version(0), true);
    return host::kOk;
  });
}

HResult SimFile::CheckIn(host::HostWindow, const std::wstring& comment, std::int32_t,
                         std::int32_t) {
  VENDREL_RETURN_IF_FAILED(client_->store->Enter());
  return store().Write([&] {
    platform::Database& db = store().Db();
    LoadName();
    const auto held = LoadCheckOut(db, id_);
    if (!held) return host::kFileNotLockedByYou;
    VENDREL_RETURN_IF_FAILED(CheckOutConflict(*client_, *held, folderId_));
    const auto stored = store().KeepLocal(held->localPath);
    if (!stored) return host::kFileNotFound;
    db.Run(
        "INSERT INTO versions(file_id, version, user_id, time, comment, content_at, "
        "content_size) "
        "SELECT ?1, MAX(version) + 1, ?2, ?3, ?4, ?5, ?6 FROM versions WHERE file_id = ?1",
        id_, client_->userId, store().Now().serial, comment, stored->at, stored->size);
    db.Run("DELETE FROM checkouts WHERE file_id = ?", id_);
    store().SetWritable(held->localPath, false);
    return host::kOk;
  });
}

HResult SimFile::UndoCheckOut(host::HostWindow, std::int32_t) {
  VENDREL_RETURN_IF_FAILED(client_->store->Enter());
  return store().Write([&] {
    LoadName();
    const auto held = LoadCheckOut(store().Db(), id_);
    if (!held) return host::kFileNotLockedByYou;
    VENDREL_RETURN_IF_FAILED(CheckOutConflict(*client_, *held, folderId_));
    store().Db().Run("DELETE FROM checkouts WHERE file_id = ?", id_);
    store().WriteLocal(held->localPath, Version(0), false);
    return host::kOk;
  });
}

HResult SimFile::Rename(host::HostWindow, const std::wstring& newName, std::int32_t) {
  VENDREL_RETURN_IF_FAILED(client_->store->Enter());
  VENDREL_RETURN_IF_FAILED(ValidateName(newName));
  const HResult renamed = store().Write([&] {
    platform::Database& db = store().Db();
    const std::wstring oldName = LoadName();
    const auto held = LoadCheckOut(db, id_);
    if (held) VENDREL_RETURN_IF_FAILED(CheckOutConflict(*client_, *held, held->folderId));
    platform::Statement home = db.Query("SELECT folder_id FROM files WHERE id = ?", id_);
    home.Step();
    const std::int32_t homeFolder = home.Int(0);
    if (db.Query("SELECT 1 FROM files WHERE folder_id = ? AND name = ? AND id <> ?", homeFolder,
                 newName, id_)
            .Step())
      return host::kNameAlreadyExists;
    db.Run("UPDATE files SET name = ? WHERE id = ?", newName, id_);
    platform::Statement folders = db.Query(
        "SELECT ?1 UNION SELECT folder_id FROM shares WHERE file_id = ?2", homeFolder, id_);
    while (folders.Step()) {
      const auto folder = store().FolderPath(folders.Int(0));
      if (!folder) continue;
      std::error_code ec;
      const auto from = store().Native(*folder + L'\\' + oldName);
      if (std::filesystem::exists(from, ec))
        std::filesystem::rename(from, store().Native(*folder + L'\\' + newName));
    }
    if (held) {
      const auto folder = store().FolderPath(held->folderId);
      db.Run("UPDATE checkouts SET local_path = ? WHERE file_id = ?",
             folder.value_or(L"") + L'\\' + newName, id_);
    }
    return host::kOk;
  });
  if (renamed == host::kOk && !listedName_.empty()) listedName_ = newName;
  return renamed;
}

HResult SimFile::CheckOutState(host::CheckOutInfo& info) {
  VENDREL_RETURN_IF_FAILED(client_->store->Enter());
  return store().Read([&] {
    LoadName();
    platform::Statement row = store().Db().Query(
        "SELECT c.user_id, c.folder_id, u.name, c.computer, c.local_path "
        "FROM checkouts c JOIN users u ON u.id = c.user_id WHERE c.file_id = ?",
        id_);
    if (!row.Step()) {
      info = {};
      return host::kOk;
    }
    // The path names its computer the way a network path would: \\COMPUTER\C:\Vault\a.txt.
    info = {row.Int(0), row.Int(1), row.Text(2), row.Text(3),
            L"\\\\" + row.Text(3) + L'\\' + row.Text(4)};
    return host::kOk;
  });
}

HResult SimFile::CurrentVersion(std::int32_t& version) {
  VENDREL_RETURN_IF_FAILED(client_->store->Enter());
  return store().Read([&] {
    platform::Statement row =
        store().Db().Query("SELECT MAX(version) FROM versions WHERE file_id = ?", id_);
    if (!row.Step() || row.IsNull(0)) return host::kFileNotFound;
    version = row.Int(0);
    return host::kOk;
  });
}

HResult SimFile::CurrentRevision(std::wstring& revision) {
  VENDREL_RETURN_IF_FAILED(client_->store->Enter());
  return store().Read([&] {
    platform::Statement row = store().Db().Query("SELECT revision FROM files WHERE id = ?", id_);
    if (!row.Step()) return host::kFileNotFound;
    revision = row.Text(0);
    return host::kOk;
  });
}

HResult SimFile::CurrentState(std::wstring& name, std::int32_t& stateId) {
  VENDREL_RETURN_IF_FAILED(client_->store->Enter());
  return store().Read([&] {
    platform::Statement row = store().Db().Query(
        "SELECT IFNULL(s.id, 0), IFNULL(s.name, '') FROM files f "
        "LEFT JOIN states s ON s.id = f.state_id WHERE f.id = ?",
        id_);
    if (!row.Step()) return host::kFileNotFound;
    stateId = row.Int(0);
    name = row.Text(1);
    return host::kOk;
  });
}

HResult SimFile::VersionHistory(std::vector<host::VersionInfo>& versions) {
  VENDREL_RETURN_IF_FAILED(client_->store->Enter());
  return store().Read([&] {
    LoadName();
    platform::Statement rows = store().Db().Query(
        "SELECT v.version, IFNULL(u.name, ''), v.time, v.comment FROM versions v "
        "LEFT JOIN users u ON u.id = v.user_id WHERE v.file_id = ? ORDER BY v.version",
        id_);
    std::vector<host::VersionInfo> found;
    while (rows.Step())
      found.push_back({rows.Int(0), rows.Text(1), host::Date{rows.Double(2)}, rows.Text(3)});
    versions = std::move(found);
    return host::kOk;
  });
}

HResult SimFile::Configurations(std::vector<std::wstring>& names) {
  VENDREL_RETURN_IF_FAILED(client_->store->Enter());
  return store().Read([&] {
    LoadName();
    platform::Statement rows = store().Db().Query(
        "SELECT name FROM configurations WHERE file_id = ? ORDER BY position", id_);
    std::vector<std::wstring> found;
    while (rows.Step()) found.push_back(rows.Text(0));
    names = std::move(found);
    return host::kOk;
  });
}

HResult SimFile::CardVariables(Ref<host::CardVariableSet>& card) {
  VENDREL_RETURN_IF_FAILED(client_->store->Enter());
  return store().Read([&] {
    LoadName();
    card = host::MakeRef<SimCardSet>(client_, id_);
    return host::kOk;
  });
}

}  // namespace vendrel::sim
