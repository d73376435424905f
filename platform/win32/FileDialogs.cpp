// Open and Save As over comdlg32.
#include "platform/win32/FileDialogs.h"

#include <windows.h>

#include <commdlg.h>

#include <algorithm>
#include <vector>

namespace vendrel::platform {
namespace {

// The dialog wants the parts of the filter ended by zeros and the whole by a second zero.
std::wstring ZeroSeparated(std::wstring filter) {
  std::replace(filter.begin(), filter.end(), L'|', L'\0');
  filter.push_back(L'\0');
  return filter;
}

// Room for long paths and for a path the user types.
constexpr std::size_t kPathRoom = 32768;

}  // namespace

std::optional<std::wstring> Win32FileDialogs::Choose(const FileDialogRequest& request) {
  const std::wstring filter = ZeroSeparated(request.filter);
  std::vector<wchar_t> path(kPathRoom, L'\0');
  std::copy_n(request.fileName.begin(), std::min(request.fileName.size(), kPathRoom - 1),
              path.begin());

  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = reinterpret_cast<HWND>(request.owner);
  dialog.lpstrFilter = request.filter.empty() ? nullptr : filter.c_str();
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = path.data();
  dialog.nMaxFile = static_cast<DWORD>(path.size());
  dialog.lpstrDefExt =
      request.defaultExtension.empty() ? nullptr : request.defaultExtension.c_str();
  dialog.Flags = request.flags | OFN_EXPLORER;

  const BOOL chosen =
      request.kind == FileDialogKind::kSave ? GetSaveFileNameW(&dialog) : GetOpenFileNameW(&dialog);
  if (!chosen) return std::nullopt;
  return std::wstring(path.data());
}

}  // namespace vendrel::platform
