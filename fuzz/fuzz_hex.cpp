// The vault's hexadecimal text: any text either converts whole or is refused, and what converts
// spells the same bytes again in upper case.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cwctype>

#include "actions/HexStringFile.h"
#include "fuzz/FuzzInput.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using vendrel::actions::HexStringFile;
  const std::wstring text =
      vendrel::fuzz::Wide(std::string_view(reinterpret_cast<const char*>(data), size));
  HexStringFile file;
  if (!file.FromText(text)) return 0;
  if (file.GetLength() * 2 != text.size() || file.Position() != 0) std::abort();
  std::wstring upper = text;
  for (wchar_t& c : upper) c = static_cast<wchar_t>(std::towupper(static_cast<wint_t>(c)));
  if (file.ToText() != upper) std::abort();
  HexStringFile copy(file);
  if (copy.ToText() != upper) std::abort();
  return 0;
}
