// The editor part that the yes/no, edit-box and combo-box editors share: the prompt text and
// the list of run-time variables that receives the answer, with the button that edits them.
#pragma once

#include <cstdint>
#include <string>

#include "commands/core/Cmd.h"
#include "commands/core/RuntimeVariableList.h"
#include "host/Ref.h"
#include "platform/Dialog.h"
#include "uilibs/lexicor/StrWnd.h"

namespace vendrel::commands {

class PromptEditorDlg : public platform::Dialog, public lexicor::StrWnd {
 public:
  // The template and the ids of its shared controls.
  struct Controls {
    std::int32_t templateId;
    std::int32_t prompt;
    std::int32_t variables;  // a sorted drop-down list
    std::int32_t editVariables;
  };

  std::int32_t TemplateId() const override { return controls_.templateId; }
  std::vector<std::int32_t> SortedLists() const override { return {variables_.ListId()}; }

  const std::wstring& Prompt() const { return prompt_; }
  // Empty when the action has no run-time variable to choose.
  const std::wstring& Variable() const { return variable_; }

 protected:
  PromptEditorDlg(Controls controls, const wchar_t* section, const Cmd& command,
                  std::wstring prompt, std::wstring variable);

  void OnInit() override;
  void OnControl(std::int32_t control, platform::ControlEvent event) override;
  bool OnOk() override;

 private:
  Controls controls_;
  const wchar_t* section_;
  RuntimeVariableList variables_;
  std::wstring prompt_;
  std::wstring variable_;
};

}  // namespace vendrel::commands
