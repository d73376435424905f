// Iconel.dll: the icons and PNG images of our icon library behind C entry points; no exception
// leaves the library.
#include "uilibs/win32/Handle.h"
#include "uilibs/win32/IconelAbi.h"
#include "uilibs/win32/iconel/PngImage.h"

namespace iconel = vendrel::iconel;

namespace {

HMODULE Self() {
  HMODULE self = nullptr;
  GetModuleHandleExW(
      GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
      reinterpret_cast<LPCWSTR>(&Self), &self);
  return self;
}

}  // namespace

extern "C" {

HICON ghLoadWfIconImpl(std::int32_t id, std::int32_t size) {
  const UINT flags = size == 0 ? LR_DEFAULTSIZE : 0;
  return static_cast<HICON>(
      LoadImageW(Self(), MAKEINTRESOURCEW(id), IMAGE_ICON, size, size, flags));
}

HBITMAP ghLoadWfPNGImageImpl(std::int32_t id) {
  try {
    return iconel::LoadPngBitmap(Self(), id);
  } catch (...) {
    return nullptr;
  }
}

HICON ghLoadWfPNGImageIconImpl(std::int32_t id) {
  try {
    const vendrel::uilibs::UniqueGdiObject image(iconel::LoadPngBitmap(Self(), id));
    return image ? iconel::IconFromBitmap(static_cast<HBITMAP>(image.Get())) : nullptr;
  } catch (...) {
    return nullptr;
  }
}
}
