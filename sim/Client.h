// Who is working with the vault (user and computer), and the check-out rules that depend on it.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "host/Status.h"
#include "sim/Store.h"

namespace vendrel::sim {

struct Client {
  std::shared_ptr<Store> store;
  std::int32_t userId = 0;
  std::wstring userName;
  std::wstring computer;
};
using ClientPtr = std::shared_ptr<const Client>;

struct CheckOut {
  std::int32_t userId = 0;
  std::int32_t folderId = 0;
  std::wstring computer;
  std::wstring localPath;
};

std::optional<CheckOut> LoadCheckOut(platform::Database& db, std::int32_t fileId);
// kOk when `client` holds the check-out in `folderId`; otherwise why not: another user, another
// computer or another folder.
host::HResult CheckOutConflict(const Client& client, const CheckOut& checkOut,
                               std::int32_t folderId);
// The longest path Windows takes without its long-path prefix: MAX_PATH less the final zero.
inline constexpr std::size_t kMaxPath = 259;

// kOk when `name` can name a file or folder on Windows; kInvalidName otherwise.
host::HResult ValidateName(const std::wstring& name);

}  // namespace vendrel::sim
