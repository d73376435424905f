// The condition dialogs of the edit-action dialog: when a state change, a check out (or check in,
// or undo) and an add start the action. Each shows the values it was given and hands back what
// OK read; after Cancel the given values.
#pragma once

#include <cstdint>
#include <string>

#include "host/Ref.h"
#include "host/Vault.h"
#include "platform/Dialog.h"
#include "uilibs/lexicor/StrWnd.h"

namespace vendrel::admin {

// Radio index: 0 after the operation, 1 before it.
inline constexpr std::int32_t kAfterIndex = 0;
inline constexpr std::int32_t kBeforeIndex = 1;

// What the three share: the path pattern, and whether the action runs after or before the
// operation. A dialog of the three adds the value it shows beside them.
class CConditionDlg : public platform::Dialog, public lexicor::StrWnd {
 public:
  // The template and its controls for the parts the three share.
  struct Controls {
    std::int32_t templateId;
    const wchar_t* className;  // registered with the localized-window support
    std::int32_t path;
    std::int32_t after;
    std::int32_t before;
  };

  std::int32_t TemplateId() const override { return controls_.templateId; }

  const std::wstring& Path() const { return path_; }
  std::int32_t RadioIndex() const { return radio_; }

 protected:
  CConditionDlg(const Controls& controls, std::wstring path, bool after);

  void OnInit() override;
  void OnControl(std::int32_t control, platform::ControlEvent event) override;
  bool OnOk() override;
  // The dialog's own value, shown on opening and read by OK.
  virtual void ShowValue() {}
  virtual void ReadValue() {}

 private:
  const Controls& controls_;
  std::wstring path_;
  std::int32_t radio_;
};

class CStateCondDlg final : public CConditionDlg {
 public:
  CStateCondDlg(std::wstring path, std::int32_t stateId, bool after,
                host::Ref<host::VaultSession> vault);

  std::vector<std::int32_t> SortedLists() const override;
  std::int32_t StateId() const { return stateId_; }  // -1 when no state was chosen

 protected:
  void ShowValue() override;
  void ReadValue() override;

 private:
  std::int32_t stateId_;
  host::Ref<host::VaultSession> vault_;
};

class CLockCondDlg final : public CConditionDlg {
 public:
  CLockCondDlg(std::wstring path, std::int32_t kind, bool after);

  std::int32_t Kind() const { return kind_; }  // 0 when nothing was chosen

 protected:
  void ShowValue() override;
  void ReadValue() override;

 private:
  std::int32_t kind_;
};

class CAddCondDlg final : public CConditionDlg {
 public:
  CAddCondDlg(std::wstring path, bool after);
};

}  // namespace vendrel::admin
