// Whole files in and out.
#include "tools/vendrel/Files.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include "actions/DiskFile.h"
#include "tools/vendrel/Cli.h"

namespace vendrel::tools {

std::string NoFile(const std::filesystem::path& file) {
  std::error_code ec;
  const std::filesystem::file_status status = std::filesystem::status(file, ec);
  if (status.type() == std::filesystem::file_type::not_found) return "no file " + file.string();
  if (std::filesystem::is_directory(status)) return file.string() + " is a folder; give a file";
  return {};
}

Bytes ReadBytes(const std::filesystem::path& file, const char* holding) {
  if (std::string why = NoFile(file); !why.empty()) throw UsageError(why);
  std::ifstream in(file, std::ios::binary);
  if (!in) throw UsageError("cannot read " + file.string() + ": " + std::strerror(errno));
  Bytes bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>{});
  if (holding && bytes.empty())
    throw UsageError(file.string() + " is empty; give a file that holds " + holding);
  return bytes;
}

void WriteBytes(const std::filesystem::path& file, const Bytes& bytes) {
  try {
    actions::DiskFile out(Wide(file.string()), actions::DiskFile::Mode::kReplace);
    out.Write(bytes.data(), bytes.size());
    out.Close();
  } catch (const actions::FileError& e) {
    throw UsageError(Utf8(e.Message()));
  }
}

Json ReadJson(const std::filesystem::path& file, const char* holding) {
  const Bytes bytes = ReadBytes(file, holding);
  try {
    return ParseJson(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
  } catch (const JsonError& e) {
    throw UsageError(file.string() + ": " + e.what());
  }
}

}  // namespace vendrel::tools
