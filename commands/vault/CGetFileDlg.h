// The get-file editor: the path, and whether an earlier local version is replaced too.
#pragma once

#include "commands/core/TextFieldsDlg.h"
#include "commands/vault/CmdGetFile.h"

namespace vendrel::commands {

class CGetFileDlg : public TextFieldsDlg {
 public:
  explicit CGetFileDlg(const CmdGetFile& command);

  const std::wstring& Path() const { return Text(0); }
  bool AlsoIfEarlier() const { return alsoIfEarlier_; }

 protected:
  void OnInit() override;
  bool OnOk() override;

 private:
  bool alsoIfEarlier_;
};

}  // namespace vendrel::commands
