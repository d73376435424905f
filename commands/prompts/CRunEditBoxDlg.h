// The edit box as the user sees it while an action runs: a prompt and a line for the answer.
#pragma once

#include <cstdint>
#include <string>

#include "platform/Dialog.h"

namespace vendrel::commands {

class CRunEditBoxDlg : public platform::Dialog {
 public:
  explicit CRunEditBoxDlg(std::wstring prompt) : prompt_(std::move(prompt)) {}

  std::int32_t TemplateId() const override;
  // What was typed when OK closed the dialog; empty otherwise.
  const std::wstring& Answer() const { return answer_; }

 protected:
  void OnInit() override;
  bool OnOk() override;

 private:
  std::wstring prompt_;
  std::wstring answer_;
};

}  // namespace vendrel::commands
