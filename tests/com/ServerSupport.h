// What the server tests share: the host's installation folder with its UI libraries, regsvr32
// runs, registry reads, and a registrar that records what the add-in registers.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "host/AddIn.h"
#include "host/com/Com.h"
#include "tests/uilibs/win32/HostFolder.h"

namespace vendrel::com {

inline constexpr wchar_t kClsid[] = L"{F0D15666-9D15-4A30-B2E3-97C32FC84DFA}";
inline constexpr wchar_t kTypeLib[] = L"{D37BEA75-8C23-435D-A466-BF35D4A6A4AA}";

using uilibs::testing::BinFolder;
using uilibs::testing::InstallFolder;
// Copies our UI libraries into the installation folder and registers that folder as the host's.
using HostInstallation = uilibs::testing::HostFolderEnvironment;

// Runs `command` in `folder` (null: this process's) with the standard handles of `startup`,
// inherited when it names them, and waits for it: its exit code, or nothing with `error` set
// when it could not start.
std::optional<DWORD> RunAndWait(std::wstring command, const STARTUPINFOW& startup,
                                const wchar_t* folder, DWORD& error);

std::optional<std::wstring> ReadText(HKEY root, const std::wstring& key, const wchar_t* name);
bool KeyExists(HKEY root, const std::wstring& key);
// regsvr32 /s [arguments] server: its exit code.
DWORD RunRegsvr32(const std::wstring& arguments, const std::wstring& server);

class RecordingRegistrar : public host::HostRegistrar {
 public:
  struct Command {
    std::int32_t id, flags, int1, int2;
    std::wstring text, text2, text3;
    bool operator==(const Command&) const = default;
    // Readable in a failed expectation.
    friend void PrintTo(const Command& c, std::ostream* out) {
      *out << c.id << " flags 0x" << std::hex << c.flags << std::dec << ' '
           << ::testing::PrintToString(c.text) << ' ' << ::testing::PrintToString(c.text2) << ' '
           << ::testing::PrintToString(c.text3) << ' ' << c.int1 << ' ' << c.int2;
    }
  };
  host::HResult AddMenuCommand(std::int32_t id, const std::wstring& text, std::int32_t flags,
                               const std::wstring& text2, const std::wstring& text3,
                               std::int32_t int1, std::int32_t int2) override {
    commands.push_back({id, flags, int1, int2, text, text2, text3});
    return host::kOk;
  }
  host::HResult AddHook(std::int32_t kind, std::int32_t arg) override {
    hooks.emplace_back(kind, arg);
    return host::kOk;
  }
  std::vector<Command> commands;
  std::vector<std::pair<std::int32_t, std::int32_t>> hooks;
};

}  // namespace vendrel::com
