// Glyphex.dll: the highlighting rich-edit control behind C entry points; no exception leaves
// the library.
#include <new>

#include "uilibs/win32/GlyphexAbi.h"
#include "uilibs/win32/glyphex/BlobControl.h"

struct GlyphexBlob {
  vendrel::glyphex::BlobControl control;
};

extern "C" {

GlyphexBlob* Blob_Create(std::int32_t /*reserved*/) {
  return new (std::nothrow) GlyphexBlob;
}

void Blob_Destroy(GlyphexBlob* blob) {
  delete blob;
}

BOOL Blob_mvDDX_Control(GlyphexBlob* blob, HWND dialog, std::int32_t controlId) {
  try {
    return blob->control.Bind(dialog, controlId);
  } catch (...) {
    return FALSE;
  }
}

void Blob_mvSetText(GlyphexBlob* blob, const wchar_t* text) {
  try {
    blob->control.SetText(text);
  } catch (...) {
  }
}

void Blob_moGetText(const GlyphexBlob* blob, void (*take)(void* context, const wchar_t* text),
                    void* context) {
  try {
    take(context, blob->control.Text().c_str());
  } catch (...) {
  }
}

void Blob_mvAddPattern(GlyphexBlob* blob, const wchar_t* pattern, BOOL flag, const wchar_t* name,
                       const wchar_t* description, const wchar_t* tip) {
  try {
    blob->control.AddPattern({pattern, flag != FALSE, name, description, tip});
  } catch (...) {
  }
}

void Blob_EnumPatterns(const GlyphexBlob* blob,
                       void (*add)(void* context, const wchar_t* pattern, BOOL flag,
                                   const wchar_t* name, const wchar_t* description,
                                   const wchar_t* tip),
                       void* context) {
  try {
    for (const auto& p : blob->control.Patterns().All()) {
      add(context, p.text.c_str(), p.flag, p.name.c_str(), p.description.c_str(), p.tip.c_str());
    }
  } catch (...) {
  }
}

HWND Blob_mroGetCtrl(const GlyphexBlob* blob) {
  return blob->control.Control();
}
}
