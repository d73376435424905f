// The shared data file over a Win32 file handle; offsets go in each call's OVERLAPPED.
#include <windows.h>

#include <algorithm>
#include <string>
#include <system_error>

#include "platform/DataFile.h"
#include "platform/Utf8.h"

namespace vendrel::platform {
namespace {

constexpr std::intptr_t kClosed = 0;
// One call moves at most this much: the counts are 32 bits wide.
constexpr std::size_t kPiece = 1 << 30;

[[noreturn]] void Fail(const std::string& what) {
  throw std::system_error(static_cast<int>(GetLastError()), std::system_category(), what);
}

HANDLE Native(std::intptr_t handle) {
  return reinterpret_cast<HANDLE>(handle);
}

std::intptr_t Open(const wchar_t* path, DWORD flags, DWORD access = GENERIC_READ | GENERIC_WRITE,
                   DWORD disposition = OPEN_ALWAYS) {
  const HANDLE file =
      CreateFileW(path, access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                  disposition, flags, nullptr);
  return file == INVALID_HANDLE_VALUE ? kClosed : reinterpret_cast<std::intptr_t>(file);
}

OVERLAPPED At(std::uint64_t offset) {
  OVERLAPPED at{};
  at.Offset = static_cast<DWORD>(offset);
  at.OffsetHigh = static_cast<DWORD>(offset >> 32);
  return at;
}

}  // namespace

DataFile::DataFile(const std::filesystem::path& path)
    : handle_(Open(path.c_str(), FILE_ATTRIBUTE_NORMAL)) {
  if (handle_ == kClosed) Fail("cannot open " + ToUtf8(path.wstring()));
}

DataFile DataFile::Temporary() {
  wchar_t folder[MAX_PATH + 1];
  wchar_t name[MAX_PATH + 1];
  if (GetTempPathW(MAX_PATH + 1, folder) == 0 || GetTempFileNameW(folder, L"vdf", 0, name) == 0)
    Fail("cannot name a temporary file");
  const std::intptr_t handle = Open(name, FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE);
  if (handle == kClosed) {
    // The open's error is the one to tell, not the clean-up's.
    const DWORD error = GetLastError();
    DeleteFileW(name);
    SetLastError(error);
    Fail("cannot open a temporary file");
  }
  return DataFile(handle);
}

std::optional<DataFile> DataFile::OpenToRead(const std::filesystem::path& path) {
  const std::intptr_t handle =
      Open(path.c_str(), FILE_ATTRIBUTE_NORMAL, GENERIC_READ, OPEN_EXISTING);
  if (handle == kClosed) return std::nullopt;
  return DataFile(handle);
}

std::optional<DataFile> DataFile::OpenToReplace(const std::filesystem::path& path) {
  const std::intptr_t handle =
      Open(path.c_str(), FILE_ATTRIBUTE_NORMAL, GENERIC_WRITE, CREATE_ALWAYS);
  if (handle == kClosed) return std::nullopt;
  return DataFile(handle);
}

DataFile::~DataFile() {
  if (handle_ != kClosed) CloseHandle(Native(handle_));
}

DataFile::DataFile(DataFile&& other) noexcept : handle_(other.handle_) {
  other.handle_ = kClosed;
}

std::uint64_t DataFile::Size() const {
  LARGE_INTEGER size;
  if (!GetFileSizeEx(Native(handle_), &size)) Fail("cannot size a data file");
  return static_cast<std::uint64_t>(size.QuadPart);
}

void DataFile::WriteAt(std::uint64_t offset, const std::uint8_t* bytes, std::size_t size) {
  while (size > 0) {
    OVERLAPPED at = At(offset);
    DWORD done = 0;
    if (!WriteFile(Native(handle_), bytes, static_cast<DWORD>(std::min(size, kPiece)), &done, &at))
      Fail("cannot write a data file");
    bytes += done;
    offset += done;
    size -= done;
  }
}

void DataFile::ReadAt(std::uint64_t offset, std::uint8_t* bytes, std::size_t size) const {
  while (size > 0) {
    OVERLAPPED at = At(offset);
    DWORD done = 0;
    if (!ReadFile(Native(handle_), bytes, static_cast<DWORD>(std::min(size, kPiece)), &done, &at) &&
        GetLastError() != ERROR_HANDLE_EOF)
      Fail("cannot read a data file");
    if (done == 0) {
      SetLastError(ERROR_HANDLE_EOF);
      Fail("a data file ends " + std::to_string(size) + " bytes early");
    }
    bytes += done;
    offset += done;
    size -= done;
  }
}

std::uint64_t DataFile::CopyTo(std::uint64_t offset, std::uint64_t size, DataFile& target,
                               std::uint64_t at) const {
  std::uint8_t buffer[64 * 1024];
  std::uint64_t done = 0;
  while (done < size) {
    OVERLAPPED from = At(offset + done);
    DWORD read = 0;
    const auto piece = static_cast<DWORD>(std::min<std::uint64_t>(sizeof buffer, size - done));
    if (!ReadFile(Native(handle_), buffer, piece, &read, &from) &&
        GetLastError() != ERROR_HANDLE_EOF)
      Fail("cannot read a data file");
    if (read == 0) break;
    target.WriteAt(at + done, buffer, read);
    done += read;
  }
  return done;
}

void DataFile::Sync() {
  if (!FlushFileBuffers(Native(handle_))) Fail("cannot sync a data file");
}

void DataFile::Truncate(std::uint64_t size) {
  FILE_END_OF_FILE_INFO end{};
  end.EndOfFile.QuadPart = static_cast<LONGLONG>(size);
  if (!SetFileInformationByHandle(Native(handle_), FileEndOfFileInfo, &end, sizeof end))
    Fail("cannot shorten a data file");
}

}  // namespace vendrel::platform
