// Lines of 8-bit text files: where lines end, lines longer than the buffer, CR LF on writing.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/TextFile.h"

namespace vendrel::platform {
namespace {

// Hands out its bytes in slices of `slice`, then fails when told to.
class SlicedReader : public FileReader {
 public:
  SlicedReader(std::string bytes, std::size_t slice) : bytes_(std::move(bytes)), slice_(slice) {}
  bool Read(char* buffer, std::size_t size, std::size_t& count) override {
    if (position_ == bytes_.size() && failAtEnd) return false;
    count = bytes_.copy(buffer, std::min(size, slice_), position_);
    position_ += count;
    return true;
  }
  std::uint32_t Error() const override { return 23; }
  bool failAtEnd = false;

 private:
  std::string bytes_;
  std::size_t slice_;
  std::size_t position_ = 0;
};

class StringWriter : public FileWriter {
 public:
  bool Write(const char* bytes, std::size_t size) override {
    ++writes;
    if (full) return false;
    text.append(bytes, size);
    return true;
  }
  std::uint32_t Error() const override { return 112; }
  std::string text;
  int writes = 0;
  bool full = false;
};

std::vector<std::string> Lines(const std::string& bytes, std::size_t slice = 1 << 20) {
  SlicedReader file(bytes, slice);
  LineReader reader(file);
  std::vector<std::string> lines;
  std::string_view line;
  while (reader.Next(line)) lines.emplace_back(line);
  EXPECT_EQ(reader.Error(), 0u);
  return lines;
}

using Strings = std::vector<std::string>;

TEST(LineReader, SplitsAtLineFeedsAndDropsTheCarriageReturnBeforeThem) {
  EXPECT_EQ(Lines("a\r\nb\nc"), (Strings{"a", "b", "c"}));
  EXPECT_EQ(Lines("a\r\n\r\n"), (Strings{"a", ""}));
  EXPECT_EQ(Lines("a\rb\r\r\n"), (Strings{"a\rb\r"})) << "only the CR of a line end goes";
  EXPECT_EQ(Lines(""), Strings{});
  EXPECT_EQ(Lines("\n"), Strings{""});
  EXPECT_EQ(Lines(std::string("\0%\xff\n", 4)), Strings{std::string("\0%\xff", 3)});
}

TEST(LineReader, LinesMayCrossEveryReadAndTheBuffer) {
  const std::string longLine(200000, 'x');
  for (std::size_t slice : {1u, 2u, 3u, 65536u, 1u << 20}) {
    EXPECT_EQ(Lines("ab\r\ncd\n" + longLine + "\r\nz", slice), (Strings{"ab", "cd", longLine, "z"}))
        << slice;
  }
}

TEST(LineReader, AReadFailureEndsTheLinesWithItsError) {
  SlicedReader file("one\ntwo", 1 << 20);
  file.failAtEnd = true;
  LineReader reader(file);
  std::string_view line;
  ASSERT_TRUE(reader.Next(line));
  EXPECT_EQ(line, "one");
  EXPECT_FALSE(reader.Next(line)) << "a line cut off by a failure is not handed out";
  EXPECT_EQ(reader.Error(), 23u);
}

TEST(LineWriter, EndsLinesWithCrLfAndWritesInLargePieces) {
  StringWriter file;
  LineWriter writer(file);
  for (int i = 0; i < 10000; ++i) ASSERT_TRUE(writer.Write(std::string_view("0123456789")));
  EXPECT_TRUE(writer.WriteWith([](std::string& text) { text += "end"; }));
  EXPECT_TRUE(writer.Flush());
  EXPECT_EQ(file.text.size(), 10000u * 12 + 5);
  EXPECT_EQ(file.text.substr(file.text.size() - 17), "0123456789\r\nend\r\n");
  EXPECT_LE(file.writes, 3);
}

TEST(LineWriter, AFailedWriteIsKeptAndLaterLinesAreDropped) {
  StringWriter file;
  file.full = true;
  LineWriter writer(file);
  EXPECT_TRUE(writer.Write(std::string_view("buffered")));
  EXPECT_FALSE(writer.Flush());
  EXPECT_EQ(writer.Error(), 112u);
  file.full = false;
  EXPECT_FALSE(writer.Write(std::string_view("later")));
  EXPECT_FALSE(writer.Flush());
  EXPECT_EQ(file.text, "");
}

}  // namespace
}  // namespace vendrel::platform
