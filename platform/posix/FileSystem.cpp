// Posix file operations behaving like their Win32 namesakes, including their error codes.
#include "platform/posix/FileSystem.h"

#include "platform/posix/System.h"

#include <cerrno>
#include <system_error>

#include "platform/CaseFold.h"

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
  fs::directory_iterator entries(drives_.ToNative(folder), ec);
  if (ec) return false;
  // A search in a folder other than a drive's root also meets its "." and ".." entries.
  const bool driveRoot = folder.size() == 3 && folder[1] == L':';
  if (!driveRoot && (Matches(last, L".") || Matches(last, L".."))) return true;
  for (const fs::directory_entry& entry : entries) {
    if (Matches(last, entry.path().filename().wstring())) return true;
  }
  return false;
}

bool PosixFileSystem::Fail(std::uint32_t error) {
  lastError_ = error;
  return false;
}

bool PosixFileSystem::Fail(const std::error_code& ec) {
  switch (ec.value()) {
    case ENOENT:
      return Fail(kFileNotFound);
    case ENOTDIR:
      return Fail(kPathNotFound);
    case EACCES:
    case EPERM:
    case EISDIR:
      return Fail(kAccessDenied);
    case EEXIST:
      return Fail(kAlreadyExists);
    case ENOTEMPTY:
      return Fail(kDirNotEmpty);
    case EXDEV:
      return Fail(kNotSameDevice);
    default:
      return Fail(kGeneralFailure);
  }
}

std::optional<std::uint32_t> PosixFileSystem::Attributes(const std::wstring& path) {
  const fs::path native = drives_.ToNative(path);
  std::error_code ec;
  const fs::file_status status = fs::status(native, ec);
  if (ec || !fs::exists(status)) {
    Fail(kFileNotFound);
    return std::nullopt;
  }
  std::uint32_t attributes = 0;
  if (fs::is_directory(status)) attributes |= kAttributeDirectory;
  if ((status.permissions() & fs::perms::owner_write) == fs::perms::none)
    attributes |= kAttributeReadOnly;
  return attributes ? attributes : 0x80;  // FILE_ATTRIBUTE_NORMAL
}

bool PosixFileSystem::CopyFile(const std::wstring& from, const std::wstring& to,
                               bool failIfExists) {
  const fs::path source = drives_.ToNative(from);
  const fs::path target = drives_.ToNative(to);
  std::error_code ec;
  if (!fs::is_regular_file(source, ec)) return Fail(kFileNotFound);
  if (fs::exists(target, ec)) {
    if (failIfExists) return Fail(kFileExists);
    if (ReadOnly(target) || fs::is_directory(target, ec)) return Fail(kAccessDenied);
  } else if (!fs::is_directory(target.parent_path(), ec)) {
    return Fail(kPathNotFound);
  }
  // Like Windows, the copy takes the source's attributes, read-only included.
  fs::copy_file(source, target, fs::copy_options::overwrite_existing, ec);
  if (ec) return Fail(ec);
  fs::permissions(target, fs::status(source).permissions(), ec);
  return !ec || Fail(ec);
}

bool PosixFileSystem::MoveFile(const std::wstring& from, const std::wstring& to) {
  const fs::path source = drives_.ToNative(from);
  const fs::path target = drives_.ToNative(to);
  std::error_code ec;
  if (!fs::exists(source, ec)) return Fail(kFileNotFound);
  // Renaming only the case of a name is allowed; any other existing target is refused.
  if (fs::exists(target, ec) && !fs::equivalent(source, target, ec)) return Fail(kAlreadyExists);
  if (!fs::is_directory(target.parent_path(), ec)) return Fail(kPathNotFound);
  fs::rename(source, target, ec);
  return !ec || Fail(ec);
}

bool PosixFileSystem::DeleteFile(const std::wstring& path) {
  const fs::path native = drives_.ToNative(path);
  std::error_code ec;
  if (!fs::exists(native, ec)) return Fail(kFileNotFound);
  if (fs::is_directory(native, ec) || ReadOnly(native)) return Fail(kAccessDenied);
  fs::remove(native, ec);
  return !ec || Fail(ec);
}

bool PosixFileSystem::MakeWritable(const std::wstring& path) {
  std::error_code ec;
  fs::permissions(drives_.ToNative(path), fs::perms::owner_write, fs::perm_options::add, ec);
  return !ec || Fail(ec);
}

bool PosixFileSystem::CreateDirectory(const std::wstring& path) {
  const fs::path native = drives_.ToNative(path);
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

std::wstring PosixFileSystem::ErrorText(std::uint32_t error) {
  return Win32ErrorText(error);
}

}  // namespace vendrel::platform::posix
