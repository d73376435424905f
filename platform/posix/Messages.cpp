// The system's message texts for the codes the emulation and the simulated vault produce, in the
// wording of an English Windows.
#include <span>

#include "platform/posix/System.h"

namespace vendrel::platform::posix {
namespace {

struct Message {
  std::uint32_t code;
  const wchar_t* text;
};

constexpr Message kWin32Errors[] = {
    {0, L"The operation completed successfully."},
    {2, L"The system cannot find the file specified."},
    {3, L"The system cannot find the path specified."},
    {5, L"Access is denied."},
    {6, L"The handle is invalid."},
    {14, L"Not enough memory resources are available to complete this operation."},
    {17, L"The system cannot move the file to a different disk drive."},
    {31, L"A device attached to the system is not functioning."},
    {32, L"The process cannot access the file because it is being used by another process."},
    {80, L"The file exists."},
    {87, L"The parameter is incorrect."},
    {112, L"There is not enough space on the disk."},
    {145, L"The directory is not empty."},
    {183, L"Cannot create a file when that file already exists."},
};

// Status codes of COM itself; Win32 errors wrapped as status codes are looked up above.
constexpr Message kStatusCodes[] = {
    {0x80004001, L"Not implemented"},      {0x80004002, L"No such interface supported"},
    {0x80004003, L"Invalid pointer"},      {0x80004004, L"Operation aborted"},
    {0x80004005, L"Unspecified error"},    {0x8000FFFF, L"Catastrophic failure"},
    {0x80020005, L"Type mismatch."},       {0x8002000A, L"Out of present range."},
    {0x80040154, L"Class not registered"}, {0x800401F3, L"Invalid class string"},
};

std::wstring Find(std::span<const Message> messages, std::uint32_t code) {
  for (const Message& message : messages) {
    if (message.code == code) return message.text;
  }
  return {};
}

constexpr std::uint32_t kWin32Facility = 0x80070000;

}  // namespace

std::wstring Win32ErrorText(std::uint32_t error) {
  return Find(kWin32Errors, error);
}

std::wstring PosixMachine::SystemMessage(std::uint32_t code) {
  if (code <= 0xFFFF) return Win32ErrorText(code);
  if ((code & 0xFFFF0000) == kWin32Facility) return Win32ErrorText(code & 0xFFFF);
  return Find(kStatusCodes, code);
}

}  // namespace vendrel::platform::posix
