// JSON writing and parsing. Texts travel as UTF-16 units inside, so an unpaired surrogate
// survives as a \u escape.
#include "tools/vendrel/Json.h"

#include <algorithm>
#include <limits>

#include "platform/Utf16.h"

namespace vendrel::tools {
namespace {

const char* KindName(const Json& json) {
  if (json.IsNull()) return "null";
  if (json.IsBool()) return "a boolean";
  if (json.IsInteger()) return "a number";
  if (json.IsString()) return "a text";
  if (json.IsArray()) return "a list";
  return "an object";
}

[[noreturn]] void WrongKind(const Json& json, std::string_view what, const char* expected) {
  throw JsonError(std::string(what) + " must be " + expected + ", not " + KindName(json));
}

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out.push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else if (cp < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

void AppendEscape(std::string& out, char16_t unit) {
  static constexpr char kHex[] = "0123456789abcdef";
  out += "\\u";
  for (int shift = 12; shift >= 0; shift -= 4) out.push_back(kHex[(unit >> shift) & 0xF]);
}

bool IsHigh(char32_t u) {
  return u >= 0xD800 && u < 0xDC00;
}
bool IsLow(char32_t u) {
  return u >= 0xDC00 && u < 0xE000;
}

void WriteString(std::string& out, const std::wstring& text) {
  const std::u16string units = platform::ToUtf16(text);
  out.push_back('"');
  for (std::size_t i = 0; i < units.size(); ++i) {
    const char16_t u = units[i];
    switch (u) {
      case u'"':
        out += "\\\"";
        continue;
      case u'\\':
        out += "\\\\";
        continue;
      case u'\n':
        out += "\\n";
        continue;
      case u'\r':
        out += "\\r";
        continue;
      case u'\t':
        out += "\\t";
        continue;
      default:
        break;
    }
    if (u < 0x20) {
      AppendEscape(out, u);
    } else if (IsHigh(u) && i + 1 < units.size() && IsLow(units[i + 1])) {
      AppendUtf8(out, 0x10000 + ((char32_t{u} - 0xD800) << 10) + (units[++i] - 0xDC00));
    } else if (IsHigh(u) || IsLow(u)) {
      AppendEscape(out, u);
    } else {
      AppendUtf8(out, u);
    }
  }
  out.push_back('"');
}

class Parser {
 public:
  explicit Parser(std::string_view text) : text_(text) {}

  Json Document() {
    Json value = Value();
    SkipBlanks();
    if (at_ != text_.size()) Fail("unexpected text after the end");
    return value;
  }

 private:
  [[noreturn]] void Fail(const std::string& why) const {
    std::size_t line = 1 + std::count(text_.begin(), text_.begin() + at_, '\n');
    throw JsonError("JSON line " + std::to_string(line) + ": " + why);
  }

  void SkipBlanks() {
    while (at_ < text_.size() &&
           (text_[at_] == ' ' || text_[at_] == '\t' || text_[at_] == '\n' || text_[at_] == '\r')) {
      ++at_;
    }
  }

  char Peek() {
    SkipBlanks();
    if (at_ >= text_.size()) Fail("unexpected end");
    return text_[at_];
  }

  void Expect(char c) {
    if (Peek() != c) Fail(std::string("expected '") + c + "'");
    ++at_;
  }

  bool Word(std::string_view word) {
    if (text_.substr(at_, word.size()) != word) return false;
    at_ += word.size();
    return true;
  }

  Json Value() {
    if (++depth_ > 64) Fail("nested too deeply");
    Json value;
    const char c = Peek();
    if (c == '{') {
      value = ObjectValue();
    } else if (c == '[') {
      value = ArrayValue();
    } else if (c == '"') {
      value = Json(platform::FromUtf16(StringUnits()));
    } else if (c == '-' || (c >= '0' && c <= '9')) {
      value = Number();
    } else if (Word("true")) {
      value = true;
    } else if (Word("false")) {
      value = false;
    } else if (!Word("null")) {
      Fail("expected a value");
    }
    --depth_;
    return value;
  }

  Json ObjectValue() {
    Expect('{');
    Json::Object members;
    if (Peek() == '}') {
      ++at_;
      return members;
    }
    for (;;) {
      if (Peek() != '"') Fail("expected a member name");
      const std::u16string key = StringUnits();
      Expect(':');
      std::string name;
      for (char16_t u : key) {
        if (u >= 0x80) Fail("member names are ASCII");
        name.push_back(static_cast<char>(u));
      }
      if (std::any_of(members.begin(), members.end(),
                      [&](const Json::Member& m) { return m.first == name; })) {
        Fail("member \"" + name + "\" appears twice");
      }
      members.emplace_back(std::move(name), Value());
      if (Peek() == '}') {
        ++at_;
        return members;
      }
      Expect(',');
    }
  }

  Json ArrayValue() {
    Expect('[');
    Json::Array items;
    if (Peek() == ']') {
      ++at_;
      return items;
    }
    for (;;) {
      items.push_back(Value());
      if (Peek() == ']') {
        ++at_;
        return items;
      }
      Expect(',');
    }
  }

  Json Number() {
    const bool negative = text_[at_] == '-';
    if (negative) ++at_;
    const std::size_t first = at_;
    std::int64_t value = 0;
    while (at_ < text_.size() && text_[at_] >= '0' && text_[at_] <= '9') {
      if (value > (std::numeric_limits<std::int64_t>::max() - 9) / 10) Fail("number too large");
      value = value * 10 + (text_[at_++] - '0');
    }
    if (at_ == first) Fail("expected digits");
    if (at_ < text_.size() && (text_[at_] == '.' || text_[at_] == 'e' || text_[at_] == 'E')) {
      Fail("only whole numbers are used");
    }
    return negative ? -value : value;
  }

  unsigned Hex4() {
    if (at_ + 4 > text_.size()) Fail("short \\u escape");
    unsigned value = 0;
    for (int i = 0; i < 4; ++i) {
      const char c = text_[at_++];
      value <<= 4;
      if (c >= '0' && c <= '9') {
        value |= static_cast<unsigned>(c - '0');
      } else if (c >= 'a' && c <= 'f') {
        value |= static_cast<unsigned>(c - 'a' + 10);
      } else if (c >= 'A' && c <= 'F') {
        value |= static_cast<unsigned>(c - 'A' + 10);
      } else {
        Fail("bad \\u escape");
      }
    }
    return value;
  }

  // A UTF-8 sequence as one code point, checked.
  char32_t CodePoint() {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text_[i]); };
    const unsigned char lead = byte(at_);
    const int extra = lead < 0x80 ? 0 : lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : -1;
    if (extra < 0 || lead > 0xF4 || at_ + extra >= text_.size()) {
      Fail("broken UTF-8");
    }
    char32_t cp = extra == 0 ? lead : lead & (0x3F >> extra);
    for (int i = 1; i <= extra; ++i) {
      if ((byte(at_ + i) & 0xC0) != 0x80) Fail("broken UTF-8");
      cp = (cp << 6) | (byte(at_ + i) & 0x3F);
    }
    at_ += extra + 1;
    return cp;
  }

  std::u16string StringUnits() {
    ++at_;  // the opening quote
    std::u16string units;
    for (;;) {
      if (at_ >= text_.size()) Fail("unterminated text");
      const char c = text_[at_];
      if (c == '"') {
        ++at_;
        return units;
      }
      if (static_cast<unsigned char>(c) < 0x20) Fail("control character in a text");
      if (c != '\\') {
        const char32_t cp = CodePoint();
        if (cp > 0xFFFF) {
          units.push_back(static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10)));
          units.push_back(static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF)));
        } else {
          units.push_back(static_cast<char16_t>(cp));
        }
        continue;
      }
      if (++at_ >= text_.size()) Fail("unterminated escape");
      switch (text_[at_++]) {
        case '"':
          units.push_back(u'"');
          break;
        case '\\':
          units.push_back(u'\\');
          break;
        case '/':
          units.push_back(u'/');
          break;
        case 'b':
          units.push_back(u'\b');
          break;
        case 'f':
          units.push_back(u'\f');
          break;
        case 'n':
          units.push_back(u'\n');
          break;
        case 'r':
          units.push_back(u'\r');
          break;
        case 't':
          units.push_back(u'\t');
          break;
        case 'u':
          units.push_back(static_cast<char16_t>(Hex4()));
          break;
        default:
          Fail("unknown escape");
      }
    }
  }

  std::string_view text_;
  std::size_t at_ = 0;
  int depth_ = 0;
};

bool IsScalar(const Json& json) {
  return !json.IsArray() && !json.IsObject();
}

}  // namespace

bool Json::AsBool(std::string_view what) const {
  if (!IsBool()) WrongKind(*this, what, "true or false");
  return std::get<bool>(value_);
}

std::int64_t Json::AsInteger(std::string_view what) const {
  if (!IsInteger()) WrongKind(*this, what, "a number");
  return std::get<std::int64_t>(value_);
}

std::int32_t Json::AsInt32(std::string_view what) const {
  const std::int64_t value = AsInteger(what);
  if (value < std::numeric_limits<std::int32_t>::min() ||
      value > std::numeric_limits<std::int32_t>::max()) {
    throw JsonError(std::string(what) + " does not fit 32 bits");
  }
  return static_cast<std::int32_t>(value);
}

const std::wstring& Json::AsString(std::string_view what) const {
  if (!IsString()) WrongKind(*this, what, "a text");
  return std::get<std::wstring>(value_);
}

const Json::Array& Json::AsArray(std::string_view what) const {
  if (!IsArray()) WrongKind(*this, what, "a list");
  return std::get<Array>(value_);
}

const Json::Object& Json::AsObject(std::string_view what) const {
  if (!IsObject()) WrongKind(*this, what, "an object");
  return std::get<Object>(value_);
}

Json& Json::Add(std::string key, Json value) {
  if (!IsObject()) value_ = Object();
  std::get<Object>(value_).emplace_back(std::move(key), std::move(value));
  return *this;
}

const Json* Json::Find(std::string_view key) const {
  if (!IsObject()) return nullptr;
  for (const Member& member : std::get<Object>(value_)) {
    if (member.first == key) return &member.second;
  }
  return nullptr;
}

std::string Json::Write() const {
  std::string out;
  WriteTo(out, 0);
  out.push_back('\n');
  return out;
}

void Json::WriteTo(std::string& out, int indent) const {
  const std::string inner(static_cast<std::size_t>(indent + 2), ' ');
  const std::string outer(static_cast<std::size_t>(indent), ' ');
  if (IsNull()) {
    out += "null";
  } else if (IsBool()) {
    out += std::get<bool>(value_) ? "true" : "false";
  } else if (IsInteger()) {
    out += std::to_string(std::get<std::int64_t>(value_));
  } else if (IsString()) {
    WriteString(out, std::get<std::wstring>(value_));
  } else if (IsArray()) {
    const Array& items = std::get<Array>(value_);
    const bool flat = std::all_of(items.begin(), items.end(), IsScalar);
    out.push_back('[');
    for (std::size_t i = 0; i < items.size(); ++i) {
      if (i > 0) out.push_back(',');
      if (flat) {
        if (i > 0) out.push_back(' ');
      } else {
        out += "\n" + inner;
      }
      items[i].WriteTo(out, indent + 2);
    }
    if (!flat && !items.empty()) out += "\n" + outer;
    out.push_back(']');
  } else {
    const Object& members = std::get<Object>(value_);
    out.push_back('{');
    for (std::size_t i = 0; i < members.size(); ++i) {
      out += i > 0 ? ",\n" : "\n";
      out += inner;
      WriteString(out, std::wstring(members[i].first.begin(), members[i].first.end()));
      out += ": ";
      members[i].second.WriteTo(out, indent + 2);
    }
    if (!members.empty()) out += "\n" + outer;
    out.push_back('}');
  }
}

Json Json::Parse(std::string_view utf8) {
  if (utf8.starts_with("\xEF\xBB\xBF")) utf8.remove_prefix(3);
  return Parser(utf8).Document();
}

JsonFields::JsonFields(const Json& object, std::string_view what)
    : object_(object.AsObject(what)), what_(what), taken_(object_.size(), false) {}

const Json* JsonFields::Take(std::string_view key) {
  for (std::size_t i = 0; i < object_.size(); ++i) {
    if (object_[i].first == key) {
      taken_[i] = true;
      return &object_[i].second;
    }
  }
  return nullptr;
}

void JsonFields::Finish() const {
  for (std::size_t i = 0; i < object_.size(); ++i) {
    if (!taken_[i]) throw JsonError(what_ + " has an unknown member \"" + object_[i].first + "\"");
  }
}

}  // namespace vendrel::tools
