// Whole files in and out.
#include "tools/vendrel/Files.h"

#include <fstream>
#include <iterator>

#include "tools/vendrel/Cli.h"

namespace vendrel::tools {

Bytes ReadBytes(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) throw UsageError("cannot read " + file.string());
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::filesystem::path& file, const Bytes& bytes) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) throw UsageError("cannot write " + file.string());
}

Json ReadJson(const std::filesystem::path& file) {
  const Bytes bytes = ReadBytes(file);
  return ParseJson(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

}  // namespace vendrel::tools
