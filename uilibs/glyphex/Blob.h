// Blob: the rich-edit control that highlights registered patterns. The native build keeps its
// text and patterns in the object; the windows build's calls go to Glyphex.dll, which binds a
// dialog's real rich-edit control.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "uilibs/glyphex/Patterns.h"

namespace vendrel::glyphex {

// What a dialog hands to the controls it binds: its window as an integer, 0 where there is none.
struct DataExchange {
  std::uintptr_t dialog = 0;
};

class Blob {
 public:
  explicit Blob(std::int32_t reserved);
  ~Blob();
  Blob(const Blob&) = delete;
  Blob& operator=(const Blob&) = delete;

  // Binds the object to the dialog's rich-edit control with this id; text set before binding
  // goes to the control.
  void mvDDX_Control(const DataExchange& exchange, std::int32_t controlId);
  std::int32_t ControlId() const;

  // Occurrences of the patterns are highlighted whenever the text is set or edited.
  void mvSetText(const std::wstring& text);
  std::wstring moGetText() const;

  // A pattern is registered once; registering it again changes nothing.
  void mvAddPattern(const std::wstring& text, bool flag, const std::wstring& name,
                    const std::wstring& description, const std::wstring& tip);
  std::vector<Pattern> Patterns() const;

  // The bound rich-edit control's window; 0 when unbound or without windows.
  std::uintptr_t mroGetCtrl() const;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace vendrel::glyphex
