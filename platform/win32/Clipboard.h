// The Windows clipboard with registered formats holding zero-terminated UTF-16 text.
#pragma once

#include "platform/Clipboard.h"

namespace vendrel::platform {

class Win32Clipboard final : public Clipboard {
 public:
  bool Put(Window owner, const std::wstring& format, const std::wstring& text) override;
  bool Has(const std::wstring& format) override;
  ClipboardRead Get(Window owner, const std::wstring& format) override;
};

}  // namespace vendrel::platform
