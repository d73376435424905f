// The add-in's log of action runs: one line per run, in a file of the user's local
// application-data folder that is rotated by size.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace vendrel::platform {

class RunLog {
 public:
  virtual ~RunLog() = default;
  // Appends one line; false when it could not be written. Never waits for the file.
  virtual bool Append(const std::wstring& line) = 0;
  // The lines kept, oldest first.
  virtual std::vector<std::wstring> Lines() = 0;
};

// The user's local application-data folder: the known folder on Windows; natively
// $VENDREL_LOCALAPPDATA, else ~/.local/share.
std::filesystem::path LocalAppDataFolder();

// A log in one file; when a line would take it past the limit, the file becomes the one
// with ".1" added, replacing an older one, and a new file starts.
class RotatedLogFile final : public RunLog {
 public:
  static constexpr std::uintmax_t kLimit = 1024 * 1024;

  explicit RotatedLogFile(std::filesystem::path file, std::uintmax_t limit = kLimit)
      : file_(std::move(file)), limit_(limit) {}
  // Vendrel\runs.log in the user's local application-data folder.
  static std::filesystem::path DefaultFile();

  bool Append(const std::wstring& line) override;
  std::vector<std::wstring> Lines() override;
  const std::filesystem::path& File() const { return file_; }

 private:
  std::filesystem::path Older() const;

  std::filesystem::path file_;
  std::uintmax_t limit_;
};

}  // namespace vendrel::platform
