// The error report: several messages of one command shown together; it only displays.
#pragma once

#include <string>
#include <vector>

#include "platform/Dialog.h"
#include "uilibs/lexicor/StrWnd.h"

namespace vendrel::commands {

class CDisplayErrorsDlg : public platform::Dialog, public lexicor::StrWnd {
 public:
  // The messages are borrowed and must outlive the dialog. The owner window is left to the
  // runner's default, as the caller passes none.
  CDisplayErrorsDlg(const std::vector<std::wstring>& messages, std::wstring actionName,
                    std::wstring variableName);

  std::int32_t TemplateId() const override;

 protected:
  void OnInit() override;

 private:
  const std::vector<std::wstring>& messages_;
  std::wstring actionName_;
  std::wstring variableName_;
};

}  // namespace vendrel::commands
