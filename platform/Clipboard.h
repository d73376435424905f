// The clipboard: text under formats registered by name, shared by the programs of one desktop.
#pragma once

#include <optional>
#include <string>

#include "platform/Ui.h"

namespace vendrel::platform {

// What a read of one format found.
struct ClipboardRead {
  bool opened = false;               // false: another program holds the clipboard open
  std::optional<std::wstring> text;  // none: the format is not on the clipboard
};

class Clipboard {
 public:
  virtual ~Clipboard() = default;
  // Empties the clipboard and leaves `text` under the format named `format`, owned by `owner`.
  // False when the clipboard cannot be opened, the format registered or the data set.
  virtual bool Put(Window owner, const std::wstring& format, const std::wstring& text) = 0;
  virtual bool Has(const std::wstring& format) = 0;
  virtual ClipboardRead Get(Window owner, const std::wstring& format) = 0;
};

}  // namespace vendrel::platform
