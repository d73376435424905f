// The C entry points of Glyphex.dll, shared by the library and the add-in's lazy binding: one
// Blob behind an opaque handle per call, the handle made by Blob_Create and freed by Blob_Destroy.
#pragma once

#include <windows.h>

#include <cstdint>

extern "C" {
struct GlyphexBlob;
using BlobCreate = GlyphexBlob*(std::int32_t reserved);  // null when out of memory
using BlobDestroy = void(GlyphexBlob* blob);
// False when the dialog has no control with that id.
using BlobDdxControl = BOOL(GlyphexBlob* blob, HWND dialog, std::int32_t controlId);
using BlobSetText = void(GlyphexBlob* blob, const wchar_t* text);
// Calls take(context, text) once with the whole text.
using BlobGetText = void(const GlyphexBlob* blob, void (*take)(void* context, const wchar_t* text),
                         void* context);
using BlobAddPattern = void(GlyphexBlob* blob, const wchar_t* pattern, BOOL flag,
                            const wchar_t* name, const wchar_t* description, const wchar_t* tip);
// Calls add(context, ...) for each pattern in registration order.
using BlobEnumPatterns = void(const GlyphexBlob* blob,
                              void (*add)(void* context, const wchar_t* pattern, BOOL flag,
                                          const wchar_t* name, const wchar_t* description,
                                          const wchar_t* tip),
                              void* context);
using BlobGetCtrl = HWND(const GlyphexBlob* blob);
}
