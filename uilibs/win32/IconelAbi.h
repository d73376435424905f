// The C entry points of Iconel.dll, the host's icon library, shared by the library and the
// add-in's binding. Every handle returned belongs to the caller (DestroyIcon, DeleteObject).
#pragma once

#include <windows.h>

#include <cstdint>

extern "C" {
// Icon `id` (ids outside 400 to 899) at `size` pixels square, 0 for the system's icon size;
// null when the library has no such icon.
using GhLoadWfIconImpl = HICON(std::int32_t id, std::int32_t size);
// Image `id` (ids 400 to 899) as a 32-bit top-down DIB section with premultiplied alpha; null
// when the library has no such image or it cannot be decoded.
using GhLoadWfPngImageImpl = HBITMAP(std::int32_t id);
// The same image as an icon of its own size.
using GhLoadWfPngImageIconImpl = HICON(std::int32_t id);
}
