// Host calls of the simulated vault that fail on purpose, so that tests reach every failure path
// of the add-in: the nth call from now, or every call of one operation.
#pragma once

#include <cstdint>
#include <source_location>
#include <string>
#include <string_view>
#include <vector>

#include "host/Status.h"

namespace vendrel::sim {

class Faults {
 public:
  // The nth host call from now (1: the next) fails with `code`, once.
  void FailCall(std::uint64_t n, host::HResult code);
  // Every call of `operation` ("SimFile::CheckIn", as Calls names it) fails with `code`.
  void FailOperation(std::string operation, host::HResult code);
  // Starts counting anew, with nothing planned to fail and no names kept.
  void Reset();
  // Keeps the name of every call from now on.
  void Record() { recording_ = true; }

  std::uint64_t Count() const { return count_; }
  // The calls since the last Reset while recording, in order.
  const std::vector<std::string>& Calls() const { return calls_; }

  // Counts a host call: kOk, or the code it is to fail with.
  host::HResult Enter(std::source_location where);

 private:
  std::uint64_t count_ = 0;
  std::uint64_t failAt_ = 0;
  host::HResult callCode_ = host::kOk;
  std::string failOperation_;
  host::HResult operationCode_ = host::kOk;
  bool recording_ = false;
  std::vector<std::string> calls_;
};

// "Class::Method" of a function's full name as the compiler spells it.
std::string OperationName(std::string_view function);

}  // namespace vendrel::sim
