// The shared data file: bytes at offsets seen through every handle, short reads refused.
#include "platform/DataFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <system_error>
#include <vector>

namespace vendrel::platform {
namespace {

std::vector<std::uint8_t> Read(const DataFile& file, std::uint64_t at, std::size_t size) {
  std::vector<std::uint8_t> bytes(size);
  file.ReadAt(at, bytes.data(), size);
  return bytes;
}

TEST(DataFile, TwoHandlesOnOneFileShareItsBytesAndItsEnd) {
  const std::filesystem::path path = std::filesystem::current_path() / "data-file-test.bin";
  std::filesystem::remove(path);
  {
    DataFile writer(path);
    DataFile reader(path);
    EXPECT_EQ(reader.Size(), 0u);
    const std::vector<std::uint8_t> first{1, 2, 3}, second{4, 5};
    writer.WriteAt(0, first.data(), first.size());
    reader.WriteAt(reader.Size(), second.data(), second.size());
    writer.Sync();
    EXPECT_EQ(writer.Size(), 5u);
    EXPECT_EQ(Read(reader, 0, 3), first);
    EXPECT_EQ(Read(writer, 3, 2), second);
    // Writing inside leaves the rest, and the end where it was.
    writer.WriteAt(1, second.data(), second.size());
    EXPECT_EQ(Read(reader, 0, 5), (std::vector<std::uint8_t>{1, 4, 5, 4, 5}));
    EXPECT_EQ(reader.Size(), 5u);
  }
  DataFile reopened(path);
  EXPECT_EQ(reopened.Size(), 5u);
  std::filesystem::remove(path);
}

TEST(DataFile, AReadBeyondTheEndThrowsAndTemporaryFilesAreApart) {
  DataFile one = DataFile::Temporary();
  DataFile two = DataFile::Temporary();
  const std::vector<std::uint8_t> bytes(100000, 7);
  one.WriteAt(0, bytes.data(), bytes.size());
  EXPECT_EQ(Read(one, 0, bytes.size()), bytes);
  EXPECT_EQ(two.Size(), 0u);
  std::vector<std::uint8_t> buffer(10);
  EXPECT_THROW(one.ReadAt(bytes.size() - 5, buffer.data(), buffer.size()), std::system_error);
  EXPECT_THROW(two.ReadAt(0, buffer.data(), 1), std::system_error);
  // Moved, the file stays open in its new owner.
  const DataFile moved(std::move(one));
  EXPECT_EQ(Read(moved, 99990, 10), std::vector<std::uint8_t>(10, 7));
}

// Copies go between any two files at any offsets, a large one whole, and stop where the source
// ends. Opening to read finds only an existing file; opening to replace empties one.
TEST(DataFile, CopiesReachTheirOffsetsAndStopAtTheSourcesEnd) {
  const std::filesystem::path path = std::filesystem::current_path() / "data-file-copy.bin";
  std::filesystem::remove(path);
  EXPECT_FALSE(DataFile::OpenToRead(path));
  std::vector<std::uint8_t> bytes(300000);
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(i * 7);
  {
    DataFile source = DataFile::Temporary();
    source.WriteAt(0, bytes.data(), bytes.size());
    std::optional<DataFile> target = DataFile::OpenToReplace(path);
    ASSERT_TRUE(target);
    EXPECT_EQ(source.CopyTo(0, bytes.size(), *target, 0), bytes.size());
    EXPECT_EQ(source.CopyTo(1000, 10, *target, bytes.size() + 5), 10u);
    EXPECT_EQ(source.CopyTo(bytes.size() - 4, 100, *target, 10), 4u);
  }
  std::optional<DataFile> copied = DataFile::OpenToRead(path);
  ASSERT_TRUE(copied);
  ASSERT_EQ(copied->Size(), bytes.size() + 15);
  std::vector<std::uint8_t> expected = bytes;
  std::copy(bytes.end() - 4, bytes.end(), expected.begin() + 10);
  expected.resize(bytes.size() + 5);
  expected.insert(expected.end(), bytes.begin() + 1000, bytes.begin() + 1010);
  EXPECT_EQ(Read(*copied, 0, expected.size()), expected);
  EXPECT_EQ(DataFile::OpenToReplace(path)->Size(), 0u);
  std::filesystem::remove(path);
}

}  // namespace
}  // namespace vendrel::platform
