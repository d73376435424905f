// Host status codes to text: the host's message table, its special codes and ranges, then the
// system's text.
#include "commands/vault/HostErrors.h"

#include <cstdint>

#include "actions/ActionData.h"
#include "host/StatusTable.h"
#include "host/Strings.h"

namespace vendrel::commands {
namespace {

constexpr std::uint32_t Bits(host::HResult code) {
  return static_cast<std::uint32_t>(code);
}

std::wstring Hex(std::uint32_t value) {
  constexpr wchar_t kDigits[] = L"0123456789ABCDEF";
  std::wstring text;
  do {
    text.insert(text.begin(), kDigits[value & 0xF]);
    value >>= 4;
  } while (value != 0);
  return text;
}

// The host's text of `id`, or the English default. The host's string service is made anew for
// every lookup, as the host expects.
std::wstring Localized(host::VaultSession* vault, const wchar_t* file, const wchar_t* section,
                       std::int32_t id) {
  const std::wstring english = strings::English(file, section, id);
  if (!vault) return english;
  host::Ref<host::StringService> service;
  if (host::Failed(vault->CreateStringService(service)) || !service) return english;
  if (host::Failed(service->Open(L"Tessadel", file))) return english;
  std::wstring text;
  if (host::Failed(service->Text(section, id, text)) || text.empty()) return english;
  return text;
}

std::wstring ErrorCodeText(host::VaultSession* vault, std::int32_t id) {
  return Localized(vault, L"ZemInterface", L"ErrorCodes", id);
}

// Low 16 bits of the connection errors the host passes on from the system's internet library.
std::wstring NetworkText(std::uint32_t code) {
  const std::uint32_t number = code & 0xFFFF;
  switch (number) {
    case 12007:
      return L"The server name could not be resolved.";
    case 12029:
      return L"The attempt to connect to the server failed.";
    case 12030:
      return L"The connection with the server has been terminated.";
    case 12031:
      return L"The connection with the server has been reset.";
    case 12163:
      return L"The Internet connection has been lost";
    default:
      return L"A WinINet error occured (code=" + std::to_wstring(number) + L").";
  }
}

constexpr std::uint32_t kUnsupportedOs = 0x800402D3;
constexpr std::uint32_t kFormatRouter = 0x8004027D;
constexpr std::uint32_t kServerNotFound = 0x80040220;
constexpr std::uint32_t kDataSourceNotFound = 0x80040222;
constexpr std::uint32_t kNetworkFirst = 0x80072EE0;
constexpr std::uint32_t kNetworkLast = 0x80072F8F;
constexpr std::uint32_t kRevisionControlFirst = 0x80040432;
constexpr std::uint32_t kRevisionControlLast = 0x800404C4;
constexpr std::uint32_t kDispatchBase = 0x80040200;
constexpr std::uint32_t kDispatchLast = 0x8004FFFF;

}  // namespace

std::wstring DescribeHostCode(host::HResult code, host::VaultSession* vault,
                              platform::Machine* machine) {
  if (const host::StatusRow* row = host::FindStatus(code))
    return ErrorCodeText(vault, row->stringId);
  const std::uint32_t bits = Bits(code);
  if (bits == kUnsupportedOs) {
    return ErrorCodeText(vault, 274) + L"\nWindows XP Service Pack 2" +
           L"\nWindows Server 2003 Service Pack 1";
  }
  if (bits == kFormatRouter) return L"E_ZEM_GET_ZEMFORMATROUTER";
  if (bits == kServerNotFound) return Localized(vault, L"Database", L"Error Messages", 207);
  if (bits == kDataSourceNotFound) return Localized(vault, L"Database", L"Error Messages", 209);
  if (bits >= kNetworkFirst && bits <= kNetworkLast) return NetworkText(bits);
  if (bits >= kRevisionControlFirst && bits <= kRevisionControlLast) {
    return L"Archive server revision control error " +
           std::to_wstring(bits - kRevisionControlFirst) + L" (0x0" + Hex(bits) + L")";
  }
  return ComErrorText(code, machine);
}

std::wstring DescribeHostCode(actions::ActionData& run, host::HResult code) {
  return DescribeHostCode(code, run.vault.Get(), run.services ? run.services->machine : nullptr);
}

std::wstring ComErrorText(host::HResult code, platform::Machine* machine) {
  const std::uint32_t bits = Bits(code);
  if (machine) {
    std::wstring text = machine->SystemMessage(bits);
    if (!text.empty()) return text;
  }
  if (bits > kDispatchBase && bits <= kDispatchLast)
    return L"IDispatch error #" + std::to_wstring(bits - kDispatchBase);
  return L"Unknown error 0x" + Hex(bits);
}

}  // namespace vendrel::commands
