// HexStringFile: growth, reading, seeking, length, duplicates and the hexadecimal text.
#include "actions/HexStringFile.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "actions/Archive.h"
#include "tests/actions/TestBytes.h"

namespace vendrel::actions {
namespace {

using test::Bytes;
using test::BytesOf;
using test::FileOf;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

FileError SeekFailure(HexStringFile& file, std::int64_t offset, File::Origin origin) {
  try {
    file.Seek(offset, origin);
  } catch (const FileError& e) {
    return e;
  }
  ADD_FAILURE() << "seek to " << offset << " did not fail";
  return FileError(FileError::Cause::kGeneric, L"");
}

TEST(HexStringFile, NewFileIsEmptyAndOpenOnlyRemembers) {
  HexStringFile file;
  EXPECT_EQ(file.GetLength(), 0u);
  EXPECT_EQ(file.Capacity(), 0u);
  file.Open(L"clip", 0x1001);
  EXPECT_EQ(file.FilePath(), L"clip");
  EXPECT_EQ(file.OpenFlags(), 0x1001u);
  file.SetFilePath(L"other");
  EXPECT_EQ(file.FilePath(), L"other");
}

TEST(HexStringFile, WriteGrowsByTheRequestPlus1024) {
  HexStringFile file;
  const Bytes chunk(1024, 0x5A);
  file.Write(chunk.data(), 1);
  EXPECT_EQ(file.Capacity(), 1025u);
  file.Write(chunk.data(), 1024);
  EXPECT_EQ(file.Capacity(), 1025u);
  file.Write(chunk.data(), 10);
  EXPECT_EQ(file.Capacity(), 1025u + 1024 + 10);
  EXPECT_EQ(file.GetLength(), 1035u);
  EXPECT_EQ(file.Position(), 1035u);
}

TEST(HexStringFile, OverwritingInsideKeepsTheLength) {
  HexStringFile file = FileOf({1, 2, 3, 4});
  file.Seek(1, File::Origin::kBegin);
  const Bytes two = {9, 9};
  file.Write(two.data(), 2);
  EXPECT_EQ(file.GetLength(), 4u);
  EXPECT_THAT(BytesOf(file), ElementsAre(1, 9, 9, 4));
}

TEST(HexStringFile, ReadStopsAtTheEnd) {
  HexStringFile file = FileOf({1, 2, 3});
  std::uint8_t buffer[8] = {};
  EXPECT_EQ(file.Read(buffer, 2), 2u);
  EXPECT_EQ(file.Read(buffer, 8), 1u);
  EXPECT_EQ(buffer[0], 3);
  EXPECT_EQ(file.Read(buffer, 8), 0u);
}

TEST(HexStringFile, SeekStaysInsideTheData) {
  HexStringFile file = FileOf({1, 2, 3, 4});
  EXPECT_EQ(file.Seek(3, File::Origin::kBegin), 3u);
  EXPECT_EQ(file.Seek(-2, File::Origin::kCurrent), 1u);
  EXPECT_EQ(file.Seek(-4, File::Origin::kEnd), 0u);

  file.Open(L"actions.hex", 0);
  const FileError atEnd = SeekFailure(file, 0, File::Origin::kEnd);
  EXPECT_EQ(atEnd.cause(), FileError::Cause::kBadSeek);
  EXPECT_EQ(atEnd.FileName(), L"actions.hex");
  EXPECT_THAT(atEnd.Message(), HasSubstr(L"actions.hex"));
  EXPECT_EQ(SeekFailure(file, -1, File::Origin::kBegin).cause(), FileError::Cause::kBadSeek);
  EXPECT_EQ(SeekFailure(file, 1LL << 40, File::Origin::kBegin).cause(), FileError::Cause::kBadSeek);
  EXPECT_EQ(file.Position(), 0u) << "a failed seek leaves the position";

  HexStringFile empty;
  EXPECT_EQ(SeekFailure(empty, 0, File::Origin::kBegin).cause(), FileError::Cause::kBadSeek);
}

TEST(HexStringFile, SetLengthKeepsTheBytesItCovers) {
  HexStringFile file = FileOf({0xAA, 0xBB});
  file.SetLength(4);
  EXPECT_EQ(file.Capacity(), 1026u) << "a length within the capacity keeps the buffer";
  EXPECT_THAT(BytesOf(file), ElementsAre(0xAA, 0xBB, 0, 0));
  file.SetLength(1);
  EXPECT_EQ(file.ToText(), L"AA");

  HexStringFile bare;
  bare.SetLength(3);
  EXPECT_EQ(bare.Capacity(), 3u);
  EXPECT_EQ(bare.ToText(), L"000000");
}

TEST(HexStringFile, DuplicateIsIndependent) {
  HexStringFile file = FileOf({1, 2, 3});
  file.Open(L"dup", 7);
  file.Seek(2, File::Origin::kBegin);
  auto copy = file.Duplicate();
  auto& dup = static_cast<HexStringFile&>(*copy);
  EXPECT_EQ(dup.FilePath(), L"dup");
  EXPECT_EQ(dup.OpenFlags(), 7u);
  EXPECT_EQ(dup.Position(), 2u);
  const Bytes byte = {0xEE};
  dup.Write(byte.data(), 1);
  EXPECT_EQ(dup.ToText(), L"0102EE");
  EXPECT_EQ(file.ToText(), L"010203");
}

TEST(HexStringFileText, ToTextIsUpperCaseTwoDigitsPerByte) {
  EXPECT_EQ(FileOf({0x00, 0xAB, 0x0F, 0xF0}).ToText(), L"00AB0FF0");
  EXPECT_EQ(HexStringFile().ToText(), L"");
}

TEST(HexStringFileText, FromTextAcceptsEitherCase) {
  HexStringFile file = FileOf({9, 9, 9, 9, 9});
  ASSERT_TRUE(file.FromText(L"00ab0F"));
  EXPECT_THAT(BytesOf(file), ElementsAre(0x00, 0xAB, 0x0F));
  EXPECT_EQ(file.Position(), 0u);
}

TEST(HexStringFileText, EmptyTextGivesAnEmptyFile) {
  HexStringFile file = FileOf({1, 2});
  EXPECT_TRUE(file.FromText(L""));
  EXPECT_EQ(file.GetLength(), 0u);
  EXPECT_FALSE(file.FromText(std::nullopt));
  EXPECT_EQ(file.GetLength(), 0u);
}

TEST(HexStringFileText, FailureKeepsTheBytesBeforeIt) {
  HexStringFile file;
  EXPECT_FALSE(file.FromText(L"0A0B0"));
  EXPECT_THAT(BytesOf(file), ElementsAre(0x0A, 0x0B));
  EXPECT_EQ(file.Position(), 2u);

  for (const wchar_t* bad : {L"0A1G", L"0A+1", L"0A 1", L"0A0x", L"0A-1", L"0A\u0661\u0662"}) {
    EXPECT_FALSE(file.FromText(bad)) << "pair of " << testing::PrintToString(bad);
    EXPECT_THAT(BytesOf(file), ElementsAre(0x0A));
    EXPECT_EQ(file.Position(), 1u);
  }
}

// A text that arrives in pieces decodes as it would whole, wherever a piece ends.
TEST(HexStringFileText, TextInPiecesDecodesAsTheWholeText) {
  for (const std::wstring text : {L"0A1b2C3d", L"0A1G2C", L"0A1B2", L"0A1B2G"}) {
    HexStringFile whole;
    const bool wholeResult = whole.FromText(text);
    for (std::size_t cut = 0; cut <= text.size(); ++cut) {
      HexStringFile file = FileOf({7, 7, 7});
      HexStringFile::TextDecoder decoder(file);
      decoder.Add(std::wstring_view(text).substr(0, cut), text.size() - cut);
      decoder.Add(std::wstring_view(text).substr(cut), 0);
      EXPECT_EQ(decoder.Finish(), wholeResult) << testing::PrintToString(text) << " cut " << cut;
      EXPECT_EQ(BytesOf(file), BytesOf(whole));
      EXPECT_EQ(file.Position(), whole.Position());
      EXPECT_EQ(file.Capacity(), whole.Capacity());
    }
  }
}

// Long runs are decoded several digits at a time: a bad digit anywhere in them, even outside the
// ASCII range, ends the bytes exactly where a digit-by-digit reading ends them.
TEST(HexStringFileText, LongTextDecodesAsDigitByDigit) {
  const std::wstring digits = L"00112233445566778899aAbBcCdDeEfF0123456789ABCDEF";
  for (std::size_t bad = 0; bad <= digits.size(); ++bad) {
    std::wstring text = digits;
    if (bad < text.size()) text[bad] = bad % 2 == 0 ? L'g' : L'\u0661';
    HexStringFile whole;
    const bool wholeResult = whole.FromText(text);
    HexStringFile single;
    HexStringFile::TextDecoder decoder(single);
    for (const wchar_t& c : text) decoder.Add(std::wstring_view(&c, 1), 0);
    EXPECT_EQ(decoder.Finish(), wholeResult) << "bad digit at " << bad;
    EXPECT_EQ(BytesOf(single), BytesOf(whole)) << "bad digit at " << bad;
    EXPECT_EQ(single.Position(), whole.Position());
    EXPECT_EQ(single.Capacity(), whole.Capacity());
  }
}

TEST(HexStringFileText, FailedTextLeavesNothingToReadForAnArchive) {
  HexStringFile file;
  EXPECT_FALSE(file.FromText(L"010000000"));
  Archive archive(file, Archive::Mode::kLoad);
  EXPECT_THROW(archive.ReadInt32(), ArchiveError);
}

TEST(HexStringFileText, LongTextRoundTrips) {
  Bytes all;
  for (int round = 0; round < 9; ++round) {
    for (int b = 0; b < 256; ++b) all.push_back(static_cast<std::uint8_t>(b));
  }
  const std::wstring text = FileOf(all).ToText();
  EXPECT_EQ(text.size(), all.size() * 2);
  HexStringFile back;
  ASSERT_TRUE(back.FromText(text));
  EXPECT_EQ(BytesOf(back), all);
  EXPECT_THAT(FileOf({}).ToText(), IsEmpty());
}

}  // namespace
}  // namespace vendrel::actions
