// Helpers that cut a fuzzer's bytes into the texts its target reads.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vendrel::fuzz {

// Each byte a character: every UTF-16 unit below 256 is reachable without decoding rules.
inline std::wstring Wide(std::string_view bytes) {
  return std::wstring(bytes.begin(), bytes.end());
}

// The input split at line feeds.
inline std::vector<std::string_view> Lines(const std::uint8_t* data, std::size_t size) {
  std::vector<std::string_view> lines;
  std::string_view rest(reinterpret_cast<const char*>(data), size);
  for (std::size_t end; (end = rest.find('\n')) != std::string_view::npos;) {
    lines.push_back(rest.substr(0, end));
    rest.remove_prefix(end + 1);
  }
  lines.push_back(rest);
  return lines;
}

}  // namespace vendrel::fuzz
