// The highlighting control in the add-in DLL: each call goes to Glyphex.dll, which is loaded from
// the host's installation folder at the first call.
#include "uilibs/glyphex/Blob.h"

#include <new>

#include "uilibs/win32/GlyphexAbi.h"
#include "uilibs/win32/HostLibraries.h"

namespace vendrel::glyphex {

namespace {

uilibs::LazyLibrary& Library() {
  static uilibs::LazyLibrary library(L"Glyphex.dll");
  return library;
}

#define VENDREL_GLYPHEX_ENTRY(type, name) VENDREL_LAZY_ENTRY(Library(), type, name)

struct DestroyBlob {
  void operator()(GlyphexBlob* blob) const {
    VENDREL_GLYPHEX_ENTRY(BlobDestroy, "Blob_Destroy")(blob);
  }
};

}  // namespace

struct Blob::Impl {
  std::unique_ptr<GlyphexBlob, DestroyBlob> blob;
  std::int32_t controlId = 0;
};

Blob::Blob(std::int32_t reserved) : impl_(std::make_unique<Impl>()) {
  impl_->blob.reset(VENDREL_GLYPHEX_ENTRY(BlobCreate, "Blob_Create")(reserved));
  if (!impl_->blob) throw std::bad_alloc();
}

Blob::~Blob() = default;

void Blob::mvDDX_Control(const DataExchange& exchange, std::int32_t controlId) {
  impl_->controlId = controlId;
  VENDREL_GLYPHEX_ENTRY(BlobDdxControl, "Blob_mvDDX_Control")
  (impl_->blob.get(), reinterpret_cast<HWND>(exchange.dialog), controlId);
}

std::int32_t Blob::ControlId() const {
  return impl_->controlId;
}

void Blob::mvSetText(const std::wstring& text) {
  VENDREL_GLYPHEX_ENTRY(BlobSetText, "Blob_mvSetText")(impl_->blob.get(), text.c_str());
}

std::wstring Blob::moGetText() const {
  std::wstring text;
  VENDREL_GLYPHEX_ENTRY(BlobGetText, "Blob_moGetText")
  (
      impl_->blob.get(),
      [](void* context, const wchar_t* got) { *static_cast<std::wstring*>(context) = got; }, &text);
  return text;
}

void Blob::mvAddPattern(const std::wstring& text, bool flag, const std::wstring& name,
                        const std::wstring& description, const std::wstring& tip) {
  VENDREL_GLYPHEX_ENTRY(BlobAddPattern, "Blob_mvAddPattern")
  (impl_->blob.get(), text.c_str(), flag, name.c_str(), description.c_str(), tip.c_str());
}

std::vector<Pattern> Blob::Patterns() const {
  std::vector<Pattern> patterns;
  VENDREL_GLYPHEX_ENTRY(BlobEnumPatterns, "Blob_EnumPatterns")
  (
      impl_->blob.get(),
      [](void* context, const wchar_t* text, BOOL flag, const wchar_t* name,
         const wchar_t* description, const wchar_t* tip) {
        static_cast<std::vector<Pattern>*>(context)->push_back(
            {text, flag != FALSE, name, description, tip});
      },
      &patterns);
  return patterns;
}

std::uintptr_t Blob::mroGetCtrl() const {
  return reinterpret_cast<std::uintptr_t>(
      VENDREL_GLYPHEX_ENTRY(BlobGetCtrl, "Blob_mroGetCtrl")(impl_->blob.get()));
}

}  // namespace vendrel::glyphex
