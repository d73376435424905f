// A readable JSON form of stored actions that converts back to the very same bytes.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "actions/ActionArchive.h"
#include "tools/vendrel/Json.h"

namespace vendrel::tools {

using Bytes = std::vector<std::uint8_t>;

struct JsonCodec {
  // Makes the commands of each kind, whose own field walk gives their JSON fields; the bytes of
  // a command the walk cannot give back stay as hex.
  actions::CommandFactory factory;
};

// The command kinds of this build.
JsonCodec DefaultCodec();

// Throw JsonError with a one-line reason for bytes that do not read.
Json ActionFileToJson(const Bytes& bytes, const JsonCodec& codec);
Json VaultSetToJson(const Bytes& bytes, const JsonCodec& codec);
// The container named by the JSON's "format"; throws JsonError for a faulty document, naming
// the place of the fault ("actions[3].commands[2].prompt").
Bytes JsonToBytes(const Json& json, const JsonCodec& codec);
// One action of the JSON form as an action file of its own, its faults named under `where`.
Bytes ActionFileOf(const Json& action, std::int32_t version, const JsonCodec& codec,
                   const std::string& where);

// One command of the JSON form: its type, its summary, then its named fields in order.
Json CommandJson(std::int32_t type, const std::wstring& summary,
                 std::vector<std::pair<std::string, Json>> fields = {});

Bytes HexToBytes(const std::wstring& hex);  // throws JsonError
std::wstring BytesToHex(const Bytes& bytes);

}  // namespace vendrel::tools
