// The strict reader and the layout of JSON text over nlohmann's parser and escaping.
#include "tools/vendrel/Json.h"

#include <algorithm>
#include <cstdio>
#include <limits>
#include <set>
#include <type_traits>
#include <variant>

#include "commands/core/ValueText.h"
#include "platform/CivilTime.h"
#include "platform/Utf16.h"
#include "platform/Utf8.h"

namespace vendrel::tools {
namespace {

constexpr int kDeepest = 64;

const char* KindName(const Json& json) {
  if (json.is_null()) return "null";
  if (json.is_boolean()) return "a boolean";
  if (json.is_number()) return "a number";
  if (json.is_string()) return "a text";
  if (json.is_array()) return "a list";
  return "an object";
}

[[noreturn]] void WrongKind(const Json& json, std::string_view what, const char* expected) {
  throw JsonError(std::string(what) + " must be " + expected + ", not " + KindName(json));
}

bool IsScalar(const Json& json) {
  return !json.is_structured();
}

void WriteTo(std::string& out, const Json& json, int indent) {
  const std::string inner(static_cast<std::size_t>(indent + 2), ' ');
  const std::string outer(static_cast<std::size_t>(indent), ' ');
  if (json.is_array()) {
    const bool flat = std::all_of(json.begin(), json.end(), IsScalar);
    out.push_back('[');
    bool first = true;
    for (const Json& item : json) {
      if (!first) out.push_back(',');
      if (flat) {
        if (!first) out.push_back(' ');
      } else {
        out += "\n" + inner;
      }
      WriteTo(out, item, indent + 2);
      first = false;
    }
    if (!flat && !json.empty()) out += "\n" + outer;
    out.push_back(']');
  } else if (json.is_object()) {
    out.push_back('{');
    bool first = true;
    for (const auto& [key, value] : json.items()) {
      out += first ? "\n" : ",\n";
      out += inner + Json(key).dump() + ": ";
      WriteTo(out, value, indent + 2);
      first = false;
    }
    if (!json.empty()) out += "\n" + outer;
    out.push_back('}');
  } else {
    out += json.dump(-1, ' ', false, Json::error_handler_t::replace);
  }
}

// Refuses what the JSON form never holds while the parser reads it.
class Strict {
 public:
  bool operator()(int depth, Json::parse_event_t event, Json& parsed) {
    if (depth > kDeepest) throw JsonError("JSON nested too deeply");
    switch (event) {
      case Json::parse_event_t::object_start:
        keys_.emplace_back();
        break;
      case Json::parse_event_t::object_end:
        keys_.pop_back();
        break;
      case Json::parse_event_t::key:
        if (!keys_.back().insert(parsed.get<std::string>()).second) {
          throw JsonError("JSON member \"" + parsed.get<std::string>() + "\" appears twice");
        }
        break;
      case Json::parse_event_t::value:
        if (parsed.is_number_float()) throw JsonError("JSON numbers are integers");
        break;
      default:
        break;
    }
    return true;
  }

 private:
  std::vector<std::set<std::string>> keys_;
};

}  // namespace

Json ParseJson(std::string_view utf8) {
  if (utf8.starts_with("\xEF\xBB\xBF")) utf8.remove_prefix(3);
  try {
    return Json::parse(utf8.begin(), utf8.end(), Strict());
  } catch (const Json::exception& e) {
    // "[json.exception.parse_error.101] parse error at line 1, column 9: ...", or an
    // out_of_range for a number too large for any type: the reason without the bracketed id.
    const std::string_view what = e.what();
    const std::size_t id = what.find("] ");
    throw JsonError(std::string(id == std::string_view::npos ? what : what.substr(id + 2)));
  }
}

std::string WriteJson(const Json& json) {
  std::string out;
  WriteTo(out, json, 0);
  out.push_back('\n');
  return out;
}

bool AsBool(const Json& json, std::string_view what) {
  if (!json.is_boolean()) WrongKind(json, what, "true or false");
  return json.get<bool>();
}

std::int64_t AsInteger(const Json& json, std::string_view what) {
  if (!json.is_number_integer()) WrongKind(json, what, "a number");
  if (json.is_number_unsigned() &&
      json.get<std::uint64_t>() > std::uint64_t{std::numeric_limits<std::int64_t>::max()}) {
    throw JsonError(std::string(what) + " does not fit 64 bits");
  }
  return json.get<std::int64_t>();
}

std::int32_t AsInt32(const Json& json, std::string_view what) {
  const std::int64_t value = AsInteger(json, what);
  if (value < std::numeric_limits<std::int32_t>::min() ||
      value > std::numeric_limits<std::int32_t>::max()) {
    throw JsonError(std::string(what) + " does not fit 32 bits");
  }
  return static_cast<std::int32_t>(value);
}

std::wstring AsText(const Json& json, std::string_view what) {
  if (!json.is_string()) WrongKind(json, what, "a text");
  return json.get<std::wstring>();
}

const Json& AsList(const Json& json, std::string_view what) {
  if (!json.is_array()) WrongKind(json, what, "a list");
  return json;
}

Json DateJson(host::Date date) {
  const std::optional<platform::CivilTime> t = platform::ToCivil(date.serial);
  if (!t) return nullptr;
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d", t->year, t->month, t->day,
                t->hour, t->minute, t->second);
  return text;
}

Json ValueJson(const host::Value& value) {
  return std::visit(
      [&](const auto& v) -> Json {
        using T = std::decay_t<decltype(v)>;
        if constexpr (std::is_same_v<T, std::monostate>) {
          return nullptr;
        } else if constexpr (std::is_same_v<T, host::Date>) {
          return DateJson(v);
        } else if constexpr (std::is_same_v<T, host::OtherValue>) {
          return commands::ValueToText(value);
        } else {
          return v;
        }
      },
      value);
}

std::string ItemPlace(std::string_view list, std::size_t index) {
  return std::string(list) + "[" + std::to_string(index) + "]";
}

JsonFields::JsonFields(const Json& object, std::string_view what) : object_(object), what_(what) {
  if (!object.is_object()) WrongKind(object, what, "an object");
}

const Json* JsonFields::Take(std::string_view key) {
  const auto found = object_.find(key);
  if (found == object_.end()) return nullptr;
  taken_.emplace_back(key);
  return &*found;
}

const Json& JsonFields::Require(std::string_view key) {
  const Json* value = Take(key);
  if (!value) throw JsonError(what_ + " lacks \"" + std::string(key) + "\"");
  return *value;
}

void JsonFields::Finish() const {
  for (const auto& [key, value] : object_.items()) {
    if (std::find(taken_.begin(), taken_.end(), key) == taken_.end()) {
      throw JsonError(what_ + " has an unknown member \"" + key + "\"");
    }
  }
}

}  // namespace vendrel::tools

void nlohmann::adl_serializer<std::wstring>::to_json(vendrel::tools::Json& json,
                                                     const std::wstring& text) {
  std::u16string units = vendrel::platform::ToUtf16(text);
  for (std::size_t i = 0; i < units.size(); ++i) {
    const bool high = units[i] >= 0xD800 && units[i] < 0xDC00;
    const bool low = units[i] >= 0xDC00 && units[i] < 0xE000;
    if (high && i + 1 < units.size() && units[i + 1] >= 0xDC00 && units[i + 1] < 0xE000) {
      ++i;
    } else if (high || low) {
      units[i] = 0xFFFD;
    }
  }
  json = vendrel::platform::ToUtf8(vendrel::platform::FromUtf16(units));
}

void nlohmann::adl_serializer<std::wstring>::from_json(const vendrel::tools::Json& json,
                                                       std::wstring& text) {
  text = vendrel::platform::FromUtf8(json.get_ref<const std::string&>());
}
