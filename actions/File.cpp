// Messages of file errors.
#include "actions/File.h"

#include <algorithm>
#include <utility>

namespace vendrel::actions {
namespace {

const char* Describe(FileError::Cause cause) {
  switch (cause) {
    case FileError::Cause::kGeneric:
      return "file: unspecified error";
    case FileError::Cause::kFileNotFound:
      return "file: not found";
    case FileError::Cause::kAccessDenied:
      return "file: access denied";
    case FileError::Cause::kBadSeek:
      return "file: bad seek";
    case FileError::Cause::kHardIo:
      return "file: hardware I/O error";
    case FileError::Cause::kDiskFull:
      return "file: disk full";
  }
  return "file error";
}

std::wstring Compose(FileError::Cause cause, const std::wstring& name) {
  const std::wstring shown = name.empty() ? L"an unnamed file" : name;
  switch (cause) {
    case FileError::Cause::kFileNotFound:
      return shown + L" was not found.";
    case FileError::Cause::kAccessDenied:
      return L"Access to " + shown + L" was denied.";
    case FileError::Cause::kBadSeek:
      return L"An error occurred while setting the file pointer for " + shown + L".";
    case FileError::Cause::kHardIo:
      return L"A hardware I/O error occurred while accessing " + shown + L".";
    case FileError::Cause::kDiskFull:
      return L"The disk is full while accessing " + shown + L".";
    case FileError::Cause::kGeneric:
      break;
  }
  return L"An unknown error occurred while accessing " + shown + L".";
}

}  // namespace

FileError::FileError(Cause cause, std::wstring fileName)
    : std::runtime_error(Describe(cause)),
      cause_(cause),
      fileName_(std::move(fileName)),
      message_(Compose(cause_, fileName_)) {}

std::uint32_t FileError::SystemError() const {
  switch (cause_) {
    case Cause::kFileNotFound:
      return 2;  // ERROR_FILE_NOT_FOUND
    case Cause::kAccessDenied:
      return 5;  // ERROR_ACCESS_DENIED
    case Cause::kBadSeek:
      return 25;  // ERROR_SEEK
    case Cause::kHardIo:
      return 1117;  // ERROR_IO_DEVICE
    case Cause::kDiskFull:
      return 112;  // ERROR_DISK_FULL
    case Cause::kGeneric:
      break;
  }
  return 31;  // ERROR_GEN_FAILURE
}

std::size_t File::Skip(std::size_t n) {
  std::uint8_t slice[4096];
  std::size_t skipped = 0;
  while (skipped < n) {
    const std::size_t read = Read(slice, std::min(n - skipped, sizeof slice));
    if (read == 0) break;
    skipped += read;
  }
  return skipped;
}

}  // namespace vendrel::actions
