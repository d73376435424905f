// Helpers that turn byte lists into archive input and archive output into bytes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "actions/HexStringFile.h"

namespace vendrel::test {

using Bytes = std::vector<std::uint8_t>;

inline Bytes operator+(Bytes a, const Bytes& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

// A file holding `bytes`, positioned at the start.
inline actions::HexStringFile FileOf(const Bytes& bytes) {
  actions::HexStringFile file;
  if (!bytes.empty()) {
    file.Write(bytes.data(), bytes.size());
    file.Seek(0, actions::File::Origin::kBegin);
  }
  return file;
}

inline Bytes BytesOf(const actions::HexStringFile& file) {
  Bytes bytes(file.GetLength());
  auto copy = file.Duplicate();
  if (!bytes.empty()) {
    copy->Seek(0, actions::File::Origin::kBegin);
    copy->Read(bytes.data(), bytes.size());
  }
  return bytes;
}

}  // namespace vendrel::test
