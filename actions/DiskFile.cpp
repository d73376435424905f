// DiskFile over a standard file stream; failures become file errors that name the file.
#include "actions/DiskFile.h"

#include <cerrno>
#include <filesystem>
#include <system_error>

#include "platform/NativePath.h"

namespace vendrel::actions {
namespace {

FileError::Cause CauseOf(int error) {
  switch (error) {
    case ENOENT:
    case ENOTDIR:
      return FileError::Cause::kFileNotFound;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
      return FileError::Cause::kAccessDenied;
    case ENOSPC:
    case EFBIG:
      return FileError::Cause::kDiskFull;
    case EIO:
      return FileError::Cause::kHardIo;
    default:
      return FileError::Cause::kGeneric;
  }
}

std::ios::openmode OpenMode(DiskFile::Mode mode) {
  switch (mode) {
    case DiskFile::Mode::kRead:
      return std::ios::binary | std::ios::in;
    case DiskFile::Mode::kReadWrite:
      return std::ios::binary | std::ios::in | std::ios::out;
    case DiskFile::Mode::kReplace:
      break;
  }
  return std::ios::binary | std::ios::in | std::ios::out | std::ios::trunc;
}

}  // namespace

DiskFile::DiskFile(const std::wstring& path, Mode mode)
    : mode_(mode), native_(platform::NativePath(path)) {
  SetFilePath(path);
  // A directory opens as a stream on some systems; it is no file to read.
  std::error_code ec;
  if (std::filesystem::is_directory(native_, ec)) Fail(FileError::Cause::kAccessDenied);
  if (mode == Mode::kReplace) {
    replacement_.emplace(native_);
    if (replacement_->Error()) Fail(CauseOf(replacement_->Error().value()));
    native_ = replacement_->File();
  }
  errno = 0;
  stream_.open(native_, OpenMode(mode));
  if (!stream_.is_open()) Fail(CauseOf(errno));
}

std::uint64_t DiskFile::Tell() const {
  const auto pos = stream_.tellg();
  if (pos < 0) Fail(FileError::Cause::kBadSeek);
  return static_cast<std::uint64_t>(pos);
}

std::size_t DiskFile::Read(void* buffer, std::size_t n) {
  stream_.read(static_cast<char*>(buffer), static_cast<std::streamsize>(n));
  const auto count = static_cast<std::size_t>(stream_.gcount());
  if (stream_.bad()) Fail(FileError::Cause::kHardIo);
  // Reaching the end is no error; the stream must stay usable for later seeks and writes.
  stream_.clear();
  return count;
}

void DiskFile::Write(const void* data, std::size_t n) {
  errno = 0;
  stream_.write(static_cast<const char*>(data), static_cast<std::streamsize>(n));
  if (!stream_) {
    stream_.clear();
    Fail(errno == 0 ? FileError::Cause::kAccessDenied : CauseOf(errno));
  }
}

std::uint64_t DiskFile::Seek(std::int64_t offset, Origin origin) {
  std::int64_t base = 0;
  if (origin == Origin::kCurrent) base = static_cast<std::int64_t>(Tell());
  if (origin == Origin::kEnd) base = static_cast<std::int64_t>(GetLength());
  const std::int64_t target = base + offset;
  if (target < 0) Fail(FileError::Cause::kBadSeek);
  stream_.seekg(target);
  if (!stream_) {
    stream_.clear();
    Fail(FileError::Cause::kBadSeek);
  }
  return static_cast<std::uint64_t>(target);
}

std::uint64_t DiskFile::GetLength() const {
  const std::uint64_t here = Tell();
  stream_.seekg(0, std::ios::end);
  const std::uint64_t length = Tell();
  stream_.seekg(static_cast<std::streamoff>(here));
  return length;
}

void DiskFile::SetLength(std::uint64_t length) {
  if (mode_ == Mode::kRead) Fail(FileError::Cause::kAccessDenied);
  const std::uint64_t here = Tell();
  stream_.flush();
  std::error_code ec;
  std::filesystem::resize_file(native_, length, ec);
  if (ec) Fail(CauseOf(ec.value()));
  // The stream's buffer may hold bytes of the old size; reposition to drop it.
  stream_.seekg(static_cast<std::streamoff>(here));
}

std::unique_ptr<File> DiskFile::Duplicate() const {
  // Opened again by its name, a replacement would be the old file.
  if (replacement_) Fail(FileError::Cause::kAccessDenied);
  stream_.flush();
  const Mode mode = mode_ == Mode::kRead ? Mode::kRead : Mode::kReadWrite;
  auto copy = std::make_unique<DiskFile>(FilePath(), mode);
  copy->Seek(static_cast<std::int64_t>(Tell()), Origin::kBegin);
  return copy;
}

void DiskFile::Close() {
  if (!stream_.is_open()) return;
  errno = 0;
  stream_.close();
  if (stream_.fail()) Fail(errno == 0 ? FileError::Cause::kGeneric : CauseOf(errno));
  if (!replacement_) return;
  if (const std::error_code error = replacement_->Commit()) Fail(CauseOf(error.value()));
}

}  // namespace vendrel::actions
