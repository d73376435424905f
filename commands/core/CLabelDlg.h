// CLabelDlg: the label editor, one name.
#pragma once

#include <string>

#include "platform/Dialog.h"
#include "uilibs/lexicor/StrWnd.h"

namespace vendrel::commands {

class CLabelDlg final : public platform::Dialog, public lexicor::StrWnd {
 public:
  explicit CLabelDlg(std::wstring name) : name_(std::move(name)) {}

  std::int32_t TemplateId() const override;
  // The name as shown, or as typed once OK was pressed.
  const std::wstring& Name() const { return name_; }

 protected:
  void OnInit() override;
  bool OnOk() override;

 private:
  std::wstring name_;
};

}  // namespace vendrel::commands
