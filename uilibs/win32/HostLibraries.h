// The host's in-house UI libraries, bound on first use and loaded from its installation folder.
#pragma once

#include <windows.h>

#include <mutex>
#include <optional>
#include <string>

namespace vendrel::uilibs {

// The full path for Lexicor.dll, Glyphex.dll and Alertik.dll (any letter case): the host's
// installation folder and the file name. Empty for any other library: the normal search applies.
std::optional<std::wstring> RedirectedLibraryPath(const std::wstring& name);

// One library, loaded at the first Resolve() and kept for the life of the process. Ours are
// never loaded while the installation folder is unknown.
class LazyLibrary {
 public:
  enum class Where {
    kAsRedirected,        // the installation folder for the three redirected names
    kInstallationFolder,  // always the installation folder: the host's own icon library
  };
  explicit LazyLibrary(const wchar_t* name, Where where = Where::kAsRedirected)
      : name_(name), where_(where) {}
  // The entry point, or null when the library or the entry point is missing.
  FARPROC Resolve(const char* entryPoint);
  // The module once loaded, else null; loads nothing.
  HMODULE Loaded() const { return module_; }

 private:
  const wchar_t* name_;
  Where where_;
  std::once_flag once_;
  HMODULE module_ = nullptr;
};

// Thrown for a missing library or entry point.
struct MissingEntry {};

// An entry point of a LazyLibrary resolved once; calling a missing one fails like a missing
// lazily bound import: with an exception the caller's guard turns into a failure status.
template <class Fn>
class LazyEntry {
 public:
  LazyEntry(LazyLibrary& library, const char* name) : library_(library), name_(name) {}
  Fn* Get() {
    std::call_once(once_, [this] {
      fn_ = reinterpret_cast<Fn*>(reinterpret_cast<void*>(library_.Resolve(name_)));
    });
    if (!fn_) throw MissingEntry();
    return fn_;
  }

 private:
  LazyLibrary& library_;
  const char* name_;
  std::once_flag once_;
  Fn* fn_ = nullptr;
};

}  // namespace vendrel::uilibs

// The entry point `name` of `library`, one LazyEntry per call site, resolved at its first call.
#define VENDREL_LAZY_ENTRY(library, type, name)                         \
  ([]() -> type* {                                                      \
    static ::vendrel::uilibs::LazyEntry<type> entry((library), (name)); \
    return entry.Get();                                                 \
  }())
