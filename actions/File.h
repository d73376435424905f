// The byte file an archive reads from and writes to.
#pragma once

#include <cstddef>

namespace vendrel::actions {

class File {
 public:
  virtual ~File() = default;
  // Returns how many bytes were read; fewer than n only at the end of the data.
  virtual std::size_t Read(void* buffer, std::size_t n) = 0;
  virtual void Write(const void* data, std::size_t n) = 0;
};

}  // namespace vendrel::actions
