// Posix file operations behaving like their Win32 namesakes, including their error codes.
#include "platform/posix/FileSystem.h"

#include "platform/posix/System.h"

#include <fcntl.h>
#include <sys/sendfile.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string>
#include <system_error>

#include "platform/CaseFold.h"
#include "platform/NativePath.h"

namespace vendrel::platform::posix {
namespace {

namespace fs = std::filesystem;

// Win32 system error codes.
constexpr std::uint32_t kFileNotFound = 2;
constexpr std::uint32_t kPathNotFound = 3;
constexpr std::uint32_t kAccessDenied = 5;
constexpr std::uint32_t kNotSameDevice = 17;
constexpr std::uint32_t kGeneralFailure = 31;
constexpr std::uint32_t kFileExists = 80;
constexpr std::uint32_t kDirNotEmpty = 145;
constexpr std::uint32_t kAlreadyExists = 183;
constexpr std::uint32_t kDiskFull = 112;

bool ReadOnly(const fs::path& path) {
  std::error_code ec;
  const fs::perms perms = fs::status(path, ec).permissions();
  return !ec && (perms & fs::perms::owner_write) == fs::perms::none;
}

// The file search's wildcards: * any run of characters, ? any one; case ignored.
bool Matches(const std::wstring& pattern, const std::wstring& name) {
  std::size_t p = 0, n = 0, star = std::wstring::npos, resume = 0;
  const auto same = [](wchar_t a, wchar_t b) { return LowerCase(a) == LowerCase(b); };
  while (n < name.size()) {
    if (p < pattern.size() && (pattern[p] == L'?' || same(pattern[p], name[n]))) {
      ++p;
      ++n;
    } else if (p < pattern.size() && pattern[p] == L'*') {
      star = p++;
      resume = n;
    } else if (star != std::wstring::npos) {
      p = star + 1;
      n = ++resume;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == L'*') ++p;
  return p == pattern.size();
}

// The Win32 error that stands for an errno value.
std::uint32_t ErrorOf(int error) {
  switch (error) {
    case ENOENT:
      return kFileNotFound;
    case ENOTDIR:
      return kPathNotFound;
    case EACCES:
    case EPERM:
    case EISDIR:
      return kAccessDenied;
    case EEXIST:
      return kAlreadyExists;
    case ENOTEMPTY:
      return kDirNotEmpty;
    case EXDEV:
      return kNotSameDevice;
    case ENOSPC:
      return kDiskFull;
    default:
      return kGeneralFailure;
  }
}

// An open file descriptor, closed with its owner.
class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() { ::close(fd_); }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int Get() const { return fd_; }

 private:
  int fd_;
};

// A read of at most `size` bytes, tried again when a signal cuts it short; -1 with errno set.
ssize_t ReadSome(int fd, char* buffer, std::size_t size) {
  ssize_t n;
  do {
    n = ::read(fd, buffer, size);
  } while (n < 0 && errno == EINTR);
  return n;
}

// Writes all `size` bytes; false with errno set when a write fails.
bool WriteAll(int fd, const char* bytes, std::size_t size) {
  while (size > 0) {
    const ssize_t n = ::write(fd, bytes, size);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    bytes += n;
    size -= static_cast<std::size_t>(n);
  }
  return true;
}

// Copies `size` bytes from the current offset of `in` to `out`, in the kernel where the file
// systems allow it; false with errno set when a read or write fails.
bool CopyContents(int in, int out, off_t size) {
  off_t done = 0;
  while (done < size) {
    const ssize_t n = ::sendfile(out, in, nullptr, static_cast<std::size_t>(size - done));
    if (n > 0) {
      done += n;
    } else if (n == 0) {
      return true;  // the source shrank meanwhile
    } else if (errno == EINVAL || errno == ENOSYS) {
      break;
    } else if (errno != EINTR) {
      return false;
    }
  }
  if (done >= size) return true;
  char buffer[64 * 1024];
  for (;;) {
    const ssize_t n = ReadSome(in, buffer, sizeof buffer);
    if (n <= 0) return n == 0;
    if (!WriteAll(out, buffer, static_cast<std::size_t>(n))) return false;
  }
}

class PosixFileReader final : public FileReader {
 public:
  explicit PosixFileReader(int fd) : fd_(fd) {}
  bool Read(char* buffer, std::size_t size, std::size_t& count) override {
    const ssize_t n = ReadSome(fd_.Get(), buffer, size);
    if (n < 0) {
      error_ = ErrorOf(errno);
      return false;
    }
    count = static_cast<std::size_t>(n);
    return true;
  }
  std::uint32_t Error() const override { return error_; }

 private:
  Descriptor fd_;
  std::uint32_t error_ = 0;
};

class PosixFileWriter final : public FileWriter {
 public:
  explicit PosixFileWriter(int fd) : fd_(fd) {}
  bool Write(const char* bytes, std::size_t size) override {
    if (WriteAll(fd_.Get(), bytes, size)) return true;
    error_ = ErrorOf(errno);
    return false;
  }
  std::uint32_t Error() const override { return error_; }

 private:
  Descriptor fd_;
  std::uint32_t error_ = 0;
};

}  // namespace

bool PosixFileSystem::AnyMatch(const std::wstring& pattern) {
  const std::size_t slash = pattern.find_last_of(L"\\/");
  std::wstring last = slash == std::wstring::npos ? pattern : pattern.substr(slash + 1);
  if (last.find_first_of(L"*?") == std::wstring::npos) return Attributes(pattern).has_value();
  // "*.*" has always meant every name, with a dot or without.
  if (last.size() >= 2 && last.compare(last.size() - 2, 2, L".*") == 0 &&
      last.find_first_not_of(L'*') == last.size() - 2) {
    last = L"*";
  }
  const std::wstring folder = slash == std::wstring::npos ? L"." : pattern.substr(0, slash + 1);
  std::error_code ec;
  fs::directory_iterator entries(drives_.Map(folder).text, ec);
  if (ec) return false;
  // A search in a folder other than a drive's root also meets its "." and ".." entries.
  const bool driveRoot = folder.size() == 3 && folder[1] == L':';
  if (!driveRoot && (Matches(last, L".") || Matches(last, L".."))) return true;
  for (const fs::directory_entry& entry : entries) {
    if (Matches(last, PathText(entry.path().filename()))) return true;
  }
  return false;
}

bool PosixFileSystem::Fail(std::uint32_t error) {
  lastError_ = error;
  return false;
}

bool PosixFileSystem::Fail(const std::error_code& ec) {
  return Fail(ErrorOf(ec.value()));
}

std::optional<std::uint32_t> PosixFileSystem::Attributes(const std::wstring& path) {
  auto [native, status] = drives_.Map(path);
  if (status.st_mode == 0 && ::stat(native.c_str(), &status) != 0) {
    Fail(kFileNotFound);
    return std::nullopt;
  }
  std::uint32_t attributes = 0;
  if (S_ISDIR(status.st_mode)) attributes |= kAttributeDirectory;
  if (!(status.st_mode & S_IWUSR)) attributes |= kAttributeReadOnly;
  return attributes ? attributes : 0x80;  // FILE_ATTRIBUTE_NORMAL
}

// A copy loop spends its time here, so each file is looked at once, through its descriptor.
bool PosixFileSystem::CopyFile(const std::wstring& from, const std::wstring& to,
                               bool failIfExists) {
  // Non-blocking, so that a named pipe is refused instead of waited on. Most sources exist as
  // spelt: opened so first, they need no lookup.
  constexpr int kReading = O_RDONLY | O_NONBLOCK | O_CLOEXEC;
  int opened = ::open(drives_.Map(from, DriveMap::Use::kOpen).text.c_str(), kReading);
  if (opened < 0) opened = ::open(drives_.Map(from).text.c_str(), kReading);
  const Descriptor in(opened);
  if (in.Get() < 0) return Fail(errno == EACCES ? kAccessDenied : kFileNotFound);
  struct stat status {};
  if (::fstat(in.Get(), &status) != 0 || !S_ISREG(status.st_mode)) return Fail(kFileNotFound);
  const std::string target = drives_.Map(to, DriveMap::Use::kWrite).text;

  // Like Windows, the copy takes the source's attributes, read-only included: set after the
  // contents, since the file mode mask may have taken some away as it was made.
  const mode_t mode = status.st_mode & 07777;
  int out = ::open(target.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
  const bool created = out >= 0;
  if (out < 0 && errno == EEXIST) {
    if (failIfExists) return Fail(kFileExists);
    // Checked here and not left to open(), which lets root write a read-only file.
    struct stat existing {};
    if (::stat(target.c_str(), &existing) == 0) {
      if (S_ISDIR(existing.st_mode) || !(existing.st_mode & S_IWUSR)) return Fail(kAccessDenied);
      if (existing.st_dev == status.st_dev && existing.st_ino == status.st_ino)
        return Fail(kAlreadyExists);  // truncating it would empty the source
    }
    out = ::open(target.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
  }
  if (out < 0) return Fail(errno == ENOENT || errno == ENOTDIR ? kPathNotFound : ErrorOf(errno));
  const Descriptor copy(out);
  if (!CopyContents(in.Get(), copy.Get(), status.st_size)) {
    const int error = errno;
    // What was written stays writable, so that copying again may replace it.
    if (created) ::fchmod(copy.Get(), S_IRUSR | S_IWUSR);
    return Fail(ErrorOf(error));
  }
  return ::fchmod(copy.Get(), mode) == 0 || Fail(ErrorOf(errno));
}

bool PosixFileSystem::MoveFile(const std::wstring& from, const std::wstring& to) {
  const fs::path source = drives_.Map(from).text;
  const fs::path target = drives_.Map(to).text;
  std::error_code ec;
  if (!fs::exists(source, ec)) return Fail(kFileNotFound);
  // Renaming only the case of a name is allowed; any other existing target is refused.
  if (fs::exists(target, ec) && !fs::equivalent(source, target, ec)) return Fail(kAlreadyExists);
  if (!fs::is_directory(target.parent_path(), ec)) return Fail(kPathNotFound);
  fs::rename(source, target, ec);
  return !ec || Fail(ec);
}

bool PosixFileSystem::DeleteFile(const std::wstring& path) {
  const fs::path native = drives_.Map(path).text;
  std::error_code ec;
  if (!fs::exists(native, ec)) return Fail(kFileNotFound);
  if (fs::is_directory(native, ec) || ReadOnly(native)) return Fail(kAccessDenied);
  fs::remove(native, ec);
  return !ec || Fail(ec);
}

bool PosixFileSystem::MakeWritable(const std::wstring& path) {
  std::error_code ec;
  fs::permissions(drives_.Map(path).text, fs::perms::owner_write, fs::perm_options::add, ec);
  return !ec || Fail(ec);
}

bool PosixFileSystem::CreateDirectory(const std::wstring& path) {
  const fs::path native = drives_.Map(path).text;
  std::error_code ec;
  if (fs::exists(native, ec)) return Fail(kAlreadyExists);
  if (!fs::is_directory(native.parent_path(), ec)) return Fail(kPathNotFound);
  fs::create_directory(native, ec);
  return !ec || Fail(ec);
}

std::wstring PosixFileSystem::CurrentDirectory() {
  std::error_code ec;
  const fs::path current = fs::current_path(ec);
  return ec ? std::wstring() : drives_.ToWindows(current);
}

// Windows opens no folder as a file, and names a missing folder on the way apart from a missing
// file.
std::optional<std::uint32_t> PosixFileSystem::OpenFailure(const fs::path& native, int error) {
  std::error_code ec;
  if (fs::is_directory(native, ec)) return kAccessDenied;
  if (error == ENOENT && !fs::is_directory(native.parent_path(), ec)) return kPathNotFound;
  return error == 0 ? std::nullopt : std::optional<std::uint32_t>(ErrorOf(error));
}

std::unique_ptr<FileReader> PosixFileSystem::OpenForReading(const std::wstring& path) {
  const fs::path native = drives_.Map(path).text;
  const int fd = ::open(native.c_str(), O_RDONLY | O_CLOEXEC);
  const std::optional<std::uint32_t> failure = OpenFailure(native, fd < 0 ? errno : 0);
  if (failure) {
    if (fd >= 0) ::close(fd);
    Fail(*failure);
    return nullptr;
  }
  return std::make_unique<PosixFileReader>(fd);
}

std::unique_ptr<FileWriter> PosixFileSystem::OpenForWriting(const std::wstring& path, bool append) {
  const fs::path native = drives_.Map(path).text;
  // Root writes read-only files too; Windows lets nobody.
  if (ReadOnly(native)) {
    Fail(kAccessDenied);
    return nullptr;
  }
  const int flags = O_WRONLY | O_CREAT | O_CLOEXEC | (append ? O_APPEND : O_TRUNC);
  const int fd = ::open(native.c_str(), flags, 0666);
  if (fd < 0) {
    Fail(OpenFailure(native, errno).value_or(kGeneralFailure));
    return nullptr;
  }
  return std::make_unique<PosixFileWriter>(fd);
}

std::wstring PosixFileSystem::ErrorText(std::uint32_t error) {
  return Win32ErrorText(error);
}

}  // namespace vendrel::platform::posix
