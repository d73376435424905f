// Parser of string files.
#include "uilibs/lexicor/StringFile.h"

#include <charconv>
#include <fstream>
#include <iterator>
#include <optional>

namespace vendrel::lexicor {

namespace {

void AppendCodePoint(std::wstring& out, char32_t c) {
  if constexpr (sizeof(wchar_t) == 2) {
    if (c >= 0x10000) {
      c -= 0x10000;
      out += static_cast<wchar_t>(0xD800 + (c >> 10));
      out += static_cast<wchar_t>(0xDC00 + (c & 0x3FF));
      return;
    }
  }
  out += static_cast<wchar_t>(c);
}

// Strict UTF-8: overlong forms, surrogates and values above U+10FFFF are refused.
std::optional<std::wstring> DecodeUtf8(std::string_view in) {
  std::wstring out;
  for (std::size_t i = 0; i < in.size();) {
    const auto lead = static_cast<unsigned char>(in[i]);
    int extra = 0;
    char32_t c = 0;
    char32_t min = 0;
    if (lead < 0x80) {
      c = lead;
    } else if ((lead & 0xE0) == 0xC0) {
      extra = 1, c = lead & 0x1F, min = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
      extra = 2, c = lead & 0x0F, min = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
      extra = 3, c = lead & 0x07, min = 0x10000;
    } else {
      return std::nullopt;
    }
    if (i + extra >= in.size()) return std::nullopt;
    for (int k = 1; k <= extra; ++k) {
      const auto next = static_cast<unsigned char>(in[i + k]);
      if ((next & 0xC0) != 0x80) return std::nullopt;
      c = (c << 6) | (next & 0x3F);
    }
    if (c < min || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return std::nullopt;
    AppendCodePoint(out, c);
    i += 1 + extra;
  }
  return out;
}

std::wstring_view Trim(std::wstring_view s) {
  const auto blank = [](wchar_t c) { return c == L' ' || c == L'\t'; };
  while (!s.empty() && blank(s.front())) s.remove_prefix(1);
  while (!s.empty() && blank(s.back())) s.remove_suffix(1);
  return s;
}

std::optional<wchar_t> Unescape(wchar_t letter) {
  switch (letter) {
    case L'n':
      return L'\n';
    case L'r':
      return L'\r';
    case L't':
      return L'\t';
    case L'\\':
    case L'"':
      return letter;
    default:
      return std::nullopt;
  }
}

// The quoted text of an entry, from its opening quote to the end of the line.
std::optional<std::wstring> Unquote(std::wstring_view s, std::string& error) {
  if (s.size() < 2 || s.front() != L'"' || s.back() != L'"') {
    error = "the text must stand in double quotes";
    return std::nullopt;
  }
  s = s.substr(1, s.size() - 2);
  std::wstring text;
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] == L'"') {
      error = "a double quote inside the text must be written \\\"";
      return std::nullopt;
    }
    if (s[i] != L'\\') {
      text += s[i];
      continue;
    }
    if (++i == s.size()) {
      error = "the text ends in a lone backslash";
      return std::nullopt;
    }
    const auto unescaped = Unescape(s[i]);
    if (!unescaped) {
      error = "unknown escape sequence";
      return std::nullopt;
    }
    text += *unescaped;
  }
  return text;
}

std::optional<std::int32_t> ParseId(std::wstring_view s) {
  std::string narrow;
  for (wchar_t c : s) {
    if (!(c == L'-' || (c >= L'0' && c <= L'9'))) return std::nullopt;
    narrow += static_cast<char>(c);
  }
  std::int32_t id = 0;
  const auto [end, ec] = std::from_chars(narrow.data(), narrow.data() + narrow.size(), id);
  if (ec != std::errc() || end != narrow.data() + narrow.size()) return std::nullopt;
  return id;
}

}  // namespace

ParsedStringFile ParseStringFile(std::string_view utf8) {
  ParsedStringFile result;
  if (utf8.starts_with("\xEF\xBB\xBF")) utf8.remove_prefix(3);
  std::optional<std::wstring> table;
  int number = 0;
  while (!utf8.empty()) {
    ++number;
    const auto end = utf8.find('\n');
    std::string_view raw = utf8.substr(0, end);
    utf8.remove_prefix(end == std::string_view::npos ? utf8.size() : end + 1);
    if (raw.ends_with('\r')) raw.remove_suffix(1);
    const auto fail = [&](std::string message) {
      result.errors.push_back({number, std::move(message)});
    };

    const auto decoded = DecodeUtf8(raw);
    if (!decoded) {
      fail("the line is not valid UTF-8");
      continue;
    }
    const std::wstring_view line = Trim(*decoded);
    if (line.empty() || line.front() == L'#') continue;
    if (line.front() == L'[') {
      const std::wstring_view name =
          line.back() == L']' ? Trim(line.substr(1, line.size() - 2)) : std::wstring_view();
      if (name.empty()) {
        fail("a table header is a name in square brackets");
        continue;
      }
      table = std::wstring(name);
      continue;
    }
    const auto equals = line.find(L'=');
    if (equals == std::wstring_view::npos) {
      fail("an entry is: id = \"text\"");
      continue;
    }
    const auto id = ParseId(Trim(line.substr(0, equals)));
    if (!id) {
      fail("the id is not a 32-bit number");
      continue;
    }
    std::string error;
    auto text = Unquote(Trim(line.substr(equals + 1)), error);
    if (!text) {
      fail(error);
      continue;
    }
    if (!table) {
      fail("an entry before the first table header");
      continue;
    }
    if (!result.texts.try_emplace({*table, *id}, std::move(*text)).second)
      fail("the id already has a text in this table");
  }
  return result;
}

ParsedStringFile ReadStringFile(const std::wstring& path) try {
  std::ifstream in(WidePath(path), std::ios::binary);
  if (!in) return {};
  const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  return ParseStringFile(bytes);
} catch (const std::exception&) {
  return {};
}

std::filesystem::path WidePath(const std::wstring& path) {
  std::u8string utf8;
  const auto put = [&utf8](unsigned value) { utf8 += static_cast<char8_t>(value); };
  for (std::size_t i = 0; i < path.size(); ++i) {
    auto c = static_cast<char32_t>(path[i]);
    if constexpr (sizeof(wchar_t) == 2) {
      if (c >= 0xD800 && c <= 0xDBFF && i + 1 < path.size()) {
        const auto low = static_cast<char32_t>(path[i + 1]);
        if (low >= 0xDC00 && low <= 0xDFFF) {
          c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
          ++i;
        }
      }
    }
    if ((c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF) c = 0xFFFD;  // unpaired: not encodable
    if (c < 0x80) {
      put(c);
    } else if (c < 0x800) {
      put(0xC0 | (c >> 6)), put(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      put(0xE0 | (c >> 12)), put(0x80 | ((c >> 6) & 0x3F)), put(0x80 | (c & 0x3F));
    } else {
      put(0xF0 | (c >> 18)), put(0x80 | ((c >> 12) & 0x3F)), put(0x80 | ((c >> 6) & 0x3F));
      put(0x80 | (c & 0x3F));
    }
  }
  return std::filesystem::path(utf8);
}

}  // namespace vendrel::lexicor
