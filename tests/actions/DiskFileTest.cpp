// DiskFile: bytes reach the disk and come back, and its errors name the file.
#include "actions/DiskFile.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <iterator>

#include "actions/Archive.h"
#include "tests/support/FileText.h"

namespace vendrel::actions {
namespace {

using ::testing::HasSubstr;
using vendrel::testing::FileText;

class DiskFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    dir_ =
        std::filesystem::temp_directory_path() / (std::string("vendrel-diskfile-") + info->name());
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  // Built as text: a wide non-ASCII name cannot pass through the path class on every system.
  std::wstring PathOf(const std::wstring& name) const { return dir_.wstring() + L"/" + name; }

  static FileError OpenFailure(const std::wstring& path, DiskFile::Mode mode) {
    try {
      DiskFile file(path, mode);
    } catch (const FileError& e) {
      return e;
    }
    ADD_FAILURE() << "opened";
    return FileError(FileError::Cause::kGeneric, L"");
  }

  static void WriteFile(const std::wstring& path, const char* text) {
    DiskFile file(path, DiskFile::Mode::kReplace);
    file.Write(text, std::strlen(text));
    file.Close();
  }

  std::filesystem::path dir_;
};

TEST_F(DiskFileTest, ArchiveWrittenToDiskReadsBack) {
  const std::wstring path = PathOf(L"set.acn");
  {
    DiskFile file(path, DiskFile::Mode::kReplace);
    Archive archive(file, Archive::Mode::kStore);
    archive.WriteText(L"Kalvano Vorn Action");
    archive.WriteInt32(1600);
    file.Close();
  }
  DiskFile file(path, DiskFile::Mode::kRead);
  EXPECT_EQ(file.GetLength(), 4u + 19 * 2 + 4);
  Archive archive(file, Archive::Mode::kLoad);
  EXPECT_EQ(archive.ReadText(), L"Kalvano Vorn Action");
  EXPECT_EQ(archive.ReadInt32(), 1600);
  EXPECT_THROW(archive.ReadInt32(), ArchiveError);
}

// The old file stays whole until the new one is complete, whatever stops the new one.
TEST_F(DiskFileTest, AReplacementTakesTheOldFilesPlaceOnlyWhenClosed) {
  const std::wstring path = PathOf(L"again.acn");
  WriteFile(path, "old bytes");
  {
    DiskFile file(path, DiskFile::Mode::kReplace);
    EXPECT_EQ(file.GetLength(), 0u);
    file.Write("dropped before its close", 24);
  }
  EXPECT_EQ(FileText(dir_ / "again.acn"), "old bytes");

  {
    DiskFile file(path, DiskFile::Mode::kReplace);
    file.Write("blocked", 7);
    std::filesystem::rename(dir_ / "again.acn", dir_ / "kept.acn");
    std::filesystem::create_directories(dir_ / "again.acn" / "in the way");
    EXPECT_THROW(file.Close(), FileError);
  }
  std::filesystem::remove_all(dir_ / "again.acn");
  std::filesystem::rename(dir_ / "kept.acn", dir_ / "again.acn");

  std::filesystem::permissions(dir_ / "again.acn", std::filesystem::perms::owner_write,
                               std::filesystem::perm_options::remove);
  EXPECT_EQ(OpenFailure(path, DiskFile::Mode::kReplace).cause(), FileError::Cause::kAccessDenied);
  std::filesystem::permissions(dir_ / "again.acn", std::filesystem::perms::owner_write,
                               std::filesystem::perm_options::add);
  EXPECT_EQ(FileText(dir_ / "again.acn"), "old bytes");

  WriteFile(path, "new");
  EXPECT_EQ(FileText(dir_ / "again.acn"), "new");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_), {}), 1);
}

TEST_F(DiskFileTest, NonAsciiNamesWork) {
  const std::wstring path = PathOf(L"Aktion \u00E9\u20AC.acn");
  WriteFile(path, "xy");
  DiskFile file(path, DiskFile::Mode::kRead);
  EXPECT_EQ(file.GetLength(), 2u);
  EXPECT_EQ(file.FilePath(), path);
  EXPECT_TRUE(std::filesystem::exists(dir_ / std::filesystem::path(u8"Aktion \u00E9\u20AC.acn")));
}

TEST_F(DiskFileTest, OpenErrorsNameTheFile) {
  const std::wstring missing = PathOf(L"missing.acn");
  const FileError notFound = OpenFailure(missing, DiskFile::Mode::kRead);
  EXPECT_EQ(notFound.cause(), FileError::Cause::kFileNotFound);
  EXPECT_EQ(notFound.FileName(), missing);
  EXPECT_THAT(notFound.Message(), HasSubstr(missing));

  EXPECT_EQ(OpenFailure(dir_.wstring(), DiskFile::Mode::kRead).cause(),
            FileError::Cause::kAccessDenied);
}

TEST_F(DiskFileTest, SeekLengthAndDuplicate) {
  WriteFile(PathOf(L"seek.bin"), "abcdef");
  DiskFile file(PathOf(L"seek.bin"), DiskFile::Mode::kReadWrite);
  EXPECT_EQ(file.Seek(-2, File::Origin::kEnd), 4u);
  char c = 0;
  ASSERT_EQ(file.Read(&c, 1), 1u);
  EXPECT_EQ(c, 'e');
  EXPECT_THROW(file.Seek(-10, File::Origin::kCurrent), FileError);

  file.SetLength(3);
  EXPECT_EQ(file.GetLength(), 3u);
  file.Seek(1, File::Origin::kBegin);
  auto dup = file.Duplicate();
  ASSERT_EQ(dup->Read(&c, 1), 1u);
  EXPECT_EQ(c, 'b');
  char rest[4] = {};
  EXPECT_EQ(file.Read(rest, 4), 2u);
  EXPECT_EQ(std::string(rest, 2), "bc");
}

TEST_F(DiskFileTest, ReadOnlyFileRefusesToChange) {
  const std::wstring path = PathOf(L"ro.bin");
  WriteFile(path, "a");
  DiskFile file(path, DiskFile::Mode::kRead);
  EXPECT_THROW(file.Write("b", 1), FileError);
  EXPECT_THROW(file.SetLength(0), FileError);
}

}  // namespace
}  // namespace vendrel::actions
