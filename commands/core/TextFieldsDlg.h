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
  struct Field {
    std::int32_t edit;
    std::int32_t menuButton;
    std::wstring text;
  };

  std::int32_t TemplateId() const override { return templateId_; }
  // The texts as OK left them, in the order they were given.
  const std::wstring& Text(std::size_t field) const { return fields_.at(field).text; }
  std::size_t TextCount() const { return fields_.size(); }

 protected:
  // `section`: the localized-window key, the class name. The command lends the action whose
  // variables the buttons offer, and the vault and services for the variable editor.
  // `resizable` is handed to the localized-window set-up.
  TextFieldsDlg(std::int32_t templateId, const wchar_t* section, const Cmd& command,
                std::vector<Field> fields, bool resizable = false);

  void OnInit() override;
  void OnControl(std::int32_t control, platform::ControlEvent event) override;
  bool OnOk() override;

 private:
  std::int32_t templateId_;
  const wchar_t* section_;
  bool resizable_;
  platform::Services* services_;
  std::vector<Field> fields_;
  std::vector<CMenuButton> buttons_;  // each holds the vault while the dialog lives
};

// The text fields of a fields struct in stored order: read out, or written back from texts.
class TextFieldTexts final : public FieldVisitor {
 public:
  // Collects the texts into `texts`; with `writeBack`, puts them back in the same order instead.
  TextFieldTexts(std::vector<std::wstring>& texts, bool writeBack)
      : texts_(texts), writeBack_(writeBack) {}
  void Int32(const char*, std::int32_t&) override {}
  void Bool(const char*, bool&) override {}
  void Text(const char* name, std::wstring& value, TextUse use) override;
  void TextList(const char*, std::vector<std::wstring>&, TextUse) override {}

 private:
  std::vector<std::wstring>& texts_;
  bool writeBack_;
  std::size_t next_ = 0;
};

// An editor that shows each text field of `Kind` in an edit control of its own, in stored order,
// and the other fields in the controls bound to them.
template <class Kind>
class FieldsDlg : public TextFieldsDlg {
 public:
  using Fields = typename Kind::Fields;

  // The command's fields with the texts as OK left them.
  Fields Values() const {
    Fields fields = values_;
    std::vector<std::wstring> texts;
    for (std::size_t i = 0; i < TextCount(); ++i) texts.push_back(Text(i));
    TextFieldTexts back(texts, true);
    fields.Visit(back);
    return fields;
  }

 protected:
  struct Controls {
    std::int32_t edit;
    std::int32_t menuButton;
  };

  FieldsDlg(std::int32_t templateId, const wchar_t* section, const Kind& command,
            std::vector<Controls> controls, std::span<const FieldControl> bound = {})
      : TextFieldsDlg(templateId, section, command, Pair(command.Values(), controls)),
        values_(command.Values()),
        bound_(bound) {}

  void OnInit() override {
    TextFieldsDlg::OnInit();
    ShowFields(Ui(), values_, bound_);
  }
  bool OnOk() override {
    TakeFields(Ui(), values_, bound_);
    return TextFieldsDlg::OnOk();
  }

 private:
  static std::vector<Field> Pair(Fields fields, const std::vector<Controls>& controls) {
    std::vector<std::wstring> texts;
    TextFieldTexts out(texts, false);
    fields.Visit(out);
    std::vector<Field> paired;
    for (std::size_t i = 0; i < controls.size(); ++i) {
      paired.push_back({controls[i].edit, controls[i].menuButton, texts.at(i)});
    }
    return paired;
  }

  Fields values_;
  std::span<const FieldControl> bound_;
};

}  // namespace vendrel::commands
