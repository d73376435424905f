// One open vault: its database, where its files lie on disk, and the rules every operation
// shares (one transaction each, path lookups, the local copies of files).
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <future>
#include <memory>
#include <optional>
#include <source_location>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "host/Status.h"
#include "host/Value.h"
#include "platform/DataFile.h"
#include "platform/Sqlite.h"
#include "platform/System.h"
#include "sim/Dates.h"
#include "sim/Faults.h"

namespace vendrel::sim {

inline constexpr std::int32_t kRootFolderId = 1;

// What stops the vault's database, as the system's status codes: another client holds the
// vault, the disk is full, the vault's files cannot be written.
inline constexpr host::HResult kVaultLocked = host::MakeCode(0x80070021);
inline constexpr host::HResult kDiskFull = host::MakeCode(0x80070070);
inline constexpr host::HResult kWriteProtected = host::MakeCode(0x80070013);

// A failure of the simulated host; inside operations it becomes their status code.
class SimError : public std::runtime_error {
 public:
  SimError(host::HResult code, const std::string& what) : std::runtime_error(what), code_(code) {}
  host::HResult Code() const { return code_; }

 private:
  host::HResult code_;
};

// Where a version's bytes lie in the contents file.
struct Stored {
  std::int64_t at;
  std::int64_t size;
};

class Store {
 public:
  // `contents` holds the versions' bytes; `ownsLocalFolder`: the folder is temporary and
  // removed with the store; `syncContents`: the bytes reach the disk before the commit that
  // names them.
  Store(std::unique_ptr<platform::Database> db, platform::DataFile contents,
        std::filesystem::path localFolder, bool ownsLocalFolder, bool syncContents = true);
  ~Store();
  Store(const Store&) = delete;
  Store& operator=(const Store&) = delete;

  platform::Database& Db() { return *db_; }
  // The vault's root in Windows form, without a trailing backslash.
  const std::wstring& RootPath() const { return root_; }
  const std::filesystem::path& LocalFolder() const { return localFolder_; }
  // The local time that versions and messages are stamped with, from the machine's clock
  // unless another is used.
  host::Date Now();
  void UseClock(platform::Clock& clock) { clock_ = &clock; }

  // Every host operation starts here: kOk, or the failure a test planned for it.
  host::HResult Enter(std::source_location where = std::source_location::current()) {
    return faults_.Enter(where);
  }
  Faults& GetFaults() { return faults_; }
  // What breaks the vault's own rules, one line each; empty for a consistent vault: the
  // database's checks, versions without their bytes or their predecessor, check-outs in folders
  // that do not hold the file.
  std::vector<std::string> Problems();

  // Runs a host operation as one immediate transaction, committed only when it succeeds.
  // Exceptions become status codes, so none leaves an operation.
  host::HResult Write(const std::function<host::HResult()>& operation);
  // Runs a reading host operation; exceptions become status codes.
  host::HResult Read(const std::function<host::HResult()>& operation);

  // kOk with the folder id; kFalse outside the vault; kFolderNotFound inside it.
  host::HResult FindFolder(const std::wstring& path, std::int32_t& folderId);
  // kOk with the file and the folder it was found in; kFalse outside the vault.
  host::HResult FindFile(const std::wstring& path, std::int32_t& fileId, std::int32_t& folderId);
  // Windows path of a folder; empty when there is no such folder.
  std::optional<std::wstring> FolderPath(std::int32_t folderId);
  // Whether the file lies in the folder, as its home or shared into it.
  bool FileInFolder(std::int32_t fileId, std::int32_t folderId);

  // Where a Windows path lies on disk: inside the vault under the local folder, elsewhere
  // through the platform's mapping.
  std::filesystem::path Native(const std::wstring& windowsPath) const;
  // Whether a Windows path lies at or below the vault's root.
  bool InVault(const std::wstring& windowsPath) const;
  // Keeps the bytes of a local file in the contents file, inside a write; empty when the file
  // cannot be read.
  std::optional<Stored> KeepLocal(const std::wstring& path);
  // Writes a local copy of kept bytes; read-only unless `writable`, as a vault's local view
  // keeps files that are not checked out.
  void WriteLocal(const std::wstring& path, Stored content, bool writable);
  void SetWritable(const std::wstring& path, bool writable) const;
  void RemoveLocal(const std::wstring& path) const;
  void CreateLocalFolder(const std::wstring& path) const;

 private:
  host::HResult Guard(const std::function<host::HResult()>& operation);
  // FindFolder of a path already normalized.
  host::HResult FolderAt(std::wstring_view normalized, std::int32_t& folderId);
  bool WritingBack();
  // The size of the contents file, looked at anew only when `needed` lies beyond what was seen.
  std::uint64_t ContentsSize(std::uint64_t needed);

  std::unique_ptr<platform::Database> db_;
  Faults faults_;
  platform::DataFile contents_;
  // Bytes kept since the last commit, synced before the next one names them.
  bool contentsUnsynced_ = false;
  // A sync of the bytes kept so far, run while more are kept, so that the sync before a commit
  // of many versions waits only for the last of them. Declared after the file it syncs, so it
  // is waited for before that closes.
  std::future<void> writeBack_;
  std::uint64_t keptSinceWriteBack_ = 0;
  std::uint64_t contentsSeen_ = 0;
  // Where the bytes kept by the write under way begin; given back when it does not commit.
  std::optional<std::uint64_t> keptFrom_;
  std::wstring root_;
  std::filesystem::path localFolder_;
  bool ownsLocalFolder_;
  bool syncContents_;
  platform::Clock* clock_ = &platform::SystemClock();
};

namespace testing {
// Called inside the transaction of every writing operation, after its changes and before the
// commit: a test kills the process there. Empty to remove.
void SetInTransactionHook(std::function<void()> hook);
}  // namespace testing

}  // namespace vendrel::sim
