// Reading the sets that lint and diff compare.
#include "tools/vendrel/workbench/ActionSets.h"

#include <algorithm>
#include <memory>

#include "actions/ActionArchive.h"
#include "actions/ActionStore.h"
#include "actions/HexStringFile.h"
#include "commands/core/CmdFactory.h"
#include "sim/Store.h"
#include "tools/vendrel/ActionJson.h"
#include "tools/vendrel/Command.h"
#include "tools/vendrel/Files.h"
#include "tools/vendrel/Host.h"

namespace vendrel::tools {

namespace {

// A file named .json is read as JSON whatever it begins with, so its fault is told as JSON's.
bool IsJson(const std::string& source, const Bytes& bytes) {
  if (source.ends_with(".json")) return true;
  const auto first = std::find_if(bytes.begin(), bytes.end(), [](std::uint8_t b) {
    return b != ' ' && b != '\t' && b != '\r' && b != '\n';
  });
  return first != bytes.end() && *first == '{';
}

// The text under the key, or the failed status of the host.
host::HResult ReadSetText(VaultHost& host, std::wstring& text) {
  host::Ref<host::AddInDictionary> dictionary;
  const host::HResult found =
      host.Session().GetDictionary(actions::kDictionaryName, false, dictionary);
  if (found == host::kFalse) return host::kOk;
  if (host::Failed(found)) return found;
  if (!dictionary) return host::kPointer;
  bool exists = false;
  return dictionary->Read(actions::kActionSetKey, text, exists);
}

// What to do after a failure of the vault's disk or of the vault itself.
constexpr char kMakeRoom[] = ": make room on that disk and try again";
constexpr char kRetry[] = ": try again, and check the vault's disk if it keeps failing";

}  // namespace

std::string UnreadableText(Unreadable why, const std::string& consequence) {
  switch (why) {
    case Unreadable::kDamaged:
      return "the vault's stored actions are damaged and cannot be read; " + consequence +
             ": restore the vault from a backup, then import the actions again";
    case Unreadable::kLocked:
      return "the vault's stored actions are locked by another client; " + consequence +
             ": try again once the other client is done";
    case Unreadable::kDiskFull:
      return "the disk holding the vault is full, so the stored actions could not be locked; " +
             consequence + kMakeRoom;
    case Unreadable::kHostError:
      break;
  }
  return "the vault failed to read its stored actions; " + consequence + kRetry;
}

std::string UnsavedText(VaultHost& host, const std::string& consequence) {
  switch (LockFailure(host)) {
    case Unreadable::kLocked:
      return UnreadableText(Unreadable::kLocked, consequence);
    case Unreadable::kDiskFull:
      return "the disk holding the vault is full, so the actions could not be stored; " +
             consequence + kMakeRoom;
    default:
      return "the vault failed to store the actions; " + consequence + kRetry;
  }
}

std::wstring StoredSetText(VaultHost& host) {
  std::wstring text;
  if (host::Failed(ReadSetText(host, text))) {
    throw UsageError(UnreadableText(Unreadable::kHostError, "nothing was read"));
  }
  return text;
}

std::optional<Unreadable> ReadStoredSet(VaultHost& host, actions::ActionSet& set) {
  std::wstring text;
  if (host::Failed(ReadSetText(host, text))) return Unreadable::kHostError;
  if (text.empty()) return std::nullopt;
  try {
    actions::ReadActionSet(HexToBytes(text), set, commands::CreateCmd);
  } catch (const std::exception&) {
    return Unreadable::kDamaged;
  }
  return std::nullopt;
}

Unreadable LockFailure(VaultHost& host) {
  host::Ref<host::AddInDictionary> dictionary;
  bool wasSet = false;
  // Made when missing, as a save would: what keeps it from being made tells why.
  host::HResult hr = host.Session().GetDictionary(actions::kDictionaryName, true, dictionary);
  if (hr == host::kOk && dictionary) {
    hr = dictionary->SetIfAbsent(actions::kLockKey, actions::kLockText, wasSet);
    if (host::Succeeded(hr) && wasSet) {
      dictionary->Remove(actions::kLockKey);
      return Unreadable::kHostError;  // nobody held it
    }
  }
  if (hr == sim::kDiskFull) return Unreadable::kDiskFull;
  if (host::Failed(hr) && hr != sim::kVaultLocked) return Unreadable::kHostError;
  return Unreadable::kLocked;
}

Json StoredSetJson(VaultHost& host) {
  const std::wstring text = StoredSetText(host);
  try {
    if (!text.empty()) return VaultSetToJson(HexToBytes(text), DefaultCodec());
  } catch (const JsonError&) {
    throw UsageError(UnreadableText(Unreadable::kDamaged, "nothing was read"));
  }
  return {
      {"format", "vault-set"}, {"version", actions::kArchiveVersion}, {"actions", Json::array()}};
}

void StoreSetJson(VaultHost& host, Json set) {
  // The two forms hold the same actions; a vault set's version names the same layout.
  if (set.value("format", "") == "action-file") {
    set["format"] = "vault-set";
    set.erase("header");
  }
  const Bytes bytes = JsonToBytes(set, DefaultCodec());
  host::Ref<host::AddInDictionary> dictionary;
  if (host.Session().GetDictionary(actions::kDictionaryName, true, dictionary) != host::kOk) {
    throw std::runtime_error("the vault has no dictionary for the add-in");
  }
  dictionary->Write(actions::kActionSetKey, BytesToHex(bytes));
  dictionary->Write(actions::kCounterKey, L"1");
}

Json ActionsJson(const actions::ActionList& list) {
  std::vector<const actions::Action*> pointers;
  for (const auto& action : list) pointers.push_back(action.get());
  actions::HexStringFile file;
  actions::Archive archive(file, actions::Archive::Mode::kStore);
  actions::WriteActionFile(archive, pointers);
  return ActionFileToJson(file.TakeBytes(), DefaultCodec());
}

Json LoadSetJson(Call& call, const std::string& source) {
  if (source == "vault") return StoredSetJson(call.Reader());
  const Bytes bytes = ReadBytes(source, "actions");
  try {
    if (IsJson(source, bytes)) return ReadJson(source, "actions");
    return ActionFileToJson(bytes, DefaultCodec());
  } catch (const JsonError& e) {
    throw UsageError(source + " is neither an action file nor actions in JSON: " + e.what());
  }
}

std::vector<LintSubject> LoadLintSubjects(Call& call, const std::string& source) {
  if (source == "vault") {
    actions::ActionSet set;
    if (const auto why = ReadStoredSet(call.Reader(), set)) {
      throw UsageError(UnreadableText(*why, "nothing was checked"));
    }
    return LintSubjects(std::move(set.actions));
  }
  const Bytes bytes = ReadBytes(source, "actions");
  if (IsJson(source, bytes)) return LintSubjectsOfJson(ReadJson(source, "actions"));
  actions::HexStringFile file;
  actions::ActionList loaded;
  try {
    file.FromText(BytesToHex(bytes));
    actions::Archive archive(file, actions::Archive::Mode::kLoad);
    if (!actions::ReadActionFile(archive, loaded, commands::CreateCmd)) {
      throw UsageError(source + " is neither an action file nor actions in JSON");
    }
  } catch (const actions::ArchiveError&) {
    throw UsageError(source + " holds damaged actions or kinds this build cannot make");
  } catch (const actions::FileError&) {
    throw UsageError(source + " holds damaged actions or kinds this build cannot make");
  }
  return LintSubjects(std::move(loaded));
}

LintVault LintVaultOf(Call& call) {
  LintVault facts;
  if (!call.Global().vault) return facts;
  VaultHost& host = call.Reader();
  facts.rootPath = host.Vault().RootPath();
  host::Ref<host::VariableManager> manager;
  std::vector<host::CardVariableInfo> variables;
  if (host::Succeeded(host.Session().Variables(manager)) && manager &&
      host::Succeeded(manager->Variables(variables))) {
    facts.cardVariables = std::move(variables);
  }
  facts.stateIds.emplace();
  for (const sim::Workflow& workflow : host.Vault().Workflows()) {
    for (const sim::WorkflowState& state : workflow.states) facts.stateIds->push_back(state.id);
  }
  return facts;
}

}  // namespace vendrel::tools
