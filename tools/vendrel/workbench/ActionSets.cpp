// Reading the sets that lint and diff compare.
#include "tools/vendrel/workbench/ActionSets.h"

#include <algorithm>

#include "actions/ActionStore.h"
#include "tools/vendrel/ActionJson.h"
#include "tools/vendrel/Command.h"
#include "tools/vendrel/Files.h"
#include "tools/vendrel/Host.h"

namespace vendrel::tools {

Json StoredSetJson(VaultHost& host) {
  host::Ref<host::AddInDictionary> dictionary;
  std::wstring text;
  bool exists = false;
  if (host.Session().GetDictionary(actions::kDictionaryName, false, dictionary) == host::kOk &&
      dictionary && !host::Failed(dictionary->Read(actions::kActionSetKey, text, exists)) &&
      !text.empty()) {
    return VaultSetToJson(HexToBytes(text), DefaultCodec());
  }
  return {
      {"format", "vault-set"}, {"version", actions::kArchiveVersion}, {"actions", Json::array()}};
}

Json LoadSetJson(Call& call, const std::string& source) {
  if (source == "vault") return StoredSetJson(call.Host());
  const Bytes bytes = ReadBytes(source);
  const auto first = std::find_if(bytes.begin(), bytes.end(), [](std::uint8_t b) {
    return b != ' ' && b != '\t' && b != '\r' && b != '\n';
  });
  try {
    if (first != bytes.end() && *first == '{') return ReadJson(source);
    return ActionFileToJson(bytes, DefaultCodec());
  } catch (const JsonError& e) {
    throw UsageError(source + " is neither an action file nor actions in JSON: " + e.what());
  }
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
