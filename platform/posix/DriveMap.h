// Drive paths mapped onto folders: C:\Vault\a.txt is <drives>/c/Vault/a.txt.
#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace vendrel::platform::posix {

class DriveMap {
 public:
  explicit DriveMap(std::filesystem::path drivesRoot);
  // VENDREL_DRIVES, else ~/.vendrel/drives, else a folder under the temporary directory.
  static std::filesystem::path DefaultRoot();

  const std::filesystem::path& Root() const { return root_; }
  // Existing components are found regardless of case, as Windows would; missing ones keep
  // their spelling. A path without drive letter is a posix path (rooted at "\") or relative.
  std::filesystem::path ToNative(const std::wstring& windowsPath) const;
  std::wstring ToWindows(const std::filesystem::path& nativePath) const;

 private:
  class Listings;

  std::optional<std::filesystem::path> AsSpelt(std::string path, std::wstring_view rest) const;
  std::filesystem::path Resolve(const std::filesystem::path& dir, const std::wstring& name) const;

  std::filesystem::path root_;
  // Folders searched for a name in another case, read once and kept current; copies share it.
  std::shared_ptr<Listings> listings_;
};

}  // namespace vendrel::platform::posix
