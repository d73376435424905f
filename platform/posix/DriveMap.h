// Drive paths mapped onto folders: C:\Vault\a.txt is <drives>/c/Vault/a.txt.
#pragma once

#include <sys/stat.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace vendrel::platform::posix {

class DriveMap {
 public:
  explicit DriveMap(std::filesystem::path drivesRoot);
  // The map of VENDREL_DRIVES, else ~/.vendrel/drives, else a folder under the temporary
  // directory; kept while that root stays, one per thread, as a map's listings are not shared.
  static const DriveMap& Default();

  const std::filesystem::path& Root() const { return root_; }
  // How a caller uses a path it maps, which decides how much of it is looked at.
  enum class Use {
    kLook,   // `status` gets the path's status when the mapping found it whole
    kWrite,  // most often new: where its folder's listing is kept, that answers without a look
    kOpen,   // opened at once: as spelt, unlooked at, and empty when a component is "." or "..";
             // a caller whose open fails maps it again to look
  };
  struct Native {
    std::string text;
    struct ::stat status {};  // a zero st_mode when the mapping did not find the path whole
  };
  // Existing components are found regardless of case, as Windows would; missing ones keep
  // their spelling. A path without drive letter is a posix path (rooted at "\") or relative.
  Native Map(const std::wstring& windowsPath, Use use = Use::kLook) const;
  std::wstring ToWindows(const std::filesystem::path& nativePath) const;

 private:
  class Listings;

  struct Spelling {
    std::size_t folderSize;  // npos without a component
    std::size_t nameStart;
    std::wstring_view name;  // the last component as given
  };
  // The native start of a Windows path put in `path`, room made for the rest, and the rest left
  // in `rest`.
  void Start(std::string& path, std::wstring_view& rest) const;
  static std::optional<Spelling> Spell(std::string& path, std::wstring_view rest);
  bool AsSpelt(std::string& path, std::wstring_view rest, struct ::stat& status,
               bool toWrite) const;
  std::optional<std::wstring> PlainToWindows(const std::string& path) const;
  std::filesystem::path Resolve(const std::filesystem::path& dir, const std::wstring& name) const;

  std::filesystem::path root_;
  // Folders searched for a name in another case, read once and kept current; copies share it.
  std::shared_ptr<Listings> listings_;
};

}  // namespace vendrel::platform::posix
