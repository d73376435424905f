// Drive mapping with case-insensitive lookup of existing path components.
#include "platform/posix/DriveMap.h"

#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <system_error>
#include <type_traits>
#include <unordered_map>
#include <vector>

#include "platform/Ansi.h"
#include "platform/CaseFold.h"
#include "platform/NativePath.h"
#include "platform/Utf8.h"

namespace fs = std::filesystem;

namespace vendrel::platform::posix {
namespace {

bool IsSeparator(wchar_t c) {
  return c == L'\\' || c == L'/';
}

std::vector<std::wstring> Components(std::wstring_view path) {
  std::vector<std::wstring> parts;
  std::wstring current;
  for (wchar_t c : path) {
    if (IsSeparator(c)) {
      if (!current.empty()) parts.push_back(std::move(current));
      current.clear();
    } else {
      current += c;
    }
  }
  if (!current.empty()) parts.push_back(std::move(current));
  return parts;
}

char LowerAscii(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Plain ASCII text, narrowed where it is wide.
template <class Char>
std::string LowerAscii(std::basic_string_view<Char> text) {
  std::string lower(text.size(), '\0');
  std::transform(text.begin(), text.end(), lower.begin(),
                 [](Char c) { return LowerAscii(static_cast<char>(c)); });
  return lower;
}

// A name's key in a folder's listing: names the same after LowerCase have the same key. Plain
// ASCII, nearly every name, is folded without the C library, whose C locale (this process never
// sets another) maps A to Z alone there; other names are keyed by their folded characters' bytes
// behind a byte no ASCII key holds.
std::string FoldedKey(std::wstring_view name) {
  if (IsAscii(name)) return LowerAscii(name);
  const std::wstring folded = LowerCase(std::wstring(name));
  if (IsAscii(std::wstring_view(folded))) return LowerAscii(std::wstring_view(folded));
  std::string key(1 + folded.size() * sizeof(wchar_t), '\x80');
  std::memcpy(key.data() + 1, folded.data(), folded.size() * sizeof(wchar_t));
  return key;
}

// The same for a name read from a folder.
std::string FoldedKey(std::string_view name) {
  if (IsAscii(name)) return LowerAscii(name);
  return FoldedKey(FromUtf8(name));
}

// `name` appended to a native path as fs::path's operator/ would.
void Append(std::string& path, std::string_view name) {
  if (!path.empty() && path.back() != '/') path += '/';
  path += name;
}

}  // namespace

// The names of each folder searched so far by their case-folded form. The kernel's change
// notifications keep them current, so a folder is read once however many names are looked up
// in it, and a change by anyone, however quick, is seen at the next lookup.
class DriveMap::Listings {
 public:
  Listings() = default;
  ~Listings() {
    if (notifications_ >= 0) close(notifications_);
  }
  Listings(const Listings&) = delete;
  Listings& operator=(const Listings&) = delete;

  // Whether `dir` was listed, however long ago.
  bool Listed(const std::string& dir) const { return folders_.contains(dir); }

  // The entry of `dir` whose name is `name` regardless of case.
  std::optional<std::string> Find(const std::string& dir, std::wstring_view name) {
    struct stat status {};
    if (stat(dir.c_str(), &status) != 0) return std::nullopt;
    return Find(dir, status, name);
  }

  // The same, with the status of `dir` just taken.
  std::optional<std::string> Find(const std::string& dir, const struct stat& status,
                                  std::wstring_view name) {
    if (!S_ISDIR(status.st_mode)) return std::nullopt;
    Catch();
    const std::string key = FoldedKey(name);
    auto found = folders_.find(dir);
    // The same path may name another folder now, after a rename further up.
    if (found != folders_.end() &&
        (found->second.device != status.st_dev || found->second.inode != status.st_ino)) {
      Forget(found);
      found = folders_.end();
    }
    if (found == folders_.end()) {
      const int watch = Watch(dir);
      if (watch < 0) return Search(dir, key);
      Folder folder{watch, status.st_dev, status.st_ino, Read(dir)};
      found = folders_.emplace(dir, std::move(folder)).first;
      folderOfWatch_[watch] = &*found;
    }
    const auto entry = found->second.names.find(key);
    if (entry == found->second.names.end()) return std::nullopt;
    return entry->second;
  }

 private:
  using Names = std::unordered_map<std::string, std::string>;  // by FoldedKey
  struct Folder {
    int watch;
    dev_t device;
    ino_t inode;
    Names names;
  };
  using Folders = std::unordered_map<std::string, Folder>;

  // More folders than this are not worth their memory; they are dropped and read again.
  static constexpr std::size_t kMaxFolders = 256;

  static Names Read(const std::string& dir) {
    Names names;
    std::error_code ec;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
      std::string name = it->path().filename().string();
      names.try_emplace(FoldedKey(name), std::move(name));
    }
    return names;
  }

  static std::optional<std::string> Search(const std::string& dir, const std::string& key) {
    std::error_code ec;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
      std::string name = it->path().filename().string();
      if (FoldedKey(name) == key) return name;
    }
    return std::nullopt;
  }

  // A new watch, or -1 when the folder cannot have one of its own.
  int Watch(const std::string& dir) {
    // Most maps never search a folder: they get no notifications of their own.
    if (notifications_ == kNotOpened) notifications_ = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (notifications_ < 0) return -1;
    if (folders_.size() >= kMaxFolders) ForgetAll();
    const int watch = inotify_add_watch(notifications_, dir.c_str(),
                                        IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO |
                                            IN_DELETE_SELF | IN_MOVE_SELF | IN_ONLYDIR);
    // Another path to a folder already watched shares its watch; that one is not kept twice.
    if (watch >= 0 && folderOfWatch_.contains(watch)) return -1;
    return watch;
  }

  // Applies the changes reported since the last lookup. A read that left room for another
  // event found the queue empty, so no second read is needed to hear that.
  void Catch() {
    if (notifications_ < 0) return;
    alignas(inotify_event) char buffer[16 * 1024];
    constexpr ssize_t kRoomForMore = sizeof buffer - (sizeof(inotify_event) + NAME_MAX + 1);
    ssize_t size = 0;
    do {
      size = read(notifications_, buffer, sizeof buffer);
      if (size <= 0) return;
      for (ssize_t at = 0; at < size;) {
        const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
        at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
        Apply(*event);
      }
    } while (size > kRoomForMore);
  }

  void Apply(const inotify_event& event) {
    if (event.mask & IN_Q_OVERFLOW) {
      ForgetAll();
      return;
    }
    const auto watched = folderOfWatch_.find(event.wd);
    if (watched == folderOfWatch_.end()) return;
    auto& [path, folder] = *watched->second;
    if (event.mask & (IN_CREATE | IN_MOVED_TO)) {
      const std::string_view name(event.name);
      folder.names.try_emplace(FoldedKey(name), name);
    } else if (event.mask &
               (IN_DELETE | IN_MOVED_FROM | IN_DELETE_SELF | IN_MOVE_SELF | IN_IGNORED)) {
      // Another entry may differ from the one gone only in case: read the folder again.
      Forget(folders_.find(path));
    }
  }

  void Forget(Folders::iterator folder) {
    inotify_rm_watch(notifications_, folder->second.watch);
    folderOfWatch_.erase(folder->second.watch);
    folders_.erase(folder);
  }

  void ForgetAll() {
    while (!folders_.empty()) Forget(folders_.begin());
  }

  static constexpr int kNotOpened = -2;

  int notifications_ = kNotOpened;
  Folders folders_;
  // Entries of folders_, which stay in place as it grows, by their watch.
  std::unordered_map<int, Folders::value_type*> folderOfWatch_;
};

DriveMap::DriveMap(fs::path drivesRoot)
    : root_(std::move(drivesRoot)), listings_(std::make_shared<Listings>()) {}

// The existing entry of `dir` that matches `name` regardless of case, else `name` as given.
fs::path DriveMap::Resolve(const fs::path& dir, const std::wstring& name) const {
  const fs::path exact = dir / ToUtf8(name);
  std::error_code ec;
  if (fs::exists(exact, ec)) return exact;
  if (auto found = listings_->Find(dir.empty() ? std::string(".") : dir.native(), name))
    return dir / *found;
  return exact;
}

const DriveMap& DriveMap::Default() {
  std::string root;
  if (const char* drives = std::getenv("VENDREL_DRIVES"); drives && *drives) {
    root = drives;
  } else if (const char* home = std::getenv("HOME"); home && *home) {
    root = home;
    Append(root, ".vendrel");
    Append(root, "drives");
  } else {
    root = (fs::temp_directory_path() / "vendrel-drives").native();
  }
  // Tests point VENDREL_DRIVES at each vault they make.
  thread_local std::optional<DriveMap> map;
  if (!map || map->root_.native() != root) map.emplace(std::move(root));
  return *map;
}

// The components of `rest` appended to `path` as spelt, and where the last one starts. Empty
// when a component is "." or "..".
std::optional<DriveMap::Spelling> DriveMap::Spell(std::string& path, std::wstring_view rest) {
  using namespace std::string_view_literals;
  using Unit = std::make_unsigned_t<wchar_t>;
  Spelling spelt{std::string::npos, 0, {}};
  for (std::size_t at = 0; at < rest.size();) {
    std::size_t end = at;
    Unit bits = 0;  // any above ASCII's leaves the component to ToUtf8
    for (; end < rest.size() && !IsSeparator(rest[end]); ++end)
      bits |= static_cast<Unit>(rest[end]);
    const std::wstring_view part(rest.data() + at, end - at);
    at = end + 1;
    if (part.empty()) continue;
    if (part == L"."sv || part == L".."sv) return std::nullopt;
    spelt.folderSize = path.size();
    if (!path.empty() && path.back() != '/') path += '/';
    spelt.nameStart = path.size();
    spelt.name = part;
    if (bits < 0x80) {
      path.resize(spelt.nameStart + part.size());
      std::transform(part.begin(), part.end(), path.data() + spelt.nameStart,
                     [](wchar_t c) { return static_cast<char>(c); });
    } else {
      path += ToUtf8(part);
    }
  }
  return spelt;
}

// Whether `path`, the start of a path with the rest to come, is now the path as spelt, which it
// is when the path, or at least its folder, exists under that spelling: then each component
// before the last is its own exact match, and one or two looks replace one per component. Not so
// when a component is "." or "..", or the folder is missing as spelt. A path `toWrite` in a
// folder already listed is answered by the listing: one look at the folder and none at the
// path, which is most often new.
bool DriveMap::AsSpelt(std::string& path, std::wstring_view rest, struct ::stat& status,
                       bool toWrite) const {
  const std::optional<Spelling> spelt = Spell(path, rest);
  if (!spelt) return false;
  if (spelt->folderSize == std::string::npos) return true;
  const std::string folder =
      spelt->folderSize == 0 ? std::string(".") : path.substr(0, spelt->folderSize);
  const bool listingFirst = toWrite && listings_->Listed(folder);
  if (!listingFirst && stat(path.c_str(), &status) == 0) return true;
  status.st_mode = 0;
  struct ::stat folderStatus {};
  if (stat(folder.c_str(), &folderStatus) != 0) return false;
  const std::optional<std::string> found = listings_->Find(folder, folderStatus, spelt->name);
  if (!found) return true;
  // The spelling asked for wins over another case of it beside it.
  if (listingFirst && std::string_view(path).substr(spelt->nameStart) != *found &&
      stat(path.c_str(), &status) == 0)
    return true;
  status.st_mode = 0;
  path.resize(spelt->nameStart);
  path += *found;
  return true;
}

void DriveMap::Start(std::string& path, std::wstring_view& rest) const {
  path.clear();
  // Each component takes one byte per character of ASCII, and a separator at most.
  path.reserve(root_.native().size() + rest.size() + 1);
  if (rest.size() >= 2 && rest[1] == L':' && std::iswalpha(static_cast<wint_t>(rest[0]))) {
    path = root_.native();
    const wchar_t drive = LowerCase(rest[0]);
    Append(path, ToUtf8(std::wstring_view(&drive, 1)));
    rest.remove_prefix(2);
  } else if (!rest.empty() && IsSeparator(rest[0])) {
    path += '/';
  }
}

DriveMap::Native DriveMap::Map(const std::wstring& windowsPath, Use use) const {
  Native native;
  std::string& path = native.text;
  std::wstring_view rest = windowsPath;
  Start(path, rest);
  if (use == Use::kOpen) {
    if (!Spell(path, rest)) path.clear();
    return native;
  }
  const std::size_t startSize = path.size();
  if (AsSpelt(path, rest, native.status, use == Use::kWrite)) return native;
  native.status.st_mode = 0;
  path.resize(startSize);
  // A drive's root and "/" have no parent, as on Windows; a relative path may climb out of the
  // current folder.
  const fs::path top(std::move(path));
  fs::path result = top;
  for (const std::wstring& part : Components(rest)) {
    if (part == L".") continue;
    if (part == L"..") {
      if (top.empty() && (result.empty() || result.filename() == "..")) {
        result /= "..";
      } else if (result != top) {
        result = result.parent_path();
      }
      continue;
    }
    result = Resolve(result, part);
  }
  path = result.native();
  return native;
}

// An absolute path without ".", ".." or doubled and trailing slashes is normal already: its
// Windows form is read straight off it.
std::optional<std::wstring> DriveMap::PlainToWindows(const std::string& path) const {
  const std::string& root = root_.native();
  const auto plain = [](std::string_view text) {
    return text.starts_with('/') && !text.ends_with('/') && !text.ends_with("/.") &&
           !text.ends_with("/..") && text.find("//") == std::string_view::npos &&
           text.find("/./") == std::string_view::npos &&
           text.find("/../") == std::string_view::npos;
  };
  if (!plain(path) || !plain(root)) return std::nullopt;
  std::wstring text;
  std::string_view rest = path;
  const bool below =
      rest.starts_with(root) && rest.size() > root.size() + 1 && rest[root.size()] == '/';
  const std::size_t drive = root.size() + 1;
  if (below && (rest.size() == drive + 1 || rest[drive + 1] == '/')) {
    text = UpperCase(static_cast<wchar_t>(rest[drive]));
    text += L':';
    rest.remove_prefix(drive + 1);
    if (rest.empty()) return text + L'\\';
  }
  text += FromUtf8(rest);
  std::replace(text.begin(), text.end(), L'/', L'\\');
  return text;
}

std::wstring DriveMap::ToWindows(const fs::path& nativePath) const {
  if (auto plain = PlainToWindows(nativePath.native())) return std::move(*plain);
  const fs::path path = nativePath.lexically_normal();
  const fs::path relative = path.lexically_relative(root_.lexically_normal());
  std::wstring text;
  auto it = relative.begin();
  if (!relative.empty() && it != relative.end() && *it != ".." && it->string().size() == 1) {
    text = UpperCase(static_cast<wchar_t>(it->string()[0]));
    text += L':';
    for (++it; it != relative.end(); ++it) {
      if (it->empty()) continue;
      text += L'\\';
      text += FromUtf8(it->string());
    }
    return text.size() == 2 ? text + L'\\' : text;
  }
  text = FromUtf8(path.string());
  for (wchar_t& c : text)
    if (c == L'/') c = L'\\';
  return text;
}

}  // namespace vendrel::platform::posix

namespace vendrel::platform {

fs::path NativePath(const std::wstring& windowsPath) {
  return posix::DriveMap::Default().Map(windowsPath).text;
}

std::wstring WindowsPath(const fs::path& nativePath) {
  return posix::DriveMap::Default().ToWindows(nativePath);
}

std::wstring PathText(const fs::path& path) {
  return FromUtf8(path.native());
}

}  // namespace vendrel::platform
