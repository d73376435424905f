// Line splitting and joining of 8-bit text files.
#include "platform/TextFile.h"

#include <cstring>

namespace vendrel::platform {

bool LineReader::Fill() {
  begin_ = 0;
  end_ = 0;
  if (atEnd_) return false;
  if (!file_.Read(buffer_.data(), buffer_.size(), end_)) {
    error_ = file_.Error();
    end_ = 0;
  }
  atEnd_ = end_ == 0;
  return !atEnd_;
}

bool LineReader::Next(std::string_view& line) {
  partial_.clear();
  while (begin_ < end_ || Fill()) {
    const char* start = buffer_.data() + begin_;
    const std::size_t available = end_ - begin_;
    const auto* newline = static_cast<const char*>(std::memchr(start, '\n', available));
    if (newline == nullptr) {
      partial_.append(start, available);
      begin_ = end_;
      continue;
    }
    const auto length = static_cast<std::size_t>(newline - start);
    begin_ += length + 1;
    line = std::string_view(start, length);
    if (!partial_.empty()) line = partial_.append(line);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    return true;
  }
  line = partial_;
  return error_ == 0 && !partial_.empty();
}

bool LineWriter::Write(std::string_view bytes) {
  pending_.append(bytes);
  return LineDone();
}

bool LineWriter::LineDone() {
  pending_ += "\r\n";
  return pending_.size() < kFlushSize ? error_ == 0 : Flush();
}

bool LineWriter::Flush() {
  if (error_ == 0 && !pending_.empty() && !file_.Write(pending_.data(), pending_.size()))
    error_ = file_.Error();
  pending_.clear();
  return error_ == 0;
}

}  // namespace vendrel::platform
