// Offline conversions between action files, vault hex text and the JSON form.
#include <ostream>

#include "tools/vendrel/ActionJson.h"
#include "tools/vendrel/Command.h"
#include "tools/vendrel/Files.h"
#include "tools/vendrel/Json.h"

namespace vendrel::tools {
namespace {

// The document must be of the container the command converts to.
void ExpectFormat(const Json& json, const char* format) {
  const auto given = json.find("format");
  if (given == json.end() || *given != format) {
    throw UsageError(std::string("the JSON document is not of format \"") + format + "\"");
  }
}

const std::string& OnlyArgument(const Call& call) {
  if (call.Arguments().size() != 1) throw call.Misused();
  return call.Arguments()[0];
}

}  // namespace

int RunActionFileToJson(Call& call) {
  call.Out() << WriteJson(ActionFileToJson(ReadBytes(OnlyArgument(call)), DefaultCodec()));
  return kExitOk;
}

int RunJsonToActionFile(Call& call) {
  const std::string& input = OnlyArgument(call);
  const Json json = ReadJson(input);
  ExpectFormat(json, "action-file");
  WriteBytes(call.Opt().output, JsonToBytes(json, DefaultCodec()));
  return kExitOk;
}

int RunHexToJson(Call& call) {
  call.Out() << WriteJson(VaultSetToJson(HexToBytes(Wide(OnlyArgument(call))), DefaultCodec()));
  return kExitOk;
}

int RunJsonToHex(Call& call) {
  const Json json = ReadJson(OnlyArgument(call));
  ExpectFormat(json, "vault-set");
  call.Out() << Utf8(BytesToHex(JsonToBytes(json, DefaultCodec()))) << "\n";
  return kExitOk;
}

}  // namespace vendrel::tools
