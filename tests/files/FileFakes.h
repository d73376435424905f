// Fakes for the file commands: an in-memory file system of Windows paths and vault objects that
// record the adds, deletes, renames and local copies asked of them.
#pragma once

#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/CaseFold.h"
#include "platform/FileSystem.h"
#include "platform/PathParts.h"
#include "tests/support/FakeVault.h"

namespace vendrel::testing {

// Paths compare case-insensitively; drive roots ("C:") always exist.
class MemoryFileSystem : public platform::FileSystem {
 public:
  static constexpr std::uint32_t kFileNotFound = 2;
  static constexpr std::uint32_t kPathNotFound = 3;
  static constexpr std::uint32_t kAccessDenied = 5;
  static constexpr std::uint32_t kAlreadyExists = 183;

  struct Entry {
    bool directory = false;
    bool readOnly = false;
    std::wstring content;
  };

  void AddDirectory(const std::wstring& path) { entries_[Key(path)] = {true, false, {}}; }
  void AddFile(const std::wstring& path, const std::wstring& content, bool readOnly = false) {
    entries_[Key(path)] = {false, readOnly, content};
  }
  const Entry* Find(const std::wstring& path) const {
    const auto it = entries_.find(Key(path));
    return it == entries_.end() ? nullptr : &it->second;
  }

  std::optional<std::uint32_t> Attributes(const std::wstring& path) override {
    const Entry* entry = Find(path);
    if (entry == nullptr) return Fail(kFileNotFound), std::nullopt;
    std::uint32_t attributes = entry->directory ? platform::kAttributeDirectory : 0x80;
    if (entry->readOnly) attributes |= platform::kAttributeReadOnly;
    return attributes;
  }
  bool AnyMatch(const std::wstring& pattern) override {
    const std::wstring key = Key(pattern);
    const std::size_t slash = key.rfind(L'\\');
    const std::wstring folder = key.substr(0, slash + 1);
    for (const auto& [path, entry] : entries_) {
      if (path.starts_with(folder) && path.find(L'\\', folder.size()) == std::wstring::npos &&
          Matches(key.substr(folder.size()), path.substr(folder.size())))
        return true;
    }
    return false;
  }
  bool CopyFile(const std::wstring& from, const std::wstring& to, bool failIfExists) override {
    const Entry* source = Find(from);
    if (source == nullptr || source->directory) return Fail(kFileNotFound);
    if (const Entry* target = Find(to)) {
      if (failIfExists) return Fail(kAlreadyExists);
      if (target->directory || target->readOnly) return Fail(kAccessDenied);
    } else if (!ParentExists(to)) {
      return Fail(kPathNotFound);
    }
    entries_[Key(to)] = *source;
    return true;
  }
  bool MoveFile(const std::wstring& from, const std::wstring& to) override {
    const auto it = entries_.find(Key(from));
    if (it == entries_.end()) return Fail(kFileNotFound);
    if (Find(to) != nullptr) return Fail(kAlreadyExists);
    if (!ParentExists(to)) return Fail(kPathNotFound);
    // Whatever lay below the old path moves along.
    const std::wstring oldKey = it->first;
    std::map<std::wstring, Entry> moved;
    for (auto entry = entries_.begin(); entry != entries_.end();) {
      if (entry->first == oldKey || entry->first.starts_with(oldKey + L"\\")) {
        moved[Key(to) + entry->first.substr(oldKey.size())] = entry->second;
        entry = entries_.erase(entry);
      } else {
        ++entry;
      }
    }
    entries_.merge(moved);
    return true;
  }
  bool DeleteFile(const std::wstring& path) override {
    const auto it = entries_.find(Key(path));
    if (it == entries_.end()) return Fail(kFileNotFound);
    if (it->second.directory || it->second.readOnly) return Fail(kAccessDenied);
    entries_.erase(it);
    return true;
  }
  bool MakeWritable(const std::wstring& path) override {
    const auto it = entries_.find(Key(path));
    if (it == entries_.end()) return Fail(kFileNotFound);
    it->second.readOnly = false;
    return true;
  }
  bool CreateDirectory(const std::wstring& path) override {
    if (Find(path) != nullptr) return Fail(kAlreadyExists);
    if (!ParentExists(path)) return Fail(kPathNotFound);
    AddDirectory(path);
    return true;
  }
  std::wstring CurrentDirectory() override { return currentDirectory; }
  // Each character of the content stands for one byte.
  std::unique_ptr<platform::FileReader> OpenForReading(const std::wstring& path) override {
    const Entry* entry = Find(path);
    if (entry == nullptr || entry->directory)
      return Fail(entry ? kAccessDenied : kFileNotFound), nullptr;
    return std::make_unique<Reader>(std::string(entry->content.begin(), entry->content.end()));
  }
  std::unique_ptr<platform::FileWriter> OpenForWriting(const std::wstring& path,
                                                       bool append) override {
    const Entry* entry = Find(path);
    if (entry != nullptr && (entry->directory || entry->readOnly))
      return Fail(kAccessDenied), nullptr;
    if (entry == nullptr && !ParentExists(path)) return Fail(kPathNotFound), nullptr;
    Entry& file = entries_[Key(path)];
    if (!append) file.content.clear();
    return std::make_unique<Writer>(file.content);
  }
  std::uint32_t LastError() override { return lastError_; }
  std::wstring ErrorText(std::uint32_t error) override {
    return error == 0 ? std::wstring() : L"system text " + std::to_wstring(error);
  }

  std::wstring currentDirectory = L"C:\\Work";

 private:
  class Reader : public platform::FileReader {
   public:
    explicit Reader(std::string bytes) : bytes_(std::move(bytes)) {}
    bool Read(char* buffer, std::size_t size, std::size_t& count) override {
      count = bytes_.copy(buffer, size, position_);
      position_ += count;
      return true;
    }
    std::uint32_t Error() const override { return 0; }

   private:
    std::string bytes_;
    std::size_t position_ = 0;
  };
  class Writer : public platform::FileWriter {
   public:
    explicit Writer(std::wstring& content) : content_(content) {}
    bool Write(const char* bytes, std::size_t size) override {
      for (std::size_t i = 0; i < size; ++i)
        content_.push_back(static_cast<wchar_t>(static_cast<unsigned char>(bytes[i])));
      return true;
    }
    std::uint32_t Error() const override { return 0; }

   private:
    std::wstring& content_;
  };

  static std::wstring Key(std::wstring path) { return platform::LowerCase(std::move(path)); }
  // The file search's wildcards: * any run of characters, ? any one.
  static bool Matches(std::wstring_view pattern, std::wstring_view name) {
    if (pattern.empty()) return name.empty();
    if (pattern[0] == L'*')
      return Matches(pattern.substr(1), name) ||
             (!name.empty() && Matches(pattern, name.substr(1)));
    return !name.empty() && (pattern[0] == L'?' || pattern[0] == name[0]) &&
           Matches(pattern.substr(1), name.substr(1));
  }
  bool ParentExists(const std::wstring& path) const {
    const std::size_t slash = path.rfind(L'\\');
    if (slash == std::wstring::npos) return false;
    const std::wstring parent = path.substr(0, slash);
    if (parent.size() == 2 && parent[1] == L':') return true;
    const Entry* entry = Find(parent);
    return entry != nullptr && entry->directory;
  }
  bool Fail(std::uint32_t error) {
    lastError_ = error;
    return false;
  }

  std::map<std::wstring, Entry> entries_;
  std::uint32_t lastError_ = 0;
};

// A vault file whose local copy the test decides and whose renames are recorded.
class RecordingFile : public FakeFile {
 public:
  using FakeFile::FakeFile;

  HResult GetLocalCopy(host::HostWindow window, const host::Value& version,
                       const host::Value& where, std::int32_t flags,
                       const std::wstring& text) override {
    localCopies.push_back({window, version, where, flags, text});
    if (fetchInto != nullptr) fetchInto->AddFile(std::get<std::wstring>(where), L"fetched");
    return host::kOk;
  }
  HResult Rename(host::HostWindow window, const std::wstring& newName,
                 std::int32_t flags) override {
    renames.push_back({window, newName, flags});
    if (renameResult == host::kOk) name = newName;
    return renameResult;
  }

  struct LocalCopy {
    host::HostWindow window;
    host::Value version;
    host::Value where;
    std::int32_t flags;
    std::wstring text;
  };
  struct Renaming {
    host::HostWindow window;
    std::wstring newName;
    std::int32_t flags;
  };
  std::vector<LocalCopy> localCopies;
  std::vector<Renaming> renames;
  MemoryFileSystem* fetchInto = nullptr;  // where a local copy appears; null: nowhere
  HResult renameResult = host::kOk;
};

class RecordingFolder : public FakeFolder {
 public:
  using FakeFolder::FakeFolder;

  HResult AddFolder(host::HostWindow window, const std::wstring& folderName, std::int32_t flags,
                    Ref<host::VaultFolder>& folder) override {
    addedFolders.push_back({window, folderName, folderName, flags});
    if (host::Failed(addFolderResult)) return addFolderResult;
    auto added = host::MakeRef<RecordingFolder>(id * 100, folderName, path + L"\\" + folderName);
    subFolders.push_back(added);
    folder = added;
    return addFolderResult;
  }
  HResult AddFile(host::HostWindow window, const std::wstring& localPath,
                  const std::wstring& newName, std::int32_t flags,
                  Ref<host::VaultFile>& file) override {
    addedFiles.push_back({window, localPath, newName, flags});
    if (addFileResult == host::kOk) file = host::MakeRef<FakeFile>(id * 100, newName);
    return addFileResult;
  }
  HResult DeleteFile(host::HostWindow window, std::int32_t fileId, std::int32_t flags) override {
    deletedFiles.push_back({window, fileId, flags});
    if (host::Succeeded(deleteResult)) {
      std::erase_if(files, [&](const Ref<FakeFile>& file) { return file->id == fileId; });
    }
    return deleteResult;
  }

  struct Call {
    host::HostWindow window;
    std::wstring first;
    std::wstring second;
    std::int32_t flags;
  };
  struct Deletion {
    host::HostWindow window;
    std::int32_t fileId;
    std::int32_t flags;
  };
  std::vector<Call> addedFolders;  // first and second: the folder name
  std::vector<Call> addedFiles;    // first: the local path, second: the new name
  std::vector<Deletion> deletedFiles;
  HResult addFolderResult = host::kOk;
  HResult addFileResult = host::kOk;
  HResult deleteResult = host::kOk;
};

// The fake vault with recording folders and files and the host's error descriptions.
class RecordingVault : public FakeVault {
 public:
  Ref<RecordingFolder> AddRecordingFolder(std::int32_t id, const std::wstring& relativePath) {
    auto folder = host::MakeRef<RecordingFolder>(id, platform::NameOfPath(relativePath),
                                                 rootPath + relativePath);
    folders[id] = folder;
    return folder;
  }
  Ref<RecordingFile> AddRecordingFile(std::int32_t id, const std::wstring& fileName,
                                      std::int32_t folderId) {
    auto file = host::MakeRef<RecordingFile>(id, fileName);
    files[id] = file;
    folders.at(folderId)->files.push_back(file);
    return file;
  }

  // As the host does, a folder path may end in a backslash.
  HResult GetFolderFromPath(const std::wstring& path, Ref<host::VaultFolder>& out) override {
    std::wstring trimmed = path;
    while (trimmed.size() > 1 && trimmed.back() == L'\\') trimmed.pop_back();
    return FakeVault::GetFolderFromPath(trimmed, out);
  }
  HResult ErrorText(HResult code, std::wstring& codeName, std::wstring& description) override {
    codeName = L"code";
    description = L"host text " + std::to_wstring(static_cast<std::uint32_t>(code));
    return host::kOk;
  }
};

}  // namespace vendrel::testing
