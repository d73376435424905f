// Storage of a vault's actions in its add-in dictionary: load, save with a vault-wide lock, and
// the merge with what other clients saved in the meantime.
#pragma once

#include <cstdint>

#include "actions/ActionArchive.h"
#include "host/Vault.h"
#include "platform/System.h"
#include "platform/Ui.h"

namespace vendrel::actions {

inline constexpr wchar_t kDictionaryName[] = L"VornAddInDict";
inline constexpr std::int32_t kActionSetKey = 0;
inline constexpr std::int32_t kLockKey = 1;
inline constexpr std::int32_t kCounterKey = 2;
inline constexpr wchar_t kLockText[] = L"Busy";

class ActionStore {
 public:
  // What the last load found: a vault with nothing stored yet may be saved to; one whose stored
  // set is damaged may not, or the set would be lost. A vault that did not answer (a host
  // error, the lock not had) may be saved to once it answers: the save merges what it holds.
  enum class Stored { kNotAsked, kNothing, kRead, kUnreadable, kNotRead };

  // The services are borrowed and must outlive the store.
  ActionStore(platform::WaitCursor& waitCursor, platform::Clock& clock,
              platform::MessageBoxes& messageBoxes, CommandFactory factory);

  // Replaces the in-memory actions by the vault's. Fails quietly when the vault has no
  // dictionary, the lock cannot be had or the stored text is damaged.
  bool Load(host::VaultSession& vault);
  // Writes the in-memory actions, merging first when another client saved since the load, or
  // when no load has read the stored set yet. Refuses after a load that found it damaged.
  bool Save(host::VaultSession& vault);

  // Polls every 50 ms; after 5 s the lock is taken to be left over and removed, once.
  bool TakeLock(host::AddInDictionary& dictionary);
  void ReleaseLock(host::AddInDictionary& dictionary);
  // The stored change counter: -1 when it cannot be read, 0 when there is none.
  std::int32_t ReadCounter(host::AddInDictionary& dictionary);
  // Folds the stored actions into the in-memory list; the new highest id, or -1.
  std::int32_t Merge(host::AddInDictionary& dictionary);

  ActionSet& Set() { return set_; }
  const ActionSet& Set() const { return set_; }
  std::int32_t HighestIdAtLoad() const { return highestIdAtLoad_; }
  std::int32_t CounterAtLoad() const { return counterAtLoad_; }
  bool LockHeld() const { return lockHeld_; }
  bool Loaded() const { return loaded_; }
  Stored LastLoad() const { return lastLoad_; }

 private:
  // Reports a failed archive write; the save then counts as done.
  void ShowArchiveError();

  platform::WaitCursor& waitCursor_;
  platform::Clock& clock_;
  platform::MessageBoxes& messageBoxes_;
  CommandFactory factory_;

  ActionSet set_;
  std::int32_t highestIdAtLoad_ = kNoActionId;
  bool lockHeld_ = false;
  std::int32_t counterAtLoad_ = 0;
  bool loaded_ = false;
  Stored lastLoad_ = Stored::kNotAsked;
};

}  // namespace vendrel::actions
