// Archive values: integers, booleans and every length form of texts, and damaged input.
#include "actions/Archive.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/actions/AllocationWatch.h"
#include "tests/actions/TestBytes.h"

namespace vendrel::actions {
namespace {

using test::Bytes;
using test::operator+;
using test::BytesOf;
using test::FileOf;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

Bytes Written(const std::wstring& text) {
  HexStringFile file;
  Archive(file, Archive::Mode::kStore).WriteText(text);
  return BytesOf(file);
}

std::wstring ReadTextFrom(const Bytes& bytes) {
  HexStringFile file = FileOf(bytes);
  return Archive(file, Archive::Mode::kLoad).ReadText();
}

// `count` UTF-16 units of 'a', as stored.
Bytes Units(std::size_t count) {
  Bytes bytes;
  for (std::size_t i = 0; i < count; ++i) bytes.insert(bytes.end(), {0x61, 0x00});
  return bytes;
}

ArchiveError::Cause ReadFailure(const Bytes& bytes, void (*read)(Archive&)) {
  HexStringFile file = FileOf(bytes);
  Archive archive(file, Archive::Mode::kLoad);
  try {
    read(archive);
  } catch (const ArchiveError& e) {
    return e.cause();
  }
  ADD_FAILURE() << "read did not fail";
  return ArchiveError::Cause::kBadIndex;
}

void ReadOneText(Archive& archive) {
  archive.ReadText();
}
void ReadOneInt(Archive& archive) {
  archive.ReadInt32();
}

TEST(ArchiveText, ShortLengthsTakeOneByte) {
  EXPECT_THAT(Written(L""), ElementsAre(0xFF, 0xFE, 0xFF, 0x00));
  EXPECT_THAT(Written(L"abc"), ElementsAre(0xFF, 0xFE, 0xFF, 0x03, 0x61, 0, 0x62, 0, 0x63, 0));
  EXPECT_EQ(Written(std::wstring(254, L'a')), (Bytes{0xFF, 0xFE, 0xFF, 0xFE} + Units(254)));
}

TEST(ArchiveText, LengthsFrom255TakeSixteenBits) {
  EXPECT_EQ(Written(std::wstring(255, L'a')),
            (Bytes{0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0x00} + Units(255)));
  EXPECT_EQ(Written(std::wstring(0xFFFD, L'a')),
            (Bytes{0xFF, 0xFE, 0xFF, 0xFF, 0xFD, 0xFF} + Units(0xFFFD)));
}

TEST(ArchiveText, LengthsFrom0xFFFETakeThirtyTwoBits) {
  EXPECT_EQ(Written(std::wstring(0xFFFE, L'a')),
            (Bytes{0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00} + Units(0xFFFE)));
  EXPECT_EQ(Written(std::wstring(0x10000, L'a')),
            (Bytes{0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x01, 0x00} + Units(0x10000)));
}

TEST(ArchiveText, EveryWrittenLengthReadsBack) {
  for (std::size_t length : {0, 1, 254, 255, 256, 0xFFFD, 0xFFFE, 0xFFFF, 0x10001}) {
    std::wstring text(length, L'x');
    for (std::size_t i = 0; i < length; i += 7) text[i] = static_cast<wchar_t>(0x100 + i % 0xD000);
    EXPECT_EQ(ReadTextFrom(Written(text)), text) << "length " << length;
  }
}

TEST(ArchiveText, CharactersBeyondSixteenBitsTravelAsSurrogatePairs) {
  const std::wstring text = L"a\U0001F600";
  const Bytes bytes = Written(text);
  EXPECT_THAT(bytes, ElementsAre(0xFF, 0xFE, 0xFF, 0x03, 0x61, 0, 0x3D, 0xD8, 0x00, 0xDE));
  EXPECT_EQ(ReadTextFrom(bytes), text);
}

TEST(ArchiveText, SixtyFourBitLengthReads) {
  const Bytes header = {0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
  const Bytes length = {2, 0, 0, 0, 0, 0, 0, 0};
  EXPECT_EQ(ReadTextFrom(header + length + Bytes{0x4F, 0, 0x4B, 0}), L"OK");
}

TEST(ArchiveText, LongerFormThanNeededStillReads) {
  EXPECT_EQ(ReadTextFrom({0xFF, 0xFE, 0xFF, 0xFF, 0x02, 0x00, 0x68, 0, 0x69, 0}), L"hi");
  EXPECT_EQ(ReadTextFrom({0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0x01, 0, 0, 0, 0x68, 0}), L"h");
}

TEST(ArchiveText, EightBitTextsGoThroughTheAnsiCodePage) {
  EXPECT_EQ(ReadTextFrom({0x03, 0x61, 0x80, 0xE9}), L"a\u20AC\u00E9");
  EXPECT_EQ(ReadTextFrom({0x00}), L"");
  // A first byte of 0xFF not followed by FE FF: the 16-bit value is the 8-bit text's length.
  EXPECT_EQ(ReadTextFrom({0xFF, 0x02, 0x00, 0x9C, 0x7A}), L"\u0153z");
  EXPECT_EQ(ReadTextFrom({0xFF, 0xFF, 0xFF, 0x01, 0x00, 0x00, 0x00, 0x41}), L"A");
  EXPECT_EQ(ReadTextFrom({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 1, 0, 0, 0, 0, 0, 0, 0, 0x42}),
            L"B");
}

TEST(ArchiveValues, IntegersAreLittleEndianTwosComplement) {
  HexStringFile file;
  Archive store(file, Archive::Mode::kStore);
  store.WriteInt32(-1600);
  store.WriteInt32(0x01020304);
  EXPECT_THAT(BytesOf(file), ElementsAre(0xC0, 0xF9, 0xFF, 0xFF, 4, 3, 2, 1));
  file.Seek(0, File::Origin::kBegin);
  Archive load(file, Archive::Mode::kLoad);
  EXPECT_EQ(load.ReadInt32(), -1600);
  EXPECT_EQ(load.ReadInt32(), 0x01020304);
}

TEST(ArchiveValues, BooleansReadTrueOnlyForOne) {
  HexStringFile out;
  Archive store(out, Archive::Mode::kStore);
  store.WriteBool(true);
  store.WriteBool(false);
  EXPECT_THAT(BytesOf(out), ElementsAre(1, 0, 0, 0, 0, 0, 0, 0));

  HexStringFile in =
      FileOf({1, 0, 0, 0, 2, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 1, 0, 0, 1});
  Archive load(in, Archive::Mode::kLoad);
  EXPECT_TRUE(load.ReadBool());
  EXPECT_FALSE(load.ReadBool());
  EXPECT_FALSE(load.ReadBool());
  EXPECT_FALSE(load.ReadBool());
  EXPECT_FALSE(load.ReadBool());
}

TEST(ArchiveValues, TextListBelowOneLoadsNothing) {
  HexStringFile file = FileOf({0xFF, 0xFF, 0xFF, 0xFF});
  Archive load(file, Archive::Mode::kLoad);
  std::vector<std::wstring> texts = {L"old"};
  load.TextList(texts);
  EXPECT_TRUE(texts.empty());
}

TEST(ArchiveDamage, TruncatedDataEndsWithEndOfFile) {
  EXPECT_EQ(ReadFailure({1, 2, 3}, ReadOneInt), ArchiveError::Cause::kEndOfFile);
  EXPECT_EQ(ReadFailure({0xFF, 0xFE}, ReadOneText), ArchiveError::Cause::kEndOfFile);
  EXPECT_EQ(ReadFailure({0xFF, 0xFE, 0xFF}, ReadOneText), ArchiveError::Cause::kEndOfFile);
  EXPECT_EQ(ReadFailure({0xFF, 0xFE, 0xFF, 0x03, 0x61, 0, 0x62, 0, 0x63}, ReadOneText),
            ArchiveError::Cause::kEndOfFile);
  EXPECT_EQ(ReadFailure({0x04, 0x61, 0x62}, ReadOneText), ArchiveError::Cause::kEndOfFile);
}

TEST(ArchiveDamage, HostileLengthsAllocateNoMoreThanTheDataHolds) {
  const Bytes utf16Huge = {0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
                           0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F, 0x41, 0x00};
  const Bytes utf16Large = {0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0xFF, 0x7F, 0x41, 0};
  const Bytes ansiLarge = {0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0x41, 0x42};
  for (const Bytes& input : {utf16Huge, utf16Large, ansiLarge}) {
    HexStringFile file = FileOf(input);
    Archive archive(file, Archive::Mode::kLoad);
    test::ResetLargestAllocation();
    EXPECT_THROW(archive.ReadText(), ArchiveError);
    EXPECT_LT(test::LargestAllocation(), 1u << 20);
  }
}

}  // namespace
}  // namespace vendrel::actions
