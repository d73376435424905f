// Replacing a file through a new one beside it.
#include "platform/Replacement.h"

#include <cerrno>
#include <random>
#include <string>

namespace vendrel::platform {

namespace fs = std::filesystem;

Replacement::Replacement(fs::path target) : target_(std::move(target)) {
  std::error_code ec;
  const fs::file_status status = fs::status(target_, ec);
  if (fs::exists(status) && (status.permissions() & fs::perms::owner_write) == fs::perms::none) {
    error_ = std::make_error_code(std::errc::permission_denied);
    return;
  }
  std::random_device random;
  for (int attempt = 0; attempt < 100; ++attempt) {
    file_ = target_;
    file_ += ".vendrel-" + std::to_string(random() % 1000000) + ".tmp";
    error_ = detail::CreateNew(file_, target_);
    if (error_ != std::errc::file_exists) break;
  }
  pending_ = !error_;
}

Replacement::~Replacement() {
  std::error_code ec;
  if (pending_) fs::remove(file_, ec);
}

std::error_code Replacement::Commit() {
  if (!pending_) return error_ ? error_ : std::make_error_code(std::errc::invalid_argument);
  error_ = detail::SyncFile(file_);
  if (!error_) error_ = RenameOver(file_, target_);
  std::error_code ec;
  if (error_) fs::remove(file_, ec);
  pending_ = false;
  return error_;
}

}  // namespace vendrel::platform
