// The delete-file editor: the path and whether the vault deletes the file.
#pragma once

#include "commands/core/TextFieldsDlg.h"
#include "commands/files/CmdDeleteFile.h"

namespace vendrel::commands {

class CDeleteFileDlg : public TextFieldsDlg {
 public:
  explicit CDeleteFileDlg(const CmdDeleteFile& command);

  const std::wstring& Path() const { return Text(0); }
  bool FromVault() const { return fromVault_; }

 protected:
  void OnInit() override;
  bool OnOk() override;

 private:
  bool fromVault_;
};

}  // namespace vendrel::commands
