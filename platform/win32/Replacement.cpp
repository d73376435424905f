// Renames that reach the disk, over Win32 file calls.
#include <windows.h>

#include <cerrno>

#include "platform/Replacement.h"

namespace vendrel::platform {
namespace {

// The few failures callers tell apart, as errno names them.
std::error_code LastError() {
  switch (GetLastError()) {
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
      return std::make_error_code(std::errc::file_exists);
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
      return std::make_error_code(std::errc::no_such_file_or_directory);
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_WRITE_PROTECT:
      return std::make_error_code(std::errc::permission_denied);
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return std::make_error_code(std::errc::no_space_on_device);
    default:
      return std::make_error_code(std::errc::io_error);
  }
}

std::error_code Opened(const std::filesystem::path& file, DWORD access, DWORD disposition,
                       bool sync) {
  const HANDLE handle = CreateFileW(file.c_str(), access, FILE_SHARE_READ, nullptr, disposition,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return LastError();
  const bool flushed = !sync || FlushFileBuffers(handle);
  const std::error_code error = flushed ? std::error_code() : LastError();
  CloseHandle(handle);
  return error;
}

}  // namespace

std::error_code RenameOver(const std::filesystem::path& from, const std::filesystem::path& to) {
  if (!MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    return LastError();
  return {};
}

namespace detail {

std::error_code CreateNew(const std::filesystem::path& file, const std::filesystem::path&) {
  return Opened(file, GENERIC_WRITE, CREATE_NEW, false);
}

std::error_code SyncFile(const std::filesystem::path& file) {
  return Opened(file, GENERIC_WRITE, OPEN_EXISTING, true);
}

}  // namespace detail
}  // namespace vendrel::platform
