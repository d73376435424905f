// The combo box as the user sees it while an action runs: a prompt and a sorted list of choices.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/Dialog.h"
#include "uilibs/lexicor/StrWnd.h"

namespace vendrel::commands {

class CRunComboBoxDlg : public platform::Dialog, public lexicor::StrWnd {
 public:
  CRunComboBoxDlg(std::wstring prompt, std::vector<std::wstring> choices)
      : prompt_(std::move(prompt)), choices_(std::move(choices)) {}

  std::int32_t TemplateId() const override;
  std::vector<std::int32_t> SortedLists() const override;
  // The chosen entry when OK closed the dialog; empty otherwise.
  const std::wstring& Answer() const { return answer_; }

 protected:
  void OnInit() override;
  bool OnOk() override;

 private:
  std::wstring prompt_;
  std::vector<std::wstring> choices_;
  std::wstring answer_;
};

}  // namespace vendrel::commands
