// Counting and failing host calls on purpose.
#include "sim/Faults.h"

namespace vendrel::sim {

void Faults::FailCall(std::uint64_t n, host::HResult code) {
  failAt_ = count_ + n;
  callCode_ = code;
}

void Faults::FailOperation(std::string operation, host::HResult code) {
  failOperation_ = std::move(operation);
  operationCode_ = code;
}

void Faults::Reset() {
  *this = Faults();
}

host::HResult Faults::Enter(std::source_location where) {
  ++count_;
  if (recording_ || !failOperation_.empty()) {
    std::string name = OperationName(where.function_name());
    const bool planned = !failOperation_.empty() && name == failOperation_;
    if (recording_) calls_.push_back(std::move(name));
    if (planned) return operationCode_;
  }
  return count_ == failAt_ ? callCode_ : host::kOk;
}

std::string OperationName(std::string_view function) {
  function = function.substr(0, function.find('('));
  function = function.substr(function.rfind(' ') + 1);
  const std::size_t method = function.rfind("::");
  if (method == std::string_view::npos) return std::string(function);
  const std::size_t owner = function.rfind("::", method - 1);
  return std::string(owner == std::string_view::npos ? function : function.substr(owner + 2));
}

}  // namespace vendrel::sim
