// Message boxes and the wait cursor of the Windows user interface.
#pragma once

#include <memory>

#include "platform/Ui.h"

namespace vendrel::platform {

// MessageBoxW with the request's owner, text, caption and style; its result unchanged.
class Win32MessageBoxes final : public MessageBoxes {
 public:
  Answer Show(const MessageBoxRequest& request) override;
  bool IsLiveWindow(Window window) override;
};

// The host's button box (Alertik.dll) with its icon from the host's icon library (Iconel.dll),
// both from the host's installation folder.
class Win32ButtonBoxes final : public ButtonBoxes {
 public:
  std::int32_t Show(const ButtonBoxRequest& request) override;
};

// The hourglass for the calling thread until the scope ends, then the cursor from before.
class Win32WaitCursor final : public WaitCursor {
 public:
  [[nodiscard]] std::unique_ptr<WaitCursor> Begin() override;
};

}  // namespace vendrel::platform
