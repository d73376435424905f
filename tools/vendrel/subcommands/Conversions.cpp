// Offline conversions between action files, vault hex text and the JSON form.
#include <cctype>
#include <istream>
#include <iterator>
#include <ostream>
#include <string_view>

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

// A file, or standard input for "-" or no file: a stored set can be longer than a command line
// may be.
Bytes Input(Call& call) {
  const Args& args = call.Arguments();
  if (args.size() > 1 || (args.empty() && call.Io().interactive)) throw call.Misused();
  if (!args.empty() && args[0] != "-") return ReadBytes(args[0], "a stored set");
  std::istream& in = call.Io().in;
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string_view Text(const Bytes& bytes) {
  return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

}  // namespace

int RunActionFileToJson(Call& call) {
  call.Out() << WriteJson(
      ActionFileToJson(ReadBytes(OnlyArgument(call), "actions"), DefaultCodec()));
  return kExitOk;
}

int RunJsonToActionFile(Call& call) {
  const std::string& input = OnlyArgument(call);
  const Json json = ReadJson(input, "actions");
  ExpectFormat(json, "action-file");
  const std::string& output = call.Opt().output;
  try {
    WriteBytes(output, JsonToBytes(json, DefaultCodec()));
  } catch (const JsonError& e) {
    throw UsageError(input + ": " + e.what());
  }
  if (call.Json()) {
    const auto actions = json.find("actions");
    const std::size_t count = actions != json.end() && actions->is_array() ? actions->size() : 0;
    call.Out() << WriteJson({{"file", output}, {"actions", count}, {"exit", kExitOk}});
  }
  return kExitOk;
}

int RunHexToJson(Call& call) {
  // The line end a file or a pipe brings along is no part of the text.
  const Bytes input = Input(call);
  std::string_view text = Text(input);
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back())))
    text.remove_suffix(1);
  call.Out() << WriteJson(VaultSetToJson(HexToBytes(Wide(std::string(text))), DefaultCodec()));
  return kExitOk;
}

int RunJsonToHex(Call& call) {
  const Json json = ParseJson(Text(Input(call)));
  ExpectFormat(json, "vault-set");
  const std::wstring hex = BytesToHex(JsonToBytes(json, DefaultCodec()));
  if (call.Json()) {
    call.Out() << WriteJson({{"hex", hex}, {"exit", kExitOk}});
  } else {
    call.Out() << Utf8(hex) << "\n";
  }
  return kExitOk;
}

}  // namespace vendrel::tools
