// The archive: little-endian integers, 0/1 booleans and length-prefixed texts over a File.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "actions/File.h"

namespace vendrel::actions {

// Every container writes this version; older layouts are read by the version they announce.
inline constexpr std::int32_t kArchiveVersion = 1600;

class ArchiveError : public std::runtime_error {
 public:
  enum class Cause { kEndOfFile, kBadIndex, kBadLength };
  explicit ArchiveError(Cause cause);
  Cause cause() const { return cause_; }

 private:
  Cause cause_;
};

class Archive {
 public:
  enum class Mode { kStore, kLoad };

  Archive(File& file, Mode mode, std::int32_t version = kArchiveVersion)
      : file_(file), mode_(mode), version_(version) {}

  bool IsStoring() const { return mode_ == Mode::kStore; }
  bool IsLoading() const { return mode_ == Mode::kLoad; }
  std::int32_t Version() const { return version_; }
  void SetVersion(std::int32_t version) { version_ = version; }
  // While skimming, texts are read past and come back empty: enough to find where records end
  // and that they are whole, without making their texts.
  void SetSkimming(bool skimming) { skimming_ = skimming; }

  void WriteInt32(std::int32_t value);
  std::int32_t ReadInt32();
  void WriteBool(bool value);
  bool ReadBool();  // true only for a stored 1
  // Texts are always written as UTF-16.
  void WriteText(const std::wstring& text);
  // Reads UTF-16 and 8-bit (ANSI code page) texts in every length form.
  std::wstring ReadText();

  // Store or load, by the archive's mode.
  void Int32(std::int32_t& value);
  void Bool(bool& value);
  void Text(std::wstring& text);
  // A count, then that many texts; a count below 1 loads none.
  void TextList(std::vector<std::wstring>& texts);

 private:
  void ReadExact(void* buffer, std::size_t n);
  std::uint8_t ReadByte();
  std::uint16_t ReadUInt16();
  std::uint32_t ReadUInt32();
  std::uint64_t ReadUInt64();
  // The length scheme that follows a first byte of 0xFF and a 16-bit value below 0xFFFF.
  std::uint64_t ReadWideLength(std::uint16_t first16);
  // UTF-16 units straight into wide text.
  std::wstring ReadWide(std::uint64_t count);
  std::string ReadBytes(std::uint64_t count);
  void Skip(std::uint64_t count, std::size_t unitSize);
  void WriteBytes(const void* data, std::size_t n) { file_.Write(data, n); }

  File& file_;
  Mode mode_;
  std::int32_t version_;
  bool skimming_ = false;
};

}  // namespace vendrel::actions
