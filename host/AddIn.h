// What the host hands the add-in: the registrar at load time, notifications afterwards,
// and the add-in's side of the contract.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "host/Ref.h"
#include "host/Status.h"
#include "host/Vault.h"

namespace vendrel::host {

// The add-in's identity, filled by get add-in info in the host's field order.
struct AddInInfo {
  std::wstring name;
  std::wstring company;
  std::wstring description;
  std::int32_t version = 0;
  std::int32_t field5 = 0;
  std::int32_t field6 = 0;
};

class HostRegistrar {
 public:
  virtual ~HostRegistrar() = default;
  virtual HResult AddMenuCommand(std::int32_t commandId, const std::wstring& menuText,
                                 std::int32_t flags, const std::wstring& text2,
                                 const std::wstring& text3, std::int32_t int1,
                                 std::int32_t int2) = 0;
  virtual HResult AddHook(std::int32_t kind, std::int32_t arg) = 0;
};

// One item of a notification; the meaning of each field depends on the notification kind.
struct HostNotificationItem {
  std::int32_t first = 0;
  std::int32_t second = 0;
  std::int32_t third = 0;
  std::wstring firstText;
  std::wstring secondText;
  std::int32_t fourth = 0;
};

struct HostNotification {
  std::int32_t kind = 0;
  HostWindow parentWindow = 0;
  std::int32_t folderId = 0;
  std::int32_t commandId = 0;
  // The vault reference; null when the host gave none the add-in can use.
  Ref<VaultSession> vault;
  // Absent when the host passed no item array.
  std::optional<std::vector<HostNotificationItem>> items;

  // Answers to the host.
  std::int32_t refreshFlags = 0;
  std::int16_t veto = 0;
};

// The add-in interface's two operations after those of IUnknown.
class AddIn {
 public:
  virtual ~AddIn() = default;
  // info may be null (0x80004003); registrar may be null (info is filled first).
  virtual HResult GetAddInInfo(AddInInfo* info, VaultSession* vault,
                               HostRegistrar* registrar) = 0;
  virtual HResult OnCommand(HostNotification& notification) = 0;
};

}  // namespace vendrel::host
