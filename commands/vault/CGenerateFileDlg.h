// The generate-parameter-file editor: template and output paths, each with a file dialog, the
// counter and append flags, and the run-time variable that receives the output path.
#pragma once

#include "commands/core/RuntimeVariableList.h"
#include "commands/vault/CmdGenerateFile.h"
#include "platform/Dialog.h"
#include "uilibs/lexicor/StrWnd.h"

namespace vendrel::commands {

class CGenerateFileDlg : public platform::Dialog, public lexicor::StrWnd {
 public:
  explicit CGenerateFileDlg(const CmdGenerateFile& command);

  std::int32_t TemplateId() const override;
  std::vector<std::int32_t> SortedLists() const override { return {variables_.ListId()}; }

  // What OK left.
  const CmdGenerateFile::Fields& Values() const { return fields_; }

 protected:
  void OnInit() override;
  void OnControl(std::int32_t control, platform::ControlEvent event) override;
  bool OnOk() override;

 private:
  // The file dialog behind a "->" button; the chosen path replaces the edit's text.
  void Browse(std::int32_t edit, std::uint32_t flags);

  CmdGenerateFile::Fields fields_;
  RuntimeVariableList variables_;
  platform::Services* services_;
};

}  // namespace vendrel::commands
