// Starting programs and documents through the shell, and the path rules that go with it.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace vendrel::platform {

// The request's mask bits, with the Win32 values (SEE_MASK_*).
namespace see {
inline constexpr std::uint32_t kClassName = 0x1;
inline constexpr std::uint32_t kInvokeIdList = 0xC;
inline constexpr std::uint32_t kNoCloseProcess = 0x40;
}  // namespace see

inline constexpr std::int32_t kShowNormal = 1;

struct ShellRequest {
  std::uint32_t mask = 0;
  std::wstring verb;
  std::wstring file;
  std::wstring parameters;
  std::wstring className;  // with see::kClassName
  std::int32_t show = kShowNormal;
};

// A started process; the handle is closed when the object goes.
class Process {
 public:
  virtual ~Process() = default;
  // Blocks without delivering any message until the process ends.
  virtual void Wait() = 0;
};

struct ShellResult {
  bool started = false;
  // Only with see::kNoCloseProcess, and only when the shell started a process.
  std::unique_ptr<Process> process;
};

class Shell {
 public:
  virtual ~Shell() = default;
  virtual ShellResult Execute(const ShellRequest& request) = 0;
  // The Windows system folder; empty when it cannot be determined.
  virtual std::wstring SystemFolder() = 0;
  // The path without its last component: "C:\a\b" gives "C:\a", "C:\a" gives "C:\", a root
  // stays as it is, a bare name gives "".
  virtual std::wstring RemoveFileSpec(const std::wstring& path) = 0;
};

}  // namespace vendrel::platform
