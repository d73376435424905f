// ActionStore: the dictionary layout, the lock, the change counter and the merge.
#include "actions/ActionStore.h"

#include <algorithm>
#include <optional>
#include <set>
#include <string>

#include "actions/HexStringFile.h"
#include "actions/Number.h"
#include "host/Strings.h"

namespace vendrel::actions {
namespace {

constexpr std::uint32_t kLockPollMs = 50;
constexpr std::int32_t kLockAllowanceMs = 5000;
// Past this the counter starts again at 1.
constexpr std::int32_t kCounterWrapAbove = 268435456;

// The text of the whole set as it goes under key 0, or nothing when the archive failed.
std::optional<std::wstring> SetText(HexStringFile& file, const ActionList& actions) {
  try {
    file.Clear();
    Archive archive(file, Archive::Mode::kStore);
    WriteActionSet(archive, actions);
    return file.ToText();
  } catch (const ArchiveError&) {
  } catch (const FileError&) {
  }
  return std::nullopt;
}

// Reads the stored set into `file`, decoding its text as it arrives. `stored` is false when the
// vault holds no set (or an empty text), `decoded` whether the whole text converted.
host::HResult ReadStoredSet(host::AddInDictionary& dictionary, HexStringFile& file, bool& stored,
                            bool& decoded) {
  HexStringFile::TextDecoder decoder(file);
  std::size_t length = 0;
  bool exists = false;
  const host::HResult read = dictionary.ReadInPieces(
      kActionSetKey,
      [&](std::wstring_view piece, std::size_t left) {
        length += piece.size();
        decoder.Add(piece, left);
      },
      exists);
  stored = exists && length > 0;
  decoded = decoder.Finish();
  return read;
}

// Releases the vault lock on every way out of a load or save.
class LockScope {
 public:
  LockScope(ActionStore& store, host::AddInDictionary& dictionary)
      : store_(store), dictionary_(dictionary) {}
  ~LockScope() { Release(); }
  LockScope(const LockScope&) = delete;
  LockScope& operator=(const LockScope&) = delete;

  void Release() {
    if (store_.LockHeld()) store_.ReleaseLock(dictionary_);
  }

 private:
  ActionStore& store_;
  host::AddInDictionary& dictionary_;
};

}  // namespace

ActionStore::ActionStore(platform::WaitCursor& waitCursor, platform::Clock& clock,
                         platform::MessageBoxes& messageBoxes, CommandFactory factory)
    : waitCursor_(waitCursor), clock_(clock), messageBoxes_(messageBoxes), factory_(factory) {}

bool ActionStore::TakeLock(host::AddInDictionary& dictionary) {
  if (lockHeld_) return true;
  bool forced = false;
  std::int32_t allowance = kLockAllowanceMs;
  for (;;) {
    bool wasSet = false;
    if (host::Failed(dictionary.SetIfAbsent(kLockKey, kLockText, wasSet))) return false;
    if (wasSet) {
      lockHeld_ = true;
      return true;
    }
    clock_.Sleep(kLockPollMs);
    allowance -= kLockPollMs;
    if (allowance < 1) {
      if (forced) return false;
      // Held this long, the lock is taken to be left over by a client that ended without
      // releasing it.
      dictionary.Remove(kLockKey);
      forced = true;
      allowance = kLockAllowanceMs;
    }
  }
}

void ActionStore::ReleaseLock(host::AddInDictionary& dictionary) {
  dictionary.Remove(kLockKey);
  lockHeld_ = false;
}

std::int32_t ActionStore::ReadCounter(host::AddInDictionary& dictionary) {
  std::wstring text;
  bool exists = false;
  if (host::Failed(dictionary.Read(kCounterKey, text, exists))) return -1;
  return exists ? ReadNumber(text) : 0;
}

bool ActionStore::Load(host::VaultSession& vault) {
  const auto cursor = waitCursor_.Begin();
  lastLoad_ = Stored::kNotRead;
  host::Ref<host::AddInDictionary> dictionary;
  const host::HResult found = vault.GetDictionary(kDictionaryName, false, dictionary);
  if (found == host::kFalse) lastLoad_ = Stored::kNothing;
  if (found != host::kOk || !dictionary) return false;
  if (!TakeLock(*dictionary)) return false;
  HexStringFile file;
  bool stored = false;
  bool decoded = false;
  host::HResult read = host::kOk;
  {
    // Key 0 and key 2 are read under one lock, so they come from the same save.
    LockScope lock(*this, *dictionary);
    read = ReadStoredSet(*dictionary, file, stored, decoded);
    if (host::Succeeded(read)) counterAtLoad_ = ReadCounter(*dictionary);
  }
  dictionary = nullptr;

  if (host::Failed(read)) return false;
  if (!stored) {
    lastLoad_ = Stored::kNothing;
    loaded_ = true;
    return true;
  }
  lastLoad_ = Stored::kUnreadable;
  if (!decoded) return false;
  try {
    ReadActionSet(file.TakeBytes(), set_, factory_);
  } catch (const ArchiveError&) {
    return false;
  }
  highestIdAtLoad_ = set_.highestId;
  lastLoad_ = Stored::kRead;
  loaded_ = true;
  return true;
}

bool ActionStore::Save(host::VaultSession& vault) {
  if (lastLoad_ == Stored::kUnreadable) return false;
  const auto cursor = waitCursor_.Begin();
  HexStringFile file;
  std::optional<std::wstring> text = SetText(file, set_.actions);
  if (!text) {
    ShowArchiveError();
    return true;
  }

  host::Ref<host::AddInDictionary> dictionary;
  if (host::Failed(vault.GetDictionary(kDictionaryName, true, dictionary)) || !dictionary) {
    return false;
  }
  if (!TakeLock(*dictionary)) return false;
  LockScope lock(*this, *dictionary);

  const std::int32_t counter = ReadCounter(*dictionary);
  if (counter < 0) return false;
  if (counter != counterAtLoad_ || !loaded_) {
    // Someone saved since this client loaded, or it never read what is stored.
    const std::int32_t highest = Merge(*dictionary);
    if (highest == -1) return false;
    set_.highestId = highest;
    for (const auto& action : set_.actions) {
      if (action && action->actionId > highestIdAtLoad_) action->actionId = ++set_.highestId;
    }
    text = SetText(file, set_.actions);
    if (!text) {
      lock.Release();
      ShowArchiveError();
      return true;
    }
  }

  host::HResult last = dictionary->Write(kActionSetKey, *text);
  if (host::Succeeded(last)) {
    const std::int32_t next = counter > kCounterWrapAbove ? 1 : counter + 1;
    last = dictionary->Write(kCounterKey, std::to_wstring(next));
    if (host::Succeeded(last)) counterAtLoad_ = next;
  }
  return host::Succeeded(last);
}

std::int32_t ActionStore::Merge(host::AddInDictionary& dictionary) {
  const std::int32_t atLoad = highestIdAtLoad_;
  HexStringFile file;
  bool stored = false;
  bool decoded = false;
  if (host::Failed(ReadStoredSet(dictionary, file, stored, decoded))) return -1;
  if (!stored) return atLoad;
  if (!decoded) return -1;

  ActionList& list = set_.actions;
  std::int32_t largest = atLoad;
  std::set<std::int32_t> present;
  try {
    Archive archive(file, Archive::Mode::kLoad);
    const SetHeader header = ReadSetHeader(archive);
    for (std::int32_t i = 0; i < header.count; ++i) {
      auto stored = std::make_unique<Action>();
      ReadAction(archive, *stored, header.version, factory_);
      const std::int32_t id = stored->actionId;
      largest = std::max(largest, id);
      if (id > atLoad) {
        // Added by another administrator since this client loaded.
        list.push_back(std::move(stored));
        continue;
      }
      present.insert(id);
      const auto mine = std::find_if(list.begin(), list.end(),
                                     [id](const auto& a) { return a && a->actionId == id; });
      // An unchanged copy takes the stored version; a local change wins, and an action removed
      // here stays removed.
      if (mine != list.end() && !(*mine)->changedMark) *mine = std::move(stored);
    }
  } catch (const ArchiveError&) {
    return -1;
  }
  // Removed by another administrator: that wins even over a local change.
  std::erase_if(list, [&](const auto& a) {
    return a && a->actionId <= atLoad && !present.contains(a->actionId);
  });
  return largest;
}

void ActionStore::ShowArchiveError() {
  platform::MessageBoxRequest request;
  request.text = strings::Load(4, L"Error creating archive");
  request.caption = L"Vendrel";
  request.style = platform::mb::kOk;
  messageBoxes_.Show(request);
}

}  // namespace vendrel::actions
