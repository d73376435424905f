// The simulated vault host: creates and opens vaults, logs clients in, and offers the
// administration that the add-in's interfaces do not have (users, workflows, card variables...).
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "host/Vault.h"
#include "sim/Cards.h"
#include "sim/Store.h"

namespace vendrel::sim {

struct VaultSettings {
  std::wstring name = L"Vault";
  // The vault's root in Windows form.
  std::wstring rootPath = L"C:\\Vault";
  // Where the root's files lie on disk; empty: where the platform maps the root path.
  std::filesystem::path localFolder;
};

struct InboxMessage {
  std::wstring sender;
  std::wstring group;  // empty unless the message was sent to a group
  std::wstring subject;
  std::wstring text;
  host::Date sent;
};

using WorkflowState = host::WorkflowStateInfo;
using Workflow = host::WorkflowInfo;

struct StoredBatchError {
  std::int32_t batch = 0;
  host::BatchError error;
};

// Where the vault's data stands: commits of other connections move `others`, this connection's
// own writes move `own`, even those rolled back. Equal marks: nothing changed in between.
struct ChangeMark {
  std::int64_t others = 0;
  std::int64_t own = 0;
  bool operator==(const ChangeMark&) const = default;
};

// What the host's own report says of a file.
struct FileSummary {
  std::wstring name;
  std::int32_t version = 0;  // 0 before the first version
  std::wstring state;
  std::wstring checkedOutBy;  // empty unless checked out
  std::wstring computer;
};

// Whether a commit waits until the disk holds it. A vault made for one run and thrown away
// afterwards has nothing to keep over a power loss.
enum class Durability { kSynced, kThrowaway };

class SimVault {
 public:
  // Fails (SimError kNameAlreadyExists) when the database file exists already.
  static std::unique_ptr<SimVault> Create(const std::filesystem::path& database,
                                          const VaultSettings& settings);
  // `localFolder` empty: where the platform maps the vault's root path. A vault whose files
  // cannot be written opens for reading only.
  static std::unique_ptr<SimVault> Open(const std::filesystem::path& database,
                                        const std::filesystem::path& localFolder = {},
                                        Durability durability = Durability::kSynced);
  // A private vault in memory, its files in a temporary folder removed with it.
  static std::unique_ptr<SimVault> CreateInMemory(VaultSettings settings = {});
  // The file beside the database that holds the bytes of every version.
  static std::filesystem::path ContentsFile(const std::filesystem::path& database);

  explicit SimVault(std::shared_ptr<Store> store) : store_(std::move(store)) {}

  // A session of a vault user working on a computer; kNotLoggedIn for an unknown user.
  host::HResult Login(const std::wstring& user, const std::wstring& computer,
                      host::Ref<host::VaultSession>& session);

  const std::wstring& RootPath() const { return store_->RootPath(); }
  const std::filesystem::path& LocalFolder() const { return store_->LocalFolder(); }
  // Versions and messages are stamped by this clock from now on.
  void UseClock(platform::Clock& clock) { store_->UseClock(clock); }
  // For the simulation's own tests; other callers use the methods below.
  Store& GetStore() { return *store_; }
  // Opened from files that cannot be written: every writing operation fails.
  bool ReadOnly() const { return store_->Db().ReadOnly(); }

  // Many reads in one snapshot instead of a read transaction each.
  platform::ReadTransaction Snapshot() { return platform::ReadTransaction(store_->Db()); }
  // Many writes committed at once; each host call inside it is a savepoint of its own.
  platform::Transaction Batch() { return platform::Transaction(store_->Db()); }
  ChangeMark Changes();

  // Administration. Each call is one transaction; failures throw SimError or SqliteError.
  void SetHostVersion(std::int32_t major, std::int32_t minor);
  std::int32_t AddUser(const std::wstring& name);
  std::int32_t AddGroup(const std::wstring& name);
  void AddMember(const std::wstring& group, const std::wstring& user);
  // kInvalidGroupName for a group the vault lacks.
  void RemoveMember(const std::wstring& group, const std::wstring& user);
  // The user leaves the vault with their inbox and memberships; kFileIsLocked while they hold
  // a file checked out.
  void RemoveUser(const std::wstring& name);
  void RemoveGroup(const std::wstring& name);
  // In the order they were added: the first is the vault's administrator.
  std::vector<std::wstring> Users();
  // Each group with its members.
  std::vector<std::pair<std::wstring, std::vector<std::wstring>>> Groups();
  // The states in their order; the first is where new files start.
  std::int32_t AddWorkflow(const std::wstring& name, const std::vector<std::wstring>& states);
  std::int32_t StateId(const std::wstring& workflow, const std::wstring& state);
  std::vector<Workflow> Workflows();
  void AddTransition(const std::wstring& workflow, const std::wstring& from, const std::wstring& to,
                     const std::wstring& name);
  // New files enter this workflow's first state.
  void SetDefaultWorkflow(const std::wstring& workflow);
  // Puts a file into a state without a transition.
  void SetState(std::int32_t fileId, std::int32_t stateId);
  // Type 1 text, 2 integer, 3 floating point, 4 yes/no, 5 date. Flag bits 4 and 8: values may
  // be written without a check-out.
  std::int32_t AddVariable(const std::wstring& name, std::int32_t type, std::int32_t flags = 0);
  // Another type and flags for a variable, with every value it holds converted to the type; a
  // value that does not convert (kTypeMismatch) leaves it all as it was.
  void RedefineVariable(const std::wstring& name, std::int32_t type, std::int32_t flags);
  // The variable goes with every value it holds; their number.
  int RemoveVariable(const std::wstring& name);
  // The value is converted to the variable's type; an empty configuration is the value for
  // all configurations.
  void SetCardValue(CardOwner owner, std::int32_t id, const std::wstring& variable,
                    const std::wstring& configuration, const host::Value& value);
  host::Value CardValue(CardOwner owner, std::int32_t id, const std::wstring& variable,
                        const std::wstring& configuration);
  // A configuration that is not named again takes the file's card values for it along; their
  // number.
  int SetConfigurations(std::int32_t fileId, const std::vector<std::wstring>& names);
  std::vector<std::wstring> Configurations(std::int32_t fileId);
  // Batch commits report `code` for every card value of the file or folder from now on; kOk
  // lets them through again.
  void RefuseCardWrites(CardOwner owner, std::int32_t id, host::HResult code);
  void SetRevision(std::int32_t fileId, const std::wstring& revision);
  // Makes the file appear in another folder too.
  void ShareFile(std::int32_t fileId, std::int32_t folderId);
  void SetErrorText(host::HResult code, const std::wstring& name, const std::wstring& description);
  void SetHostString(const std::wstring& file, const std::wstring& section, std::int32_t id,
                     const std::wstring& text);

  // A user's state change along a transition of the file's workflow: kStateNotFound for a
  // state the workflow lacks, kConditionsNotMet without a transition from the current state,
  // kFileIsLocked while the file is checked out.
  host::HResult ChangeState(std::int32_t fileId, const std::wstring& state,
                            const std::wstring& user);

  // Files' names, latest versions, states and check-outs by file id, asked in one statement, as
  // the files' own calls answer them; a file the vault no longer has is left out.
  std::unordered_map<std::int32_t, FileSummary> Summaries(const std::vector<std::int32_t>& fileIds);

  std::vector<InboxMessage> Inbox(const std::wstring& user);
  std::vector<StoredBatchError> BatchErrors();

 private:
  std::int32_t UserId(const std::wstring& name);
  std::int32_t VariableId(const std::wstring& name);

  std::shared_ptr<Store> store_;
};

}  // namespace vendrel::sim
