// An in-memory vault with two users, and helpers for the local files of its view.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "host/Vault.h"
#include "platform/NativePath.h"
#include "platform/Utf8.h"
#include "sim/SimVault.h"
#include "tests/support/FileText.h"

namespace vendrel::sim::testing {

using vendrel::testing::FileText;

inline void WriteNative(const std::filesystem::path& path, const std::string& text) {
  std::filesystem::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

inline bool ReadOnly(const std::filesystem::path& path) {
  return (std::filesystem::status(path).permissions() & std::filesystem::perms::owner_write) ==
         std::filesystem::perms::none;
}

class VaultTest : public ::testing::Test {
 protected:
  void SetUp() override {
    vault = SimVault::CreateInMemory();
    vault->AddUser(L"alice");
    vault->AddUser(L"bob");
    alice = Login(L"alice", L"PC1");
  }

  host::Ref<host::VaultSession> Login(const std::wstring& user, const std::wstring& computer) {
    host::Ref<host::VaultSession> session;
    EXPECT_EQ(vault->Login(user, computer, session), host::kOk);
    return session;
  }

  // The disk location of a path below the vault root ("sub\\a.txt").
  std::filesystem::path Local(const std::wstring& relative) const {
    return vault->GetStore().Native(L"C:\\Vault\\" + relative);
  }

  host::Ref<host::VaultFolder> Folder(host::VaultSession& session, const std::wstring& path) {
    host::Ref<host::VaultFolder> folder;
    EXPECT_EQ(session.GetFolderFromPath(path, folder), host::kOk) << platform::ToUtf8(path);
    return folder;
  }

  host::Ref<host::VaultFile> File(host::VaultSession& session, const std::wstring& path) {
    host::Ref<host::VaultFile> file;
    host::Ref<host::VaultFolder> folder;
    EXPECT_EQ(session.GetFileFromPath(path, file, folder), host::kOk) << platform::ToUtf8(path);
    return file;
  }

  // Adds a file with the given content to a vault folder, from a scratch file outside it.
  host::Ref<host::VaultFile> Add(host::VaultFolder& folder, const std::wstring& name,
                                 const std::string& content) {
    const std::filesystem::path scratch =
        vault->LocalFolder().parent_path() / (vault->LocalFolder().filename().string() + "-in");
    WriteNative(scratch / platform::ToUtf8(name), content);
    host::Ref<host::VaultFile> file;
    EXPECT_EQ(
        folder.AddFile(0, platform::WindowsPath(scratch / platform::ToUtf8(name)), name, 1, file),
        host::kOk);
    std::filesystem::remove_all(scratch);
    return file;
  }

  std::int32_t IdOf(host::VaultObject& object) {
    std::int32_t id = 0;
    EXPECT_EQ(object.Id(id), host::kOk);
    return id;
  }

  std::unique_ptr<SimVault> vault;
  host::Ref<host::VaultSession> alice;
};

}  // namespace vendrel::sim::testing
