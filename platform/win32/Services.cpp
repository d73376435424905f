// Win32 files, registry, environment, clock and names.
#include "platform/win32/Services.h"

#include <windows.h>

#include <algorithm>

#include "uilibs/win32/Handle.h"

// The Win32 function macros would rename the interface's operations.
#undef CopyFile
#undef MoveFile
#undef DeleteFile
#undef CreateDirectory

namespace vendrel::platform {
namespace {

// The thread's error object, released after its description is read.
struct ErrorInfoTraits {
  using Type = IErrorInfo*;
  static Type Empty() { return nullptr; }
  static void Close(Type h) { h->Release(); }
};

HKEY RootKey(RegistryRoot root) {
  switch (root) {
    case RegistryRoot::kClassesRoot:
      return HKEY_CLASSES_ROOT;
    case RegistryRoot::kCurrentUser:
      return HKEY_CURRENT_USER;
    case RegistryRoot::kLocalMachine:
      return HKEY_LOCAL_MACHINE;
    case RegistryRoot::kUsers:
      return HKEY_USERS;
    case RegistryRoot::kCurrentConfig:
      return HKEY_CURRENT_CONFIG;
  }
  return HKEY_CURRENT_USER;
}

using Key = uilibs::UniqueHkey;
using uilibs::UniqueFile;

bool Open(RegistryRoot root, const std::wstring& subkey, REGSAM access, Key& key) {
  return RegOpenKeyExW(RootKey(root), subkey.c_str(), 0, access, key.Put()) == ERROR_SUCCESS;
}

// Write access only: a key the user may write but not read takes a value all the same.
bool Create(RegistryRoot root, const std::wstring& subkey, Key& key) {
  return RegCreateKeyExW(RootKey(root), subkey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                         KEY_WRITE, nullptr, key.Put(), nullptr) == ERROR_SUCCESS;
}

// The system's message text as FormatMessageW gives it, line end included.
std::wstring SystemText(std::uint32_t code) {
  wchar_t* buffer = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), reinterpret_cast<wchar_t*>(&buffer),
      0, nullptr);
  std::wstring text = length ? std::wstring(buffer, length) : std::wstring();
  LocalFree(buffer);
  return text;
}

class Win32FileReader final : public FileReader {
 public:
  explicit Win32FileReader(UniqueFile file) : file_(std::move(file)) {}
  bool Read(char* buffer, std::size_t size, std::size_t& count) override {
    DWORD read = 0;
    const DWORD wanted = static_cast<DWORD>(std::min<std::size_t>(size, 1u << 30));
    if (!ReadFile(file_.Get(), buffer, wanted, &read, nullptr)) {
      error_ = GetLastError();
      return false;
    }
    count = read;
    return true;
  }
  std::uint32_t Error() const override { return error_; }

 private:
  UniqueFile file_;
  std::uint32_t error_ = 0;
};

class Win32FileWriter final : public FileWriter {
 public:
  explicit Win32FileWriter(UniqueFile file) : file_(std::move(file)) {}
  bool Write(const char* bytes, std::size_t size) override {
    while (size > 0) {
      DWORD written = 0;
      const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(size, 1u << 30));
      if (!WriteFile(file_.Get(), bytes, chunk, &written, nullptr)) {
        error_ = GetLastError();
        return false;
      }
      bytes += written;
      size -= written;
    }
    return true;
  }
  std::uint32_t Error() const override { return error_; }

 private:
  UniqueFile file_;
  std::uint32_t error_ = 0;
};

}  // namespace

bool Win32FileSystem::Result(bool ok) {
  if (!ok) lastError_ = GetLastError();
  return ok;
}

std::optional<std::uint32_t> Win32FileSystem::Attributes(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    lastError_ = GetLastError();
    return std::nullopt;
  }
  return attributes;
}

bool Win32FileSystem::AnyMatch(const std::wstring& pattern) {
  WIN32_FIND_DATAW found;
  const uilibs::UniqueFind search(FindFirstFileW(pattern.c_str(), &found));
  return static_cast<bool>(search);
}

bool Win32FileSystem::CopyFile(const std::wstring& from, const std::wstring& to,
                               bool failIfExists) {
  return Result(CopyFileW(from.c_str(), to.c_str(), failIfExists) != 0);
}

bool Win32FileSystem::MoveFile(const std::wstring& from, const std::wstring& to) {
  return Result(MoveFileW(from.c_str(), to.c_str()) != 0);
}

bool Win32FileSystem::DeleteFile(const std::wstring& path) {
  return Result(DeleteFileW(path.c_str()) != 0);
}

bool Win32FileSystem::MakeWritable(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return Result(false);
  return Result(SetFileAttributesW(path.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY) != 0);
}

bool Win32FileSystem::CreateDirectory(const std::wstring& path) {
  return Result(CreateDirectoryW(path.c_str(), nullptr) != 0);
}

std::wstring Win32FileSystem::CurrentDirectory() {
  wchar_t buffer[MAX_PATH];
  const DWORD length = GetCurrentDirectoryW(MAX_PATH, buffer);
  return length > 0 && length < MAX_PATH ? std::wstring(buffer, length) : std::wstring();
}

std::unique_ptr<FileReader> Win32FileSystem::OpenForReading(const std::wstring& path) {
  UniqueFile file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!Result(static_cast<bool>(file))) return nullptr;
  return std::make_unique<Win32FileReader>(std::move(file));
}

std::unique_ptr<FileWriter> Win32FileSystem::OpenForWriting(const std::wstring& path, bool append) {
  UniqueFile file(CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                              append ? OPEN_ALWAYS : CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                              nullptr));
  if (!Result(static_cast<bool>(file))) return nullptr;
  if (append && !Result(SetFilePointerEx(file.Get(), LARGE_INTEGER{}, nullptr, FILE_END) != 0))
    return nullptr;
  return std::make_unique<Win32FileWriter>(std::move(file));
}

std::wstring Win32FileSystem::ErrorText(std::uint32_t error) {
  return SystemText(error);
}

bool Win32Registry::KeyExists(RegistryRoot root, const std::wstring& subkey) {
  Key key;
  return Open(root, subkey, KEY_READ, key);
}

bool Win32Registry::CreateKey(RegistryRoot root, const std::wstring& subkey) {
  Key key;
  return Create(root, subkey, key);
}

std::optional<RegistryData> Win32Registry::Read(RegistryRoot root, const std::wstring& subkey,
                                                const std::wstring& name) {
  Key key;
  if (!Open(root, subkey, KEY_QUERY_VALUE, key)) return std::nullopt;
  DWORD type = 0;
  DWORD size = 0;
  if (RegQueryValueExW(key.Get(), name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
    return std::nullopt;
  if (type == REG_DWORD) {
    DWORD value = 0;
    size = sizeof value;
    if (RegQueryValueExW(key.Get(), name.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(&value),
                         &size) != ERROR_SUCCESS)
      return std::nullopt;
    return static_cast<std::uint32_t>(value);
  }
  if (type != REG_SZ && type != REG_EXPAND_SZ) return std::nullopt;
  std::wstring text(size / sizeof(wchar_t) + 1, L'\0');
  size = static_cast<DWORD>(text.size() * sizeof(wchar_t));
  if (RegQueryValueExW(key.Get(), name.c_str(), nullptr, nullptr,
                       reinterpret_cast<BYTE*>(text.data()), &size) != ERROR_SUCCESS)
    return std::nullopt;
  // The stored data may or may not end with its terminator.
  text.resize(size / sizeof(wchar_t));
  while (!text.empty() && text.back() == L'\0') text.pop_back();
  return text;
}

bool Win32Registry::Write(RegistryRoot root, const std::wstring& subkey, const std::wstring& name,
                          const RegistryData& data) {
  Key key;
  if (!Create(root, subkey, key)) return false;
  if (const auto* text = std::get_if<std::wstring>(&data)) {
    return RegSetValueExW(
               key.Get(), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text->c_str()),
               static_cast<DWORD>((text->size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
  }
  const DWORD value = std::get<std::uint32_t>(data);
  return RegSetValueExW(key.Get(), name.c_str(), 0, REG_DWORD,
                        reinterpret_cast<const BYTE*>(&value), sizeof value) == ERROR_SUCCESS;
}

bool Win32Registry::DeleteValue(RegistryRoot root, const std::wstring& subkey,
                                const std::wstring& name) {
  Key key;
  return Open(root, subkey, KEY_SET_VALUE, key) &&
         RegDeleteValueW(key.Get(), name.c_str()) == ERROR_SUCCESS;
}

bool Win32Registry::DeleteTree(RegistryRoot root, const std::wstring& subkey) {
  if (RegDeleteTreeW(RootKey(root), subkey.c_str()) != ERROR_SUCCESS) return false;
  // RegDeleteTreeW empties the key; the key itself goes with RegDeleteKeyW.
  return subkey.empty() || RegDeleteKeyW(RootKey(root), subkey.c_str()) == ERROR_SUCCESS ||
         !KeyExists(root, subkey);
}

std::optional<std::wstring> Win32Environment::Get(const std::wstring& name) {
  const DWORD size = GetEnvironmentVariableW(name.c_str(), nullptr, 0);
  if (size == 0) return std::nullopt;
  std::wstring value(size, L'\0');
  const DWORD length = GetEnvironmentVariableW(name.c_str(), value.data(), size);
  value.resize(length);
  return value;
}

std::vector<std::wstring> Win32Environment::Block() {
  std::vector<std::wstring> block;
  wchar_t* const strings = GetEnvironmentStringsW();
  if (!strings) return block;
  for (const wchar_t* entry = strings; *entry; entry += block.back().size() + 1)
    block.emplace_back(entry);
  FreeEnvironmentStringsW(strings);
  return block;
}

LocalTime Win32Clock::Now() {
  SYSTEMTIME time;
  GetLocalTime(&time);
  return {time.wYear, time.wMonth, time.wDay, time.wHour, time.wMinute, time.wSecond};
}

Clock& SystemClock() {
  static Win32Clock clock;
  return clock;
}

void Win32Clock::Sleep(std::uint32_t milliseconds) {
  ::Sleep(milliseconds);
}

std::wstring Win32Machine::ComputerName() {
  if (!computer_) {
    wchar_t name[MAX_COMPUTERNAME_LENGTH + 1];
    DWORD size = MAX_COMPUTERNAME_LENGTH + 1;
    computer_ = GetComputerNameW(name, &size) ? std::wstring(name, size) : std::wstring();
  }
  return *computer_;
}

std::wstring Win32Machine::UserName() {
  wchar_t name[257];
  DWORD size = 257;
  return GetUserNameW(name, &size) && size > 0 ? std::wstring(name, size - 1) : std::wstring();
}

std::wstring Win32Machine::SystemMessage(std::uint32_t code) {
  std::wstring text = SystemText(code);
  if (text.ends_with(L'\n')) {
    text.pop_back();
    if (text.ends_with(L'\r')) text.pop_back();
  }
  return text;
}

std::wstring Win32Machine::ErrorObjectDescription() {
  uilibs::UniqueHandle<ErrorInfoTraits> info;
  if (GetErrorInfo(0, info.Put()) != S_OK || !info) return {};
  uilibs::UniqueBstr description;
  if (FAILED(info.Get()->GetDescription(description.Put())) || !description) return {};
  return std::wstring(description.Get(), SysStringLen(description.Get()));
}

}  // namespace vendrel::platform
