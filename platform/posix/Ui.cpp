// The native build's wait cursor: a count of open scopes.
#include "platform/posix/Ui.h"

namespace vendrel::platform {
namespace {

class Scope final : public WaitCursor {
 public:
  explicit Scope(int& depth) : depth_(depth) { ++depth_; }
  ~Scope() override { --depth_; }
  Scope(const Scope&) = delete;
  Scope& operator=(const Scope&) = delete;
  [[nodiscard]] std::unique_ptr<WaitCursor> Begin() override {
    return std::make_unique<Scope>(depth_);
  }

 private:
  int& depth_;
};

}  // namespace

std::unique_ptr<WaitCursor> NestingWaitCursor::Begin() {
  return std::make_unique<Scope>(depth_);
}

}  // namespace vendrel::platform
