// Files replaced whole: the new content is written beside the old file and renamed over it once
// it is complete and on the disk, so a failure on the way (a full disk, a killed process) leaves
// the old file byte for byte as it was.
#pragma once

#include <filesystem>
#include <system_error>

namespace vendrel::platform {

// Renames `from` over `to` in the same folder; returns once the rename is on the disk. Errors
// are of the generic category, as errno names them.
std::error_code RenameOver(const std::filesystem::path& from, const std::filesystem::path& to);

// A new, empty file beside `target` to write its replacement into. Commit puts it in the
// target's place; a replacement dropped without a commit removes its file.
class Replacement {
 public:
  // A target that exists and cannot be written is refused, as opening it to write would be.
  explicit Replacement(std::filesystem::path target);
  ~Replacement();
  Replacement(const Replacement&) = delete;
  Replacement& operator=(const Replacement&) = delete;

  // Why the file could not be made; the file to write when this is empty.
  std::error_code Error() const { return error_; }
  const std::filesystem::path& File() const { return file_; }
  // Syncs the file, once closed by its writer, and renames it over the target. On a failure the
  // file is removed and the target left as it was.
  std::error_code Commit();

 private:
  std::filesystem::path target_;
  std::filesystem::path file_;
  std::error_code error_;
  bool pending_ = false;  // the file exists and is not yet in the target's place
};

namespace detail {
// The system's part: a file made only when none is there (EEXIST when one is), with the
// target's permissions when it has one; a closed file's bytes put on the disk.
std::error_code CreateNew(const std::filesystem::path& file, const std::filesystem::path& target);
std::error_code SyncFile(const std::filesystem::path& file);
}  // namespace detail

}  // namespace vendrel::platform
