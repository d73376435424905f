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

class CStateCondDlg final : public platform::Dialog, public lexicor::StrWnd {
 public:
  CStateCondDlg(std::wstring path, std::int32_t stateId, bool after,
                host::Ref<host::VaultSession> vault);

  std::int32_t TemplateId() const override;
  std::vector<std::int32_t> SortedLists() const override;

  const std::wstring& Path() const { return path_; }
  std::int32_t StateId() const { return stateId_; }  // -1 when no state was chosen
  std::int32_t RadioIndex() const { return radio_; }

 protected:
  void OnInit() override;
  void OnControl(std::int32_t control, platform::ControlEvent event) override;
  bool OnOk() override;

 private:
  std::wstring path_;
  std::int32_t stateId_;
  std::int32_t radio_;
  host::Ref<host::VaultSession> vault_;
};

class CLockCondDlg final : public platform::Dialog, public lexicor::StrWnd {
 public:
  CLockCondDlg(std::wstring path, std::int32_t kind, bool after);

  std::int32_t TemplateId() const override;

  const std::wstring& Path() const { return path_; }
  std::int32_t Kind() const { return kind_; }  // 0 when nothing was chosen
  std::int32_t RadioIndex() const { return radio_; }

 protected:
  void OnInit() override;
  void OnControl(std::int32_t control, platform::ControlEvent event) override;
  bool OnOk() override;

 private:
  std::wstring path_;
  std::int32_t kind_;
  std::int32_t radio_;
};

class CAddCondDlg final : public platform::Dialog, public lexicor::StrWnd {
 public:
  CAddCondDlg(std::wstring path, bool after);

  std::int32_t TemplateId() const override;

  const std::wstring& Path() const { return path_; }
  std::int32_t RadioIndex() const { return radio_; }

 protected:
  void OnInit() override;
  void OnControl(std::int32_t control, platform::ControlEvent event) override;
  bool OnOk() override;

 private:
  std::wstring path_;
  std::int32_t radio_;
};

}  // namespace vendrel::admin
