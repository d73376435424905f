// Decoding of the library's PNG resources into bitmaps and icons.
#pragma once

#include <windows.h>

namespace vendrel::iconel {

// The PNG resource `id` of `module` as a 32-bit top-down DIB section with premultiplied alpha;
// null when there is none or it does not decode.
HBITMAP LoadPngBitmap(HMODULE module, int id);

// An icon from such a bitmap, which stays the caller's; null on failure.
HICON IconFromBitmap(HBITMAP bitmap);

}  // namespace vendrel::iconel
