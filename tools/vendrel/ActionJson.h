// A readable JSON form of stored actions that converts back to the very same bytes.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "actions/ActionArchive.h"
#include "tools/vendrel/Json.h"

namespace vendrel::tools {

using Bytes = std::vector<std::uint8_t>;

// The stored fields of a command kind after its summary, in stored order.
enum class FieldType { kInt32, kBool, kText, kTextList, kRecords };
struct Field {
  const char* key;
  FieldType type;
  std::span<const Field> record = {};  // kRecords: a 32-bit count, then these fields per record
};
struct CommandFields {
  std::int32_t typeId;
  std::span<const Field> fields;
};

struct JsonCodec {
  // Reads stored commands, which tells how long each one is.
  actions::CommandFactory factory;
  // Kinds with named JSON fields; any other kind keeps its stored bytes as hex.
  std::span<const CommandFields> commands;
};

// The command kinds of this build and the JSON fields of those that have them.
JsonCodec DefaultCodec();

// Throw JsonError with a one-line reason for bytes that do not read.
Json ActionFileToJson(const Bytes& bytes, const JsonCodec& codec);
Json VaultSetToJson(const Bytes& bytes, const JsonCodec& codec);
// The container named by the JSON's "format"; throws JsonError for a faulty document.
Bytes JsonToBytes(const Json& json, const JsonCodec& codec);

// One command of the JSON form: its type, its summary, then its named fields in order.
Json CommandJson(std::int32_t type, const std::wstring& summary,
                 std::vector<std::pair<std::string, Json>> fields = {});

Bytes HexToBytes(const std::wstring& hex);  // throws JsonError
std::wstring BytesToHex(const Bytes& bytes);

}  // namespace vendrel::tools
