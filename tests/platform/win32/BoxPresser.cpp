// A helper thread that finds, photographs and answers a message box through window messages.
#include "tests/platform/win32/BoxPresser.h"

#include <cstdint>
#include <filesystem>
#include <fstream>

#include "platform/DialogRes.h"
#include "uilibs/win32/Handle.h"

namespace vendrel::platform::testing {
namespace {

BOOL CALLBACK CollectStatic(HWND child, LPARAM seen) {
  wchar_t cls[32];
  GetClassNameW(child, cls, 32);
  if (lstrcmpiW(cls, L"Static") == 0) {
    wchar_t text[512];
    GetWindowTextW(child, text, 512);
    if (text[0]) reinterpret_cast<SeenBox*>(seen)->texts.emplace_back(text);
  }
  return TRUE;
}

}  // namespace

// PrintWindow draws nothing of the dialog's children under wine, so this copies the box's
// area of the screen, where it sits on top.
bool SaveScreenshot(HWND window, const std::wstring& path) {
  RECT r;
  if (!GetWindowRect(window, &r)) return false;
  const int width = r.right - r.left, height = r.bottom - r.top;
  const uilibs::UniqueWindowDc screenDc = uilibs::WindowDcOf(nullptr);
  const HDC screen = screenDc.Get().dc;
  const uilibs::UniqueMemoryDc memoryDc(CreateCompatibleDC(screen));
  const HDC memory = memoryDc.Get();
  const uilibs::UniqueGdiObject bitmap(CreateCompatibleBitmap(screen, width, height));
  const HGDIOBJ old = SelectObject(memory, bitmap.Get());
  const bool copied = BitBlt(memory, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
  SelectObject(memory, old);
  if (!copied) return false;

  BITMAPINFOHEADER info{};
  info.biSize = sizeof info;
  info.biWidth = width;
  info.biHeight = height;
  info.biPlanes = 1;
  info.biBitCount = 24;
  info.biCompression = BI_RGB;
  info.biSizeImage = static_cast<DWORD>(((width * 3 + 3) & ~3) * height);
  std::vector<char> pixels(info.biSizeImage);
  if (GetDIBits(memory, static_cast<HBITMAP>(bitmap.Get()), 0, height, pixels.data(),
                reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS) != height) {
    return false;
  }
  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;  // "BM"
  file.bfOffBits = sizeof file + sizeof info;
  file.bfSize = file.bfOffBits + info.biSizeImage;
  std::ofstream out(std::filesystem::path(path), std::ios::binary);
  out.write(reinterpret_cast<const char*>(&file), sizeof file);
  out.write(reinterpret_cast<const char*>(&info), sizeof info);
  out.write(pixels.data(), static_cast<std::streamsize>(pixels.size()));
  return static_cast<bool>(out);
}

BoxPresser::BoxPresser(std::wstring caption, int button, std::wstring screenshot)
    : caption_(std::move(caption)),
      button_(button),
      screenshot_(std::move(screenshot)),
      thread_([this] { Run(); }) {}

BoxPresser::~BoxPresser() {
  if (thread_.joinable()) thread_.join();
}

const SeenBox& BoxPresser::Seen() {
  if (thread_.joinable()) thread_.join();
  return seen_;
}

void BoxPresser::Run() {
  HWND box = nullptr;
  for (int tries = 0; tries < 1000 && !(box && IsWindowVisible(box)); ++tries) {
    Sleep(10);
    box = FindWindowW(L"#32770", caption_.c_str());
  }
  if (!box) return;
  seen_.found = true;
  EnumChildWindows(box, CollectStatic, reinterpret_cast<LPARAM>(&seen_));
  for (int id : {IDOK, IDCANCEL, IDYES, IDNO, ID_HELP_COMMAND}) {
    if (GetDlgItem(box, id)) seen_.buttons.push_back(id);
  }
  seen_.owner = GetWindow(box, GW_OWNER);
  seen_.ownerEnabled = seen_.owner && IsWindowEnabled(seen_.owner);
  if (!screenshot_.empty()) {
    // Painting happens on the box's thread; give the X server a moment to show it.
    RedrawWindow(box, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    Sleep(200);
    seen_.screenshotSaved = SaveScreenshot(box, screenshot_);
  }
  if (const HWND button = GetDlgItem(box, button_)) {
    SendMessageW(button, BM_CLICK, 0, 0);
  } else {
    PostMessageW(box, WM_COMMAND, IDCANCEL, 0);  // as Escape does; a box never stays up
  }
}

std::wstring ArtefactPath(const std::wstring& name) {
  wchar_t folder[MAX_PATH];
  const DWORD n = GetEnvironmentVariableW(L"VENDREL_ARTEFACTS", folder, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return {};
  return std::wstring(folder) + L"\\" + name;
}

}  // namespace vendrel::platform::testing
