// The JSON form of actions as a user hands it to "acn from-json" and "hex from-json": any text
// is read or refused with a JsonError. Bytes written from JSON may hold records kept as hex that
// do not read; those that read come back as JSON that writes the very same bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "tools/vendrel/ActionJson.h"
#include "tools/vendrel/Json.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace vendrel::tools;
  static const JsonCodec codec = DefaultCodec();
  Bytes bytes;
  bool actionFile = false;
  try {
    const Json json = ParseJson(std::string_view(reinterpret_cast<const char*>(data), size));
    bytes = JsonToBytes(json, codec);
    actionFile = AsText(json.at("format"), "format") == L"action-file";
  } catch (const JsonError&) {
    return 0;
  }
  try {
    const Json back = actionFile ? ActionFileToJson(bytes, codec) : VaultSetToJson(bytes, codec);
    if (JsonToBytes(back, codec) != bytes) std::abort();
  } catch (const JsonError&) {
  }
  return 0;
}
