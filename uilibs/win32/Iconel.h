// The host's icon library, Iconel.dll, loaded by full path from the installation folder at the
// first call; each entry point is looked up once and kept.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <type_traits>

namespace vendrel::iconel {

struct DestroyIconHandle {
  void operator()(HICON icon) const { DestroyIcon(icon); }
};
struct DeleteBitmapHandle {
  void operator()(HBITMAP bitmap) const { DeleteObject(bitmap); }
};
using UniqueIcon = std::unique_ptr<std::remove_pointer_t<HICON>, DestroyIconHandle>;
using UniqueBitmap = std::unique_ptr<std::remove_pointer_t<HBITMAP>, DeleteBitmapHandle>;

// Ids 400 to 899 are PNG images, any other id an icon.
inline bool IsImageId(std::int32_t id) {
  return id >= 400 && id <= 899;
}

// Icon `id`, an image made an icon for an image id; `size` applies to icons only (0: the
// system's size). Null when the library or the id is missing.
UniqueIcon HostIcon(std::int32_t id, std::int32_t size);
// Image `id` (400 to 899) as a 32-bit bitmap; null when the library or the id is missing.
UniqueBitmap HostImage(std::int32_t id);

}  // namespace vendrel::iconel
