// DiskFile: bytes reach the disk and come back, and its errors name the file.
#include "actions/DiskFile.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "actions/Archive.h"

namespace vendrel::actions {
namespace {

using ::testing::HasSubstr;

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

  std::filesystem::path dir_;
};

TEST_F(DiskFileTest, ArchiveWrittenToDiskReadsBack) {
  const std::wstring path = PathOf(L"set.acn");
  {
    DiskFile file(path, DiskFile::Mode::kCreate);
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

TEST_F(DiskFileTest, CreateTruncatesAnExistingFile) {
  const std::wstring path = PathOf(L"again.acn");
  const char big[100] = {};
  DiskFile(path, DiskFile::Mode::kCreate).Write(big, sizeof big);
  DiskFile file(path, DiskFile::Mode::kCreate);
  EXPECT_EQ(file.GetLength(), 0u);
}

TEST_F(DiskFileTest, NonAsciiNamesWork) {
  const std::wstring path = PathOf(L"Aktion \u00E9\u20AC.acn");
  DiskFile(path, DiskFile::Mode::kCreate).Write("xy", 2);
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
  DiskFile file(PathOf(L"seek.bin"), DiskFile::Mode::kCreate);
  file.Write("abcdef", 6);
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
  DiskFile(path, DiskFile::Mode::kCreate).Write("a", 1);
  DiskFile file(path, DiskFile::Mode::kRead);
  EXPECT_THROW(file.Write("b", 1), FileError);
  EXPECT_THROW(file.SetLength(0), FileError);
}

}  // namespace
}  // namespace vendrel::actions
