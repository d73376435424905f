// The rotated log file, on the standard library's files alone.
#include "platform/RunLog.h"

#include <fstream>

#include "platform/Replacement.h"
#include "platform/Utf8.h"

namespace vendrel::platform {

namespace fs = std::filesystem;

fs::path RotatedLogFile::DefaultFile() {
  return LocalAppDataFolder() / "Vendrel" / "runs.log";
}

fs::path RotatedLogFile::Older() const {
  fs::path older = file_;
  older += ".1";
  return older;
}

bool RotatedLogFile::Append(const std::wstring& line) {
  try {
    const std::string text = ToUtf8(line) + "\n";
    std::error_code error;
    fs::create_directories(file_.parent_path(), error);
    const std::uintmax_t size = fs::file_size(file_, error);
    if (!error && size + text.size() > limit_) {
      if (RenameOver(file_, Older())) return false;
    }
    std::ofstream out(file_, std::ios::binary | std::ios::app);
    out << text;
    out.close();
    return static_cast<bool>(out);
  } catch (...) {
    return false;  // the log never fails what it records
  }
}

std::vector<std::wstring> RotatedLogFile::Lines() {
  std::vector<std::wstring> lines;
  for (const fs::path& file : {Older(), file_}) {
    std::ifstream in(file, std::ios::binary);
    for (std::string line; std::getline(in, line);) lines.push_back(FromUtf8(line));
  }
  return lines;
}

}  // namespace vendrel::platform
