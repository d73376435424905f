// CSelectCmdDlg: the choice of the kind of a new command, among every kind the factory makes.
#pragma once

#include <cstdint>

#include "platform/Dialog.h"
#include "uilibs/lexicor/StrWnd.h"

namespace vendrel::admin {

class CSelectCmdDlg final : public platform::Dialog, public lexicor::StrWnd {
 public:
  std::int32_t TemplateId() const override;
  std::vector<std::int32_t> SortedLists() const override;

  // The kind chosen with OK; 0 before.
  std::int32_t TypeId() const { return typeId_; }

 protected:
  void OnInit() override;
  bool OnOk() override;

 private:
  std::int32_t typeId_ = 0;
};

}  // namespace vendrel::admin
