// A simulated vault whose files lie on a drive C: in a temporary folder, reached through the
// posix file system, with a run context over it: for commands that meet the vault and the disk.
#pragma once

#include <gtest/gtest.h>

#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "actions/Action.h"
#include "actions/ActionData.h"
#include "platform/posix/FileSystem.h"
#include "platform/posix/System.h"
#include "sim/SimVault.h"
#include "tests/support/FakeServices.h"

namespace vendrel::testing {

// The vault's local view is C:\Vault with the folder C:\Vault\Docs; alice is logged in on PC1,
// this machine's name. The simulated host finds files outside the vault through the platform's
// drive mapping, which VENDREL_DRIVES points at the same folder.
class DriveVaultTest : public ::testing::Test {
 protected:
  DriveVaultTest()
      // The process too: test programs running side by side may place fixtures alike.
      : drives_(std::filesystem::temp_directory_path() /
                ("vendrel-drives-" + std::to_string(getpid()) + "-" +
                 std::to_string(reinterpret_cast<std::uintptr_t>(this)))),
        disk_(platform::posix::DriveMap(drives_)),
        machine_(L"PC1", L"alice") {
    if (const char* previous = std::getenv("VENDREL_DRIVES")) previousDrives_ = previous;
    setenv("VENDREL_DRIVES", drives_.c_str(), 1);
    std::filesystem::create_directories(drives_ / "c" / "Backup");
    sim::VaultSettings settings;
    settings.localFolder = drives_ / "c" / "Vault";
    vault_ = sim::SimVault::CreateInMemory(settings);
    vault_->AddUser(L"alice");
    vault_->AddUser(L"bob");
    session_ = Login(L"alice", L"PC1");
    host::Ref<host::VaultFolder> root;
    EXPECT_EQ(session_->GetFolderFromPath(L"C:\\Vault", root), host::kOk);
    EXPECT_EQ(root->AddFolder(0, L"Docs", 0, docs_), host::kOk);
    fakes_.services.files = &disk_;
    fakes_.services.machine = &machine_;
    run_ = NewRun();
  }
  ~DriveVaultTest() override {
    run_.reset();
    session_ = nullptr;
    docs_ = nullptr;
    vault_.reset();
    std::error_code ec;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(drives_, ec))
      std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_write,
                                   std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(drives_, ec);
    if (previousDrives_)
      setenv("VENDREL_DRIVES", previousDrives_->c_str(), 1);
    else
      unsetenv("VENDREL_DRIVES");
  }

  // A run of the test's action over the vault, as a notification starts one.
  std::unique_ptr<actions::ActionData> NewRun() {
    auto run = std::make_unique<actions::ActionData>(0x10, session_, lists_, &fakes_.services);
    run->currentAction = &action_;
    return run;
  }
  host::Ref<host::VaultSession> Login(const std::wstring& user, const std::wstring& computer) {
    host::Ref<host::VaultSession> session;
    EXPECT_EQ(vault_->Login(user, computer, session), host::kOk);
    return session;
  }

  std::filesystem::path Native(const std::wstring& windowsPath) const {
    return platform::posix::DriveMap(drives_).Map(windowsPath).text;
  }
  void Write(const std::wstring& windowsPath, const std::string& content) {
    const std::filesystem::path native = Native(windowsPath);
    std::filesystem::create_directories(native.parent_path());
    std::error_code ec;
    std::filesystem::permissions(native, std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::add, ec);
    std::ofstream(native, std::ios::binary) << content;
  }
  std::string Read(const std::wstring& windowsPath) const {
    std::ifstream in(Native(windowsPath), std::ios::binary);
    if (!in) return "<missing>";
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  // Adds a file to Docs, checked in, from a local file outside the vault.
  void AddToDocs(const std::wstring& name, const std::string& content) {
    Write(L"C:\\In\\" + name, content);
    host::Ref<host::VaultFile> file;
    ASSERT_EQ(docs_->AddFile(0, L"C:\\In\\" + name, name, 1, file), host::kOk);
  }
  host::Ref<host::VaultFile> Find(host::VaultSession& session, const std::wstring& path) {
    host::Ref<host::VaultFile> file;
    host::Ref<host::VaultFolder> folder;
    return session.GetFileFromPath(path, file, folder) == host::kOk ? file : nullptr;
  }
  bool InVault(const std::wstring& path) { return Find(*session_, path) != nullptr; }
  std::vector<platform::MessageBoxRequest>& Messages() { return fakes_.messageBoxes.shown; }

  std::filesystem::path drives_;
  std::optional<std::string> previousDrives_;
  platform::posix::PosixFileSystem disk_;
  platform::posix::PosixMachine machine_;
  std::unique_ptr<sim::SimVault> vault_;
  host::Ref<host::VaultSession> session_;
  host::Ref<host::VaultFolder> docs_;
  FakeServices fakes_;
  actions::DocumentLists lists_;
  actions::Action action_;
  std::unique_ptr<actions::ActionData> run_;
};

}  // namespace vendrel::testing
