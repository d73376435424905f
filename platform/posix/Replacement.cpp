// Renames that reach the disk, over posix descriptors.
#include "platform/Replacement.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace vendrel::platform {
namespace {

std::error_code LastError() {
  return {errno, std::generic_category()};
}

// Closes a descriptor when it goes.
class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int Get() const { return fd_; }

 private:
  int fd_;
};

}  // namespace

std::error_code RenameOver(const std::filesystem::path& from, const std::filesystem::path& to) {
  if (::rename(from.c_str(), to.c_str()) != 0) return LastError();
  // The rename is an entry of the folder: on the disk once the folder is.
  std::filesystem::path folder = to.parent_path();
  if (folder.empty()) folder = ".";
  const Descriptor dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (dir.Get() < 0 || ::fsync(dir.Get()) != 0) return LastError();
  return {};
}

namespace detail {

std::error_code CreateNew(const std::filesystem::path& file, const std::filesystem::path& target) {
  const Descriptor fd(::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
  if (fd.Get() < 0) return LastError();
  struct stat old {};
  if (::stat(target.c_str(), &old) == 0 && ::fchmod(fd.Get(), old.st_mode & 07777) != 0) {
    const std::error_code error = LastError();
    ::unlink(file.c_str());
    return error;
  }
  return {};
}

std::error_code SyncFile(const std::filesystem::path& file) {
  const Descriptor fd(::open(file.c_str(), O_RDONLY | O_CLOEXEC));
  if (fd.Get() < 0 || ::fdatasync(fd.Get()) != 0) return LastError();
  return {};
}

}  // namespace detail
}  // namespace vendrel::platform
