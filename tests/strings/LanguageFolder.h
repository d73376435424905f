// A temporary language-files folder for tests, removed with the object.
#pragma once

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <string_view>

#include "uilibs/lexicor/StringFile.h"

namespace vendrel::lexicor_test {

class LanguageFolder {
 public:
  explicit LanguageFolder(const std::wstring& leaf = L"lanfiles")
      : path_(std::filesystem::temp_directory_path().wstring() + L"/vendrel-strings-" +
              std::to_wstring(std::random_device{}()) + L"-" + leaf),
        root_(lexicor::WidePath(path_)) {
    std::filesystem::create_directories(root_);
  }
  ~LanguageFolder() { std::filesystem::remove_all(root_); }
  LanguageFolder(const LanguageFolder&) = delete;
  LanguageFolder& operator=(const LanguageFolder&) = delete;

  std::wstring Path() const { return path_; }

  void Write(const std::wstring& language, const std::wstring& file, std::string_view utf8) {
    std::filesystem::create_directories(root_ / lexicor::WidePath(language));
    std::ofstream(root_ / lexicor::WidePath(language + L"/" + file + L".txt"), std::ios::binary)
        << utf8;
  }

 private:
  std::wstring path_;
  std::filesystem::path root_;
};

}  // namespace vendrel::lexicor_test
