// The window shown while a wait command waits: what it waits for, and Cancel.
#pragma once

#include <cstdint>
#include <string>

#include "platform/Dialog.h"

namespace vendrel::commands {

// Not localized: it has no string table section of its own.
class CRunWaitDlg : public platform::Dialog {
 public:
  CRunWaitDlg(const std::wstring& path, std::int32_t condition);

  std::int32_t TemplateId() const override;
  const std::wstring& Message() const { return message_; }
  bool Cancelled() const { return cancelled_; }

 protected:
  void OnInit() override;
  void OnCancel() override { cancelled_ = true; }

 private:
  std::wstring message_;
  bool cancelled_ = false;
};

}  // namespace vendrel::commands
