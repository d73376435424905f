// The text fields editor: texts in, texts out; none is checked.
#include "commands/core/TextFieldsDlg.h"

namespace vendrel::commands {

TextFieldsDlg::TextFieldsDlg(std::int32_t templateId, const wchar_t* section, const Cmd& command,
                             std::vector<Field> fields)
    : templateId_(templateId),
      section_(section),
      action_(command.Owner()),
      vault_(command.Vault()),
      services_(command.Services()),
      fields_(std::move(fields)) {}

void TextFieldsDlg::OnInit() {
  mbInitStrWnd(&Ui(), section_, false, L"", L"", L"");
  for (const Field& field : fields_) Ui().SetText(field.edit, field.text);
}

bool TextFieldsDlg::OnOk() {
  for (Field& field : fields_) field.text = Ui().Text(field.edit);
  return true;
}

}  // namespace vendrel::commands
