// The editor that the yes/no, edit-box and combo-box editors share: the prompt text and the
// list of run-time variables that receives the answer, with the button that edits them; each
// editor binds the kind's other fields to controls of its own.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "commands/core/FieldControls.h"
#include "commands/core/RuntimeVariableList.h"
#include "platform/Dialog.h"
#include "uilibs/lexicor/StrWnd.h"

namespace vendrel::commands {

// Nothing typed is checked; OK always stores.
template <class Kind>
class PromptEditorDlg : public platform::Dialog, public lexicor::StrWnd {
 public:
  using Fields = typename Kind::Fields;

  // The template and the ids of its shared controls.
  struct Controls {
    std::int32_t templateId;
    std::int32_t prompt;
    std::int32_t variables;  // a sorted drop-down list
    std::int32_t editVariables;
  };

  std::int32_t TemplateId() const override { return controls_.templateId; }
  std::vector<std::int32_t> SortedLists() const override { return {variables_.ListId()}; }

  // What OK left. The variable is empty when the action has no run-time variable to choose.
  const Fields& Values() const { return fields_; }

 protected:
  PromptEditorDlg(Controls controls, const wchar_t* section, const Kind& command,
                  std::vector<FieldControl> own = {})
      : controls_(controls),
        section_(section),
        variables_(controls.variables, controls.editVariables, command),
        fields_(command.Values()),
        bound_(std::move(own)) {
    bound_.push_back({"prompt", controls.prompt});
  }

  void OnInit() override {
    mbInitStrWnd(&Ui(), section_, false, L"", L"", L"");
    ShowFields(Ui(), fields_, bound_);
    variables_.Fill(Ui(), fields_.variable);
  }

  void OnControl(std::int32_t control, platform::ControlEvent event) override {
    if (event == platform::ControlEvent::kClicked) variables_.OnClicked(Ui(), control);
  }

  bool OnOk() override {
    TakeFields(Ui(), fields_, bound_);
    fields_.variable = variables_.Chosen(Ui());
    return true;
  }

 private:
  Controls controls_;
  const wchar_t* section_;
  RuntimeVariableList variables_;
  Fields fields_;
  std::vector<FieldControl> bound_;
};

}  // namespace vendrel::commands
