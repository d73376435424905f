// Status codes that cross the host boundary: 32-bit HRESULT values, negative on failure.
#pragma once

#include <cstdint>

namespace vendrel::host {

using HResult = std::int32_t;

constexpr HResult MakeCode(std::uint32_t bits) { return static_cast<HResult>(bits); }

inline constexpr HResult kOk = 0;     // S_OK; the only "found" of a lookup
inline constexpr HResult kFalse = 1;  // S_FALSE; from a folder lookup: outside the vault
inline constexpr HResult kNoInterface = MakeCode(0x80004002);
inline constexpr HResult kPointer = MakeCode(0x80004003);  // a needed object came back null
inline constexpr HResult kFail = MakeCode(0x80004005);
inline constexpr HResult kUnexpected = MakeCode(0x8000FFFF);
inline constexpr HResult kOutOfMemory = MakeCode(0x8007000E);
inline constexpr HResult kInvalidArg = MakeCode(0x80070057);
inline constexpr HResult kTypeMismatch = MakeCode(0x80020005);

// The host's own codes that callers test or that the simulated vault returns.
inline constexpr HResult kNotLoggedIn = MakeCode(0x80040204);
inline constexpr HResult kPermissionDenied = MakeCode(0x80040203);
inline constexpr HResult kNameAlreadyExists = MakeCode(0x8004020F);
inline constexpr HResult kFileNotLockedByYou = MakeCode(0x80040210);
inline constexpr HResult kFileIsLocked = MakeCode(0x80040211);
inline constexpr HResult kLockedByAnotherUser = MakeCode(0x80040212);
inline constexpr HResult kFileNotFound = MakeCode(0x80040213);
inline constexpr HResult kFolderNotFound = MakeCode(0x80040214);
inline constexpr HResult kLockedOnOtherComputer = MakeCode(0x80040215);
inline constexpr HResult kStateNotFound = MakeCode(0x80040216);
inline constexpr HResult kInvalidName = MakeCode(0x80040219);
inline constexpr HResult kFolderNotEmpty = MakeCode(0x8004021B);
inline constexpr HResult kInvalidType = MakeCode(0x8004021E);
// A state change without a transition from the file's current state.
inline constexpr HResult kConditionsNotMet = MakeCode(0x80040235);
inline constexpr HResult kVariableNotFound = MakeCode(0x80040252);
inline constexpr HResult kInvalidGroupName = MakeCode(0x80040294);
inline constexpr HResult kLockedInOtherFolder = MakeCode(0x800402B0);

constexpr bool Succeeded(HResult hr) { return hr >= 0; }
constexpr bool Failed(HResult hr) { return hr < 0; }

}  // namespace vendrel::host

// Early return on a failed status, one line per call.
#define VENDREL_RETURN_IF_FAILED(expr)                        \
  do {                                                        \
    const ::vendrel::host::HResult vendrel_hr_ = (expr);      \
    if (::vendrel::host::Failed(vendrel_hr_)) return vendrel_hr_; \
  } while (false)
