// Files of 8-bit text, read and written a line at a time through large buffers.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/FileSystem.h"

namespace vendrel::platform {

// The lines of a file: LF or CR LF ends a line; the last line may have no end.
class LineReader {
 public:
  explicit LineReader(FileReader& file) : file_(file), buffer_(kBufferSize) {}

  // The next line's bytes without its end, valid until the next call. False at the end of the
  // file and on a failure (Error() is then not 0).
  bool Next(std::string_view& line);
  std::uint32_t Error() const { return error_; }

 private:
  static constexpr std::size_t kBufferSize = std::size_t{1} << 16;

  bool Fill();

  FileReader& file_;
  std::vector<char> buffer_;
  std::size_t begin_ = 0;
  std::size_t end_ = 0;
  bool atEnd_ = false;
  std::uint32_t error_ = 0;
  std::string partial_;  // a line that runs past the end of the buffer
};

// Lines each followed by CR LF, as Windows ends the lines of text files.
class LineWriter {
 public:
  explicit LineWriter(FileWriter& file) : file_(file) {}

  // False once a write has failed (Error() tells why); the lines after it are dropped.
  bool Write(std::string_view bytes);
  // A line that `append(std::string&)` appends to the buffered text, which it must leave as it is.
  template <class Append>
  bool WriteWith(Append append) {
    append(pending_);
    return LineDone();
  }
  // Writes what the buffer holds; call it before the file closes.
  bool Flush();
  std::uint32_t Error() const { return error_; }

 private:
  static constexpr std::size_t kFlushSize = std::size_t{1} << 16;

  bool LineDone();

  FileWriter& file_;
  std::string pending_;
  std::uint32_t error_ = 0;
};

}  // namespace vendrel::platform
