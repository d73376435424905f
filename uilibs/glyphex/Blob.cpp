// The highlighting control without a window system: text, patterns and the bound control's id.
#include "uilibs/glyphex/Blob.h"

namespace vendrel::glyphex {

struct Blob::Impl {
  std::int32_t controlId = 0;
  std::wstring text;
  PatternList patterns;
};

Blob::Blob(std::int32_t /*reserved*/) : impl_(std::make_unique<Impl>()) {}
Blob::~Blob() = default;

void Blob::mvDDX_Control(const DataExchange& /*exchange*/, std::int32_t controlId) {
  impl_->controlId = controlId;
}

std::int32_t Blob::ControlId() const {
  return impl_->controlId;
}

void Blob::mvSetText(const std::wstring& text) {
  impl_->text = text;
}

std::wstring Blob::moGetText() const {
  return impl_->text;
}

void Blob::mvAddPattern(const std::wstring& text, bool flag, const std::wstring& name,
                        const std::wstring& description, const std::wstring& tip) {
  impl_->patterns.Add({text, flag, name, description, tip});
}

std::vector<Pattern> Blob::Patterns() const {
  return impl_->patterns.All();
}

std::uintptr_t Blob::mroGetCtrl() const {
  return 0;
}

}  // namespace vendrel::glyphex
