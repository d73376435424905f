// String files as translators write them: any bytes parse, faulty lines are reported and
// skipped, and every text kept belongs to a table.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "uilibs/lexicor/StringFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const vendrel::lexicor::ParsedStringFile parsed = vendrel::lexicor::ParseStringFile(text);
  for (const auto& [key, value] : parsed.texts) {
    if (key.first.empty()) std::abort();
  }
  int previous = 0;
  for (const auto& error : parsed.errors) {
    if (error.line <= previous) std::abort();
    previous = error.line;
  }
  return 0;
}
