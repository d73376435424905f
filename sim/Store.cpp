// Transactions, path lookups and local copies of the simulated vault.
#include "sim/Store.h"

#include <algorithm>
#include <chrono>
#include <system_error>
#include <type_traits>
#include <utility>
#include <vector>

#include "platform/CaseFold.h"
#include "platform/NativePath.h"
#include "platform/Utf8.h"

namespace vendrel::sim {
namespace {

// Enough bytes for a sync of their own, few enough to keep the disk busy while more come.
constexpr std::uint64_t kWriteBackEvery = 4 << 20;

namespace fs = std::filesystem;
using host::HResult;

std::function<void()>& InTransactionHook() {
  static std::function<void()> hook;
  return hook;
}

std::wstring Normalized(std::wstring path) {
  for (wchar_t& c : path)
    if (c == L'/') c = L'\\';
  while (path.size() > 1 && path.back() == L'\\') path.pop_back();
  return path;
}

// The components below `root` of a normalized path, as views into it; nothing when the path
// lies outside the root.
std::optional<std::vector<std::wstring_view>> Below(const std::wstring& root,
                                                    std::wstring_view normalized) {
  if (!platform::StartsWithIgnoringCase(normalized, root)) return std::nullopt;
  if (normalized.size() > root.size() && normalized[root.size()] != L'\\') return std::nullopt;
  std::vector<std::wstring_view> parts;
  std::size_t start = root.size() + 1;
  while (start < normalized.size()) {
    std::size_t end = normalized.find(L'\\', start);
    if (end == std::wstring_view::npos) end = normalized.size();
    if (end > start) parts.push_back(normalized.substr(start, end - start));
    start = end + 1;
  }
  return parts;
}

// A name in the characters of the system's own paths.
template <class Text>
Text NativePart(std::wstring_view name) {
  if constexpr (std::is_same_v<typename Text::value_type, wchar_t>) {
    return Text(name);
  } else {
    return platform::ToUtf8(name);
  }
}

void SetWritableNative(const fs::path& path, bool writable) {
  constexpr fs::perms kWrite = fs::perms::owner_write | fs::perms::group_write;
  fs::permissions(path, kWrite, writable ? fs::perm_options::add : fs::perm_options::remove);
}

}  // namespace

Store::Store(std::unique_ptr<platform::Database> db, platform::DataFile contents,
             fs::path localFolder, bool ownsLocalFolder, bool syncContents)
    : db_(std::move(db)),
      contents_(std::move(contents)),
      localFolder_(std::move(localFolder)),
      ownsLocalFolder_(ownsLocalFolder),
      syncContents_(syncContents) {
  // A commit that names kept bytes never reaches the disk before them, so not even a power
  // loss leaves a version without its bytes.
  db_->BeforeEachCommit([this] {
    if (!contentsUnsynced_) return;
    if (writeBack_.valid()) writeBack_.get();
    contents_.Sync();
    contentsUnsynced_ = false;
    keptSinceWriteBack_ = 0;
  });
  platform::Statement vault = db_->Prepare("SELECT root_path FROM vault");
  if (!vault.Step()) throw SimError(host::kFail, "the database holds no vault");
  root_ = Normalized(vault.Text(0));
  // A read-only vault may lack it, and can still be read.
  std::error_code ec;
  fs::create_directories(localFolder_, ec);
  if (ec && !db_->ReadOnly())
    throw fs::filesystem_error("cannot make the local folder", localFolder_, ec);
}

host::Date Store::Now() {
  return host::Date{platform::FromCivil(clock_->Now()).value_or(0.0)};
}

Store::~Store() {
  if (!ownsLocalFolder_) return;
  std::error_code ec;
  for (const auto& entry : fs::recursive_directory_iterator(localFolder_, ec))
    fs::permissions(entry.path(), fs::perms::owner_write, fs::perm_options::add, ec);
  fs::remove_all(localFolder_, ec);
}

HResult Store::Guard(const std::function<HResult()>& operation) {
  try {
    return operation();
  } catch (const SimError& error) {
    return error.Code();
  } catch (const platform::SqliteError& error) {
    if (error.Busy()) return kVaultLocked;
    if (error.Full()) return kDiskFull;
    if (error.ReadOnly()) return kWriteProtected;
    return host::kFail;
  } catch (const std::bad_alloc&) {
    return host::kOutOfMemory;
  } catch (const std::exception&) {
    return host::kFail;
  }
}

HResult Store::Write(const std::function<HResult()>& operation) {
  // Bytes kept by a write that does not commit are given back while its lock still holds off
  // other writers, so a failed add leaves nothing behind in the contents file. They are the
  // last ones kept: a write inside another runs before the rest of it.
  struct GiveBack {
    Store& store;
    const bool nested = store.db_->InTransaction();
    const std::optional<std::uint64_t> outer = std::exchange(store.keptFrom_, std::nullopt);
    bool committed = false;
    ~GiveBack() {
      if (!committed && store.keptFrom_) {
        try {
          store.contents_.Truncate(*store.keptFrom_);
          store.contentsSeen_ = std::min(store.contentsSeen_, *store.keptFrom_);
        } catch (const std::system_error&) {
          // Unnamed bytes are never read; they only take room.
        }
        store.keptFrom_.reset();
      }
      if (outer) store.keptFrom_ = outer;
      if (!nested) store.keptFrom_.reset();
    }
  };
  return Guard([&] {
    platform::Transaction transaction(*db_);
    GiveBack giveBack{*this};
    const HResult hr = operation();
    if (host::Failed(hr)) return hr;
    if (InTransactionHook()) InTransactionHook()();
    transaction.Commit();
    giveBack.committed = true;
    return hr;
  });
}

HResult Store::Read(const std::function<HResult()>& operation) {
  return Guard(operation);
}

HResult Store::FindFolder(const std::wstring& path, std::int32_t& folderId) {
  return FolderAt(Normalized(path), folderId);
}

HResult Store::FolderAt(std::wstring_view normalized, std::int32_t& folderId) {
  const auto parts = Below(root_, normalized);
  if (!parts) return host::kFalse;
  std::int32_t id = kRootFolderId;
  for (const std::wstring_view name : *parts) {
    platform::Statement child =
        db_->Query("SELECT id FROM folders WHERE parent_id = ? AND name = ?", id, name);
    if (!child.Step()) return host::kFolderNotFound;
    id = child.Int(0);
  }
  folderId = id;
  return host::kOk;
}

HResult Store::FindFile(const std::wstring& path, std::int32_t& fileId, std::int32_t& folderId) {
  const std::wstring normalized = Normalized(path);
  const std::size_t slash = normalized.find_last_of(L'\\');
  if (slash == std::wstring::npos) return host::kFalse;
  std::int32_t folder = 0;
  const HResult hr = FolderAt(std::wstring_view(normalized).substr(0, slash), folder);
  if (hr == host::kFalse) return Below(root_, normalized) ? host::kFileNotFound : host::kFalse;
  if (hr != host::kOk) return host::kFileNotFound;
  const std::wstring_view name = std::wstring_view(normalized).substr(slash + 1);
  // A file of the folder itself, else one shared into it; asked apart, since a union of the two
  // sorts its rows through a temporary table on every lookup.
  platform::Statement own =
      db_->Query("SELECT id FROM files WHERE folder_id = ? AND name = ?", folder, name);
  if (own.Step()) {
    fileId = own.Int(0);
  } else {
    platform::Statement shared = db_->Query(
        "SELECT f.id FROM files f JOIN shares s ON s.file_id = f.id "
        "WHERE s.folder_id = ? AND f.name = ?",
        folder, name);
    // A name the folder lacks is no vault file, which is no failure: a file written there is
    // added.
    if (!shared.Step()) return host::kFalse;
    fileId = shared.Int(0);
  }
  folderId = folder;
  return host::kOk;
}

std::optional<std::wstring> Store::FolderPath(std::int32_t folderId) {
  std::wstring path;
  for (std::int32_t id = folderId; id != kRootFolderId;) {
    platform::Statement folder = db_->Query("SELECT parent_id, name FROM folders WHERE id = ?", id);
    if (!folder.Step() || folder.IsNull(0)) return std::nullopt;
    path = L'\\' + folder.Text(1) + path;
    id = folder.Int(0);
  }
  return root_ + path;
}

bool Store::FileInFolder(std::int32_t fileId, std::int32_t folderId) {
  return db_
      ->Query(
          "SELECT 1 FROM files WHERE id = ?1 AND folder_id = ?2 UNION ALL "
          "SELECT 1 FROM shares WHERE file_id = ?1 AND folder_id = ?2",
          fileId, folderId)
      .Step();
}

fs::path Store::Native(const std::wstring& windowsPath) const {
  const std::wstring normalized = Normalized(windowsPath);
  const auto parts = Below(root_, normalized);
  if (!parts) return platform::NativePath(windowsPath);
  // Built as one text: a path appended to part by part splits itself again at each part.
  fs::path::string_type native = localFolder_.native();
  for (const std::wstring_view part : *parts) {
    if (!native.empty() && native.back() != fs::path::preferred_separator)
      native += fs::path::preferred_separator;
    native += NativePart<fs::path::string_type>(part);
  }
  return native;
}

// Appended at the end under the write lock, so no other writer appends meanwhile. Bytes of a
// writer killed before its commit stay unnamed and are never read.
std::optional<Stored> Store::KeepLocal(const std::wstring& path) {
  if (!db_->InTransaction()) throw std::logic_error("contents are kept inside a write");
  const std::optional<platform::DataFile> local = platform::DataFile::OpenToRead(Native(path));
  if (!local) return std::nullopt;
  const std::uint64_t at = contents_.Size();
  if (!keptFrom_) keptFrom_ = at;
  const std::uint64_t size = local->CopyTo(0, local->Size(), contents_, at);
  contentsSeen_ = at + size;
  contentsUnsynced_ = syncContents_;
  keptSinceWriteBack_ += syncContents_ ? size : 0;
  if (keptSinceWriteBack_ >= kWriteBackEvery && !WritingBack()) {
    writeBack_ = std::async(std::launch::async, [this] { contents_.Sync(); });
    keptSinceWriteBack_ = 0;
  }
  return Stored{static_cast<std::int64_t>(at), static_cast<std::int64_t>(size)};
}

std::vector<std::string> Store::Problems() {
  std::vector<std::string> problems;
  const auto each = [&](const char* sql, const std::string& what) {
    for (platform::Statement rows = db_->Prepare(sql); rows.Step();)
      problems.push_back(what + " " + platform::ToUtf8(rows.Text(0)));
  };
  for (platform::Statement check = db_->Prepare("PRAGMA integrity_check"); check.Step();) {
    if (check.Text(0) != L"ok") problems.push_back("database: " + platform::ToUtf8(check.Text(0)));
  }
  each("SELECT \"table\" FROM pragma_foreign_key_check", "a dangling reference in");
  each(
      "SELECT name FROM files f WHERE NOT EXISTS "
      "(SELECT 1 FROM versions v WHERE v.file_id = f.id AND v.version = 1)",
      "no first version of");
  each(
      "SELECT f.name FROM versions v JOIN files f ON f.id = v.file_id WHERE v.version > 1 AND "
      "NOT EXISTS (SELECT 1 FROM versions p WHERE p.file_id = v.file_id AND "
      "p.version = v.version - 1)",
      "a version without the one before it of");
  each(
      "SELECT f.name FROM checkouts c JOIN files f ON f.id = c.file_id WHERE c.folder_id <> "
      "f.folder_id AND NOT EXISTS "
      "(SELECT 1 FROM shares s WHERE s.file_id = c.file_id AND s.folder_id = c.folder_id)",
      "checked out in a folder that does not hold it:");
  const std::uint64_t size = contents_.Size();
  for (platform::Statement rows =
           db_->Prepare("SELECT f.name, v.version, v.content_at + v.content_size FROM versions v "
                        "JOIN files f ON f.id = v.file_id");
       rows.Step();) {
    if (static_cast<std::uint64_t>(rows.Int64(2)) > size)
      problems.push_back("the bytes of version " + std::to_string(rows.Int(1)) + " of " +
                         platform::ToUtf8(rows.Text(0)) + " lie past the contents file's end");
  }
  return problems;
}

// The contents file shrinks only by bytes no commit named: a size once seen needs no second
// look.
std::uint64_t Store::ContentsSize(std::uint64_t needed) {
  if (needed > contentsSeen_) contentsSeen_ = contents_.Size();
  return contentsSeen_;
}

// A finished write-back is collected here, so that its failure fails the write that follows.
bool Store::WritingBack() {
  if (!writeBack_.valid()) return false;
  if (writeBack_.wait_for(std::chrono::seconds(0)) != std::future_status::ready) return true;
  writeBack_.get();
  return false;
}

void Store::WriteLocal(const std::wstring& path, Stored content, bool writable) {
  const auto at = static_cast<std::uint64_t>(content.at);
  const auto size = static_cast<std::uint64_t>(content.size);
  // Checked before the local copy is emptied, which a damaged contents file must not cost.
  if (at + size > ContentsSize(at + size))
    throw SimError(host::kFail, "the vault's contents file ends before a version's bytes");
  const fs::path native = Native(path);
  {
    const auto open = [&] {
      if (auto out = platform::DataFile::OpenToReplace(native)) return out;
      // A missing folder or a read-only copy: looked for only when they stop the write.
      fs::create_directories(native.parent_path());
      if (fs::exists(native)) SetWritableNative(native, true);
      return platform::DataFile::OpenToReplace(native);
    };
    std::optional<platform::DataFile> out = open();
    if (!out) throw SimError(host::kFail, "cannot write " + native.string());
    if (contents_.CopyTo(at, size, *out, 0) != size)
      throw SimError(host::kFail, "cannot copy a version's bytes to " + native.string());
  }
  // Set either way: a root user's write opens a read-only copy without making it writable.
  SetWritableNative(native, writable);
}

bool Store::InVault(const std::wstring& path) const {
  return Below(root_, Normalized(path)).has_value();
}

void Store::SetWritable(const std::wstring& path, bool writable) const {
  std::error_code ec;
  const fs::path native = Native(path);
  if (fs::exists(native, ec)) SetWritableNative(native, writable);
}

void Store::RemoveLocal(const std::wstring& path) const {
  std::error_code ec;
  const fs::path native = Native(path);
  if (!fs::exists(native, ec)) return;
  SetWritableNative(native, true);
  fs::remove(native);
}

void Store::CreateLocalFolder(const std::wstring& path) const {
  fs::create_directories(Native(path));
}

namespace testing {
void SetInTransactionHook(std::function<void()> hook) {
  InTransactionHook() = std::move(hook);
}
}  // namespace testing

}  // namespace vendrel::sim
