// An editor dialog of a few texts, each in an edit control with a "->" button that inserts
// variables into it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "commands/core/CMenuButton.h"
#include "commands/core/Cmd.h"
#include "commands/core/FieldControls.h"
#include "commands/core/Fields.h"
#include "host/Ref.h"
#include "platform/Dialog.h"
#include "uilibs/lexicor/StrWnd.h"

namespace vendrel::commands {

class TextFieldsDlg : public platform::Dialog, public lexicor::StrWnd {
 public:
  // An edit control and the button beside it.
  struct Field {
    std::int32_t edit;
    std::int32_t menuButton;
  };

  std::int32_t TemplateId() const override { return templateId_; }

 protected:
  // `section`: the localized-window key, the class name. The command lends the action whose
  // variables the buttons offer, and the vault and services for the variable editor.
  // `resizable` is handed to the localized-window set-up.
  TextFieldsDlg(std::int32_t templateId, const wchar_t* section, const Cmd& command,
                std::vector<Field> fields, bool resizable = false);

  void OnInit() override;
  void OnControl(std::int32_t control, platform::ControlEvent event) override;

 private:
  std::int32_t templateId_;
  const wchar_t* section_;
  bool resizable_;
  platform::Services* services_;
  std::vector<CMenuButton> buttons_;  // each holds the vault while the dialog lives
};

// An editor that shows the fields of `Kind` in the controls bound to them by name, each text
// field in an edit control with its own "->" button.
template <class Kind>
class FieldsDlg : public TextFieldsDlg {
 public:
  using Fields = typename Kind::Fields;

  // The command's fields as OK left them.
  const Fields& Values() const { return values_; }

 protected:
  struct TextControls {
    const char* field;  // the field's JSON name
    std::int32_t edit;
    std::int32_t menuButton;
  };

  FieldsDlg(std::int32_t templateId, const wchar_t* section, const Kind& command,
            const std::vector<TextControls>& texts, std::span<const FieldControl> bound = {})
      : TextFieldsDlg(templateId, section, command, Edits(texts)),
        values_(command.Values()),
        bound_(bound.begin(), bound.end()) {
    for (const TextControls& text : texts) bound_.push_back({text.field, text.edit});
  }

  void OnInit() override {
    TextFieldsDlg::OnInit();
    ShowFields(Ui(), values_, bound_);
  }
  bool OnOk() override {
    TakeFields(Ui(), values_, bound_);
    return true;
  }

 private:
  static std::vector<Field> Edits(const std::vector<TextControls>& texts) {
    std::vector<Field> edits;
    for (const TextControls& text : texts) edits.push_back({text.edit, text.menuButton});
    return edits;
  }

  Fields values_;
  std::vector<FieldControl> bound_;
};

}  // namespace vendrel::commands
