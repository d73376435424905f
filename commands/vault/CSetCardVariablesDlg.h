// The set-card-variables editor: the target, the card variable, the configurations and the value.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "commands/core/CMenuButton.h"
#include "commands/vault/CmdSetCardVar.h"
#include "platform/Dialog.h"
#include "uilibs/glyphex/Blob.h"
#include "uilibs/lexicor/StrWnd.h"

namespace vendrel::commands {

class CSetCardVariablesDlg : public platform::Dialog, public lexicor::StrWnd {
 public:
  explicit CSetCardVariablesDlg(const CmdSetCardVar& command);

  std::int32_t TemplateId() const override;
  // The fields as OK left them.
  const CmdSetCardVar::Fields& Values() const { return fields_; }

 protected:
  void OnInit() override;
  void OnControl(std::int32_t control, platform::ControlEvent event) override;
  bool OnOk() override;

 private:
  void FillVariables();
  void SelectStoredVariable();
  void EnablePaths(std::int32_t kind, bool clearDisabled);
  void Refuse(const std::wstring& message);

  CmdSetCardVar::Fields fields_;
  host::Ref<host::VaultSession> vault_;
  platform::Services* services_;
  // The pattern edits of the file path, the folder path and the value, bound when the dialog
  // opens; declared before the buttons that register patterns with them.
  std::array<glyphex::Blob, 3> patterns_{glyphex::Blob(0), glyphex::Blob(0), glyphex::Blob(0)};
  std::vector<CMenuButton> buttons_;
};

}  // namespace vendrel::commands
