// Sets of actions as the workbench commands name them: an action file, a JSON file, or "vault"
// for the set the vault stores.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "actions/ActionArchive.h"
#include "tools/vendrel/Cli.h"
#include "tools/vendrel/Json.h"
#include "tools/vendrel/workbench/Lint.h"

namespace vendrel::tools {

class Call;
class VaultHost;

// Why a stored set could not be read or locked.
enum class Unreadable { kDamaged, kLocked, kDiskFull, kHostError };
// One sentence: the cause, `consequence` ("nothing was changed") and what to do.
std::string UnreadableText(Unreadable why, const std::string& consequence);
// Why a save of the stored actions failed, asked of the vault afterwards.
std::string UnsavedText(VaultHost& host, const std::string& consequence);

// The vault's stored set as its hex text, empty when it stores none yet. Read without the
// stored actions' lock: the text is written in one operation, so it is always one save's whole.
// Throws UsageError when it cannot be read.
std::wstring StoredSetText(VaultHost& host);
// The stored set read the same way into `set`; why not when it cannot be.
std::optional<Unreadable> ReadStoredSet(VaultHost& host, actions::ActionSet& set);
// Why the stored actions' lock cannot be had now, asked once without waiting; kHostError when
// it can.
Unreadable LockFailure(VaultHost& host);

// The vault's stored set in its JSON form; an empty set when it stores none yet.
Json StoredSetJson(VaultHost& host);

// Stores a set in either JSON form as the vault's whole set, as an administrator's OK would.
// Throws JsonError for a faulty set.
void StoreSetJson(VaultHost& host, Json set);

// Actions in the JSON form of an action file.
Json ActionsJson(const actions::ActionList& list);

// The set in its JSON form. Throws UsageError for a file that is neither.
Json LoadSetJson(Call& call, const std::string& source);

// The set as lint takes it: an action file or the vault read through the archive, JSON through
// its adapter. Throws UsageError for a file that is neither.
std::vector<LintSubject> LoadLintSubjects(Call& call, const std::string& source);

// What the vault of --vault tells lint; nothing without a vault.
LintVault LintVaultOf(Call& call);

}  // namespace vendrel::tools
