// The shared data file over a posix descriptor.
#include "platform/DataFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <string>
#include <system_error>

namespace vendrel::platform {
namespace {

constexpr std::intptr_t kClosed = -1;

[[noreturn]] void Fail(const std::string& what) {
  throw std::system_error(errno, std::generic_category(), what);
}

int Fd(std::intptr_t handle) {
  return static_cast<int>(handle);
}

}  // namespace

DataFile::DataFile(const std::filesystem::path& path)
    : handle_(::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666)) {
  if (handle_ < 0) Fail("cannot open " + path.string());
}

DataFile DataFile::Temporary() {
  std::string name = (std::filesystem::temp_directory_path() / "vendrel-data-XXXXXX").string();
  const int fd = ::mkstemp(name.data());
  if (fd < 0) Fail("cannot make a temporary file in " + name);
  ::unlink(name.c_str());
  return DataFile(fd);
}

std::optional<DataFile> DataFile::OpenToRead(const std::filesystem::path& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  return DataFile(fd);
}

std::optional<DataFile> DataFile::OpenToReplace(const std::filesystem::path& path) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd < 0) return std::nullopt;
  return DataFile(fd);
}

DataFile::~DataFile() {
  if (handle_ != kClosed) ::close(Fd(handle_));
}

DataFile::DataFile(DataFile&& other) noexcept : handle_(other.handle_) {
  other.handle_ = kClosed;
}

std::uint64_t DataFile::Size() const {
  const off_t end = ::lseek(Fd(handle_), 0, SEEK_END);
  if (end < 0) Fail("cannot size a data file");
  return static_cast<std::uint64_t>(end);
}

void DataFile::WriteAt(std::uint64_t offset, const std::uint8_t* bytes, std::size_t size) {
  while (size > 0) {
    const ssize_t n = ::pwrite(Fd(handle_), bytes, size, static_cast<off_t>(offset));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) Fail("cannot write a data file");
    bytes += n;
    offset += static_cast<std::uint64_t>(n);
    size -= static_cast<std::size_t>(n);
  }
}

void DataFile::ReadAt(std::uint64_t offset, std::uint8_t* bytes, std::size_t size) const {
  while (size > 0) {
    const ssize_t n = ::pread(Fd(handle_), bytes, size, static_cast<off_t>(offset));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) Fail("cannot read a data file");
    if (n == 0) {
      errno = EIO;
      Fail("a data file ends " + std::to_string(size) + " bytes early");
    }
    bytes += n;
    offset += static_cast<std::uint64_t>(n);
    size -= static_cast<std::size_t>(n);
  }
}

std::uint64_t DataFile::CopyTo(std::uint64_t offset, std::uint64_t size, DataFile& target,
                               std::uint64_t at) const {
  auto from = static_cast<off_t>(offset);
  auto to = static_cast<off_t>(at);
  std::uint64_t done = 0;
  while (done < size) {
    const ssize_t n =
        ::copy_file_range(Fd(handle_), &from, Fd(target.handle_), &to, size - done, 0);
    if (n > 0) {
      done += static_cast<std::uint64_t>(n);
    } else if (n == 0) {
      return done;
    } else if (errno == EXDEV || errno == EINVAL || errno == ENOSYS || errno == EOPNOTSUPP) {
      break;  // not between these files: copied through a buffer below
    } else if (errno != EINTR) {
      Fail("cannot copy a data file");
    }
  }
  std::uint8_t buffer[64 * 1024];
  while (done < size) {
    const std::size_t piece =
        static_cast<std::size_t>(std::min<std::uint64_t>(sizeof buffer, size - done));
    const ssize_t n = ::pread(Fd(handle_), buffer, piece, from);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) Fail("cannot read a data file");
    if (n == 0) break;
    target.WriteAt(static_cast<std::uint64_t>(to), buffer, static_cast<std::size_t>(n));
    from += n;
    to += n;
    done += static_cast<std::uint64_t>(n);
  }
  return done;
}

void DataFile::Sync() {
  if (::fdatasync(Fd(handle_)) != 0) Fail("cannot sync a data file");
}

void DataFile::Truncate(std::uint64_t size) {
  if (::ftruncate(Fd(handle_), static_cast<off_t>(size)) != 0) Fail("cannot shorten a data file");
}

}  // namespace vendrel::platform
