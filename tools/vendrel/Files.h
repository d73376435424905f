// Whole files in and out, for the conversions and the action-file commands.
#pragma once

#include <filesystem>
#include <string>

#include "tools/vendrel/ActionJson.h"
#include "tools/vendrel/Json.h"

namespace vendrel::tools {

// Throw UsageError naming the file. A file to read that is to hold something, `holding`
// ("actions"), is refused when it is empty.
// Why `file` cannot be read as a file: it is missing, or a folder; empty when it is neither.
std::string NoFile(const std::filesystem::path& file);
Bytes ReadBytes(const std::filesystem::path& file, const char* holding = nullptr);
void WriteBytes(const std::filesystem::path& file, const Bytes& bytes);
Json ReadJson(const std::filesystem::path& file, const char* holding);

}  // namespace vendrel::tools
