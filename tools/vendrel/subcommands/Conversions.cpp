// Offline conversions between action files, vault hex text and the JSON form.
#include <ostream>

#include "tools/vendrel/ActionJson.h"
#include "tools/vendrel/Command.h"
#include "tools/vendrel/Files.h"

namespace vendrel::tools {
namespace {

// The document must be of the container the command converts to.
void ExpectFormat(const Json& json, const wchar_t* format) {
  const Json* given = json.Find("format");
  if (given == nullptr || !given->IsString() || given->AsString("format") != format) {
    throw UsageError("the JSON document is not of format \"" + Utf8(format) + "\"");
  }
}

const std::string& OnlyArgument(const Call& call) {
  if (call.Arguments().size() != 1) throw call.Misused();
  return call.Arguments()[0];
}

}  // namespace

int RunActionFileToJson(Call& call) {
  call.Out() << ActionFileToJson(ReadBytes(OnlyArgument(call)), DefaultCodec()).Write();
  return kExitOk;
}

int RunJsonToActionFile(Call& call) {
  const std::string& input = OnlyArgument(call);
  const auto output = call.Value("-o");
  if (!output) throw call.Misused();
  const Json json = ReadJson(input);
  ExpectFormat(json, L"action-file");
  WriteBytes(*output, JsonToBytes(json, DefaultCodec()));
  return kExitOk;
}

int RunHexToJson(Call& call) {
  call.Out() << VaultSetToJson(HexToBytes(Wide(OnlyArgument(call))), DefaultCodec()).Write();
  return kExitOk;
}

int RunJsonToHex(Call& call) {
  const Json json = ReadJson(OnlyArgument(call));
  ExpectFormat(json, L"vault-set");
  call.Out() << Utf8(BytesToHex(JsonToBytes(json, DefaultCodec()))) << "\n";
  return kExitOk;
}

}  // namespace vendrel::tools
