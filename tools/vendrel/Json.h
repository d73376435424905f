// JSON through nlohmann's library, and what the reference host adds to it: a strict reader, its
// layout of the text, reads that name the member that is wrong, and std::wstring texts.
#pragma once

#include <cstddef>
#include <cstdint>
#include <nlohmann/json.hpp>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "host/Value.h"
#include "tools/vendrel/JsonFwd.h"

namespace vendrel::tools {

class JsonError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Integers only, every member once, at most 64 levels deep; a leading byte order mark is
// skipped. Throws JsonError with the line of the fault.
Json ParseJson(std::string_view utf8);
// Two-space indentation, arrays of scalars on one line, a line break at the end.
std::string WriteJson(const Json& json);

// Each throws JsonError naming `what` when the value is of another kind.
bool AsBool(const Json& json, std::string_view what);
std::int64_t AsInteger(const Json& json, std::string_view what);
std::int32_t AsInt32(const Json& json, std::string_view what);
std::wstring AsText(const Json& json, std::string_view what);
const Json& AsList(const Json& json, std::string_view what);

// A date in ISO 8601, "2024-02-29T13:30:00"; null outside the years automation dates hold.
Json DateJson(host::Date date);
// A host value with its own type: numbers stay numbers, booleans booleans, dates DateJson; null
// when empty, and the value's text for a kind the add-in does not read.
Json ValueJson(const host::Value& value);

// Faults name their place in the document: "actions[3].commands[2].prompt".
std::string ItemPlace(std::string_view list, std::size_t index);

// Reads the members of an object by name and refuses names nobody asked for. `what` is the
// object's place, its members' places are under it.
class JsonFields {
 public:
  JsonFields(const Json& object, std::string_view what);
  // Null when the member is absent.
  const Json* Take(std::string_view key);
  // Throws naming the object when the member is absent.
  const Json& Require(std::string_view key);
  std::string Place(std::string_view key) const { return what_ + "." + std::string(key); }
  // Throws when a member was never taken.
  void Finish() const;

 private:
  const Json& object_;
  std::string what_;
  std::vector<std::string> taken_;
};

}  // namespace vendrel::tools

// Texts are std::wstring everywhere else; JSON holds them as UTF-8. An unpaired surrogate has
// no UTF-8 form and becomes U+FFFD, so whoever needs the exact text compares the round trip.
template <>
struct nlohmann::adl_serializer<std::wstring> {
  static void to_json(vendrel::tools::Json& json, const std::wstring& text);
  static void from_json(const vendrel::tools::Json& json, std::wstring& text);
};
// L"..." is a text too, not a list of numbers.
template <std::size_t N>
struct nlohmann::adl_serializer<wchar_t[N]> {
  static void to_json(vendrel::tools::Json& json, const wchar_t (&text)[N]) {
    json = std::wstring(text);
  }
};
