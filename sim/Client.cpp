// Check-out conflicts and name rules.
#include "sim/Client.h"

#include "platform/CaseFold.h"

namespace vendrel::sim {

std::optional<CheckOut> LoadCheckOut(platform::Database& db, std::int32_t fileId) {
  platform::Statement row = db.Query(
      "SELECT user_id, folder_id, computer, local_path FROM checkouts WHERE file_id = ?", fileId);
  if (!row.Step()) return std::nullopt;
  return CheckOut{row.Int(0), row.Int(1), row.Text(2), row.Text(3)};
}

host::HResult CheckOutConflict(const Client& client, const CheckOut& checkOut,
                               std::int32_t folderId) {
  if (checkOut.userId != client.userId) return host::kLockedByAnotherUser;
  if (!platform::SameIgnoringCase(checkOut.computer, client.computer))
    return host::kLockedOnOtherComputer;
  if (checkOut.folderId != folderId) return host::kLockedInOtherFolder;
  return host::kOk;
}

namespace {

// Device names that Windows keeps for itself, with any extension: "con", "nul.txt".
bool IsDeviceName(const std::wstring& name) {
  std::wstring base = platform::LowerCase(name.substr(0, name.find(L'.')));
  while (!base.empty() && base.back() == L' ') base.pop_back();
  for (const wchar_t* device : {L"con", L"prn", L"aux", L"nul"}) {
    if (base == device) return true;
  }
  return base.size() == 4 && (base.starts_with(L"com") || base.starts_with(L"lpt")) &&
         base[3] >= L'1' && base[3] <= L'9';
}

}  // namespace

host::HResult ValidateName(const std::wstring& name) {
  if (name.empty() || name == L"." || name == L".." || name.back() == L' ' || name.back() == L'.' ||
      IsDeviceName(name))
    return host::kInvalidName;
  for (wchar_t c : name) {
    if (c < 32 || std::wstring_view(L"\\/:*?\"<>|").find(c) != std::wstring_view::npos)
      return host::kInvalidName;
  }
  return host::kOk;
}

}  // namespace vendrel::sim
