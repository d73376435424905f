// Reading the sets that lint and diff compare.
#include "tools/vendrel/workbench/ActionSets.h"

#include <algorithm>

#include "actions/ActionArchive.h"
#include "actions/ActionStore.h"
#include "actions/HexStringFile.h"
#include "commands/core/CmdFactory.h"
#include "tools/vendrel/ActionJson.h"
#include "tools/vendrel/Command.h"
#include "tools/vendrel/Files.h"
#include "tools/vendrel/Host.h"

namespace vendrel::tools {

namespace {

// The hex text of the vault's stored set; empty when it stores none yet.
std::wstring StoredSetText(VaultHost& host) {
  host::Ref<host::AddInDictionary> dictionary;
  std::wstring text;
  bool exists = false;
  if (host.Session().GetDictionary(actions::kDictionaryName, false, dictionary) != host::kOk ||
      !dictionary || host::Failed(dictionary->Read(actions::kActionSetKey, text, exists))) {
    return {};
  }
  return text;
}

bool IsJson(const Bytes& bytes) {
  const auto first = std::find_if(bytes.begin(), bytes.end(), [](std::uint8_t b) {
    return b != ' ' && b != '\t' && b != '\r' && b != '\n';
  });
  return first != bytes.end() && *first == '{';
}

}  // namespace

Json StoredSetJson(VaultHost& host) {
  const std::wstring text = StoredSetText(host);
  if (!text.empty()) return VaultSetToJson(HexToBytes(text), DefaultCodec());
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
  if (source == "vault") return StoredSetJson(call.Host());
  const Bytes bytes = ReadBytes(source);
  try {
    if (IsJson(bytes)) return ReadJson(source);
    return ActionFileToJson(bytes, DefaultCodec());
  } catch (const JsonError& e) {
    throw UsageError(source + " is neither an action file nor actions in JSON: " + e.what());
  }
}

std::vector<LintSubject> LoadLintSubjects(Call& call, const std::string& source) {
  const Bytes bytes = source == "vault" ? Bytes() : ReadBytes(source);
  if (source != "vault" && IsJson(bytes)) return LintSubjectsOfJson(ReadJson(source));
  actions::HexStringFile file;
  actions::ActionList loaded;
  try {
    if (source == "vault") {
      file.FromText(StoredSetText(call.Host()));
      actions::Archive archive(file, actions::Archive::Mode::kLoad);
      actions::ActionSet set;
      if (file.GetLength() > 0) actions::ReadActionSet(archive, set, commands::CreateCmd);
      loaded = std::move(set.actions);
    } else {
      file.FromText(BytesToHex(bytes));
      actions::Archive archive(file, actions::Archive::Mode::kLoad);
      if (!actions::ReadActionFile(archive, loaded, commands::CreateCmd)) {
        throw UsageError(source + " is neither an action file nor actions in JSON");
      }
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
  VaultHost& host = call.Host();
  facts.rootPath = host.Vault().RootPath();
  facts.cardVariables = host.Vault().VariableNames();
  return facts;
}

}  // namespace vendrel::tools
