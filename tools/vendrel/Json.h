// A small JSON value with a writer and a strict parser: integers only, keys in their order.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

namespace vendrel::tools {

class JsonError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class Json {
 public:
  using Array = std::vector<Json>;
  using Member = std::pair<std::string, Json>;
  using Object = std::vector<Member>;

  Json() = default;
  Json(std::nullptr_t) {}
  Json(bool value) : value_(value) {}
  Json(std::int64_t value) : value_(value) {}
  Json(std::int32_t value) : value_(std::int64_t{value}) {}
  Json(std::wstring value) : value_(std::move(value)) {}
  Json(const wchar_t* value) : value_(std::wstring(value)) {}
  Json(Array value) : value_(std::move(value)) {}
  Json(Object value) : value_(std::move(value)) {}

  bool IsNull() const { return std::holds_alternative<std::monostate>(value_); }
  bool IsObject() const { return std::holds_alternative<Object>(value_); }
  bool IsArray() const { return std::holds_alternative<Array>(value_); }
  bool IsString() const { return std::holds_alternative<std::wstring>(value_); }
  bool IsInteger() const { return std::holds_alternative<std::int64_t>(value_); }
  bool IsBool() const { return std::holds_alternative<bool>(value_); }

  // Each throws JsonError naming `what` when the value is of another kind.
  bool AsBool(std::string_view what) const;
  std::int64_t AsInteger(std::string_view what) const;
  std::int32_t AsInt32(std::string_view what) const;
  const std::wstring& AsString(std::string_view what) const;
  const Array& AsArray(std::string_view what) const;
  const Object& AsObject(std::string_view what) const;

  // Objects: appends a member; finds one (null when absent).
  Json& Add(std::string key, Json value);
  const Json* Find(std::string_view key) const;

  // Two-space indentation; arrays of scalars stay on one line.
  std::string Write() const;
  static Json Parse(std::string_view utf8);

 private:
  void WriteTo(std::string& out, int indent) const;

  std::variant<std::monostate, bool, std::int64_t, std::wstring, Array, Object> value_;
};

// Reads the members of an object by name and refuses names nobody asked for.
class JsonFields {
 public:
  JsonFields(const Json& object, std::string_view what);
  // Null when the member is absent.
  const Json* Take(std::string_view key);
  // Throws when a member was never taken.
  void Finish() const;

 private:
  const Json::Object& object_;
  std::string what_;
  std::vector<bool> taken_;
};

}  // namespace vendrel::tools
