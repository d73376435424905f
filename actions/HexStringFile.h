// An in-memory file whose bytes travel as upper-case hexadecimal text (vault and clipboard).
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "actions/File.h"

namespace vendrel::actions {

class HexStringFile : public File {
 public:
  HexStringFile() = default;
  HexStringFile(const HexStringFile& other);
  HexStringFile& operator=(const HexStringFile&) = delete;

  // Stores the name and flags; there is nothing to open.
  void Open(const std::wstring& name, std::uint32_t flags);
  std::uint32_t OpenFlags() const { return openFlags_; }

  std::size_t Read(void* buffer, std::size_t n) override;
  void Write(const void* data, std::size_t n) override;
  // The result must lie inside the data (0 <= position < length), else a bad-seek error.
  std::uint64_t Seek(std::int64_t offset, Origin origin) override;
  std::uint64_t GetLength() const override { return length_; }
  void SetLength(std::uint64_t length) override;
  std::unique_ptr<File> Duplicate() const override;

  std::uint64_t Position() const { return position_; }
  std::uint32_t Capacity() const { return capacity_; }
  // Back to a new file's state: no bytes, no buffer, position 0.
  void Clear();
  // The bytes up to the length, leaving the file as Clear does.
  std::vector<std::uint8_t> TakeBytes();

  // Two upper-case hexadecimal digits per byte, nothing else.
  std::wstring ToText() const;
  // Replaces the contents by the bytes the text spells, two digits of either case per byte.
  // True with the position at 0 when the whole text converts. False for a missing text, a bad
  // pair or an odd digit at the end; the bytes before it stay and the position follows them.
  bool FromText(std::optional<std::wstring_view> text);

  // FromText of a text that arrives in pieces, with the same bytes and answer as FromText of the
  // pieces joined.
  class TextDecoder {
   public:
    // Empties the file.
    explicit TextDecoder(HexStringFile& file);
    // False from a bad pair on; what follows it is not read. `left`: at most how many characters
    // are still to come, so that the bytes are placed once.
    bool Add(std::wstring_view piece, std::size_t left);
    // The answer of FromText, once every piece is added.
    bool Finish();

   private:
    HexStringFile& file_;
    int high_ = -1;  // the first digit of a pair that two pieces share
    bool failed_ = false;
  };

 private:
  void Reserve(std::uint64_t capacity);

  std::uint32_t openFlags_ = 0;
  // As long as the capacity that the growth rules give; the vector's own geometric growth keeps
  // the copying linear however many small writes a large set takes.
  std::vector<std::uint8_t> bytes_;
  std::uint32_t length_ = 0;
  std::uint32_t position_ = 0;
  std::uint32_t capacity_ = 0;
};

}  // namespace vendrel::actions
