// The generate-parameter-file editor's controls; nothing typed is checked.
#include "commands/vault/CGenerateFileDlg.h"

#include "commands/vault/CGenerateFileDlgRes.h"

#include "commands/core/FieldControls.h"
#include "platform/FileDialogs.h"

namespace vendrel::commands {
namespace {

constexpr FieldControl kBound[] = {{"output", IDC_GENERATE_FILE_OUTPUT},
                                   {"template", IDC_GENERATE_FILE_TEMPLATE},
                                   {"useCounter", IDC_GENERATE_FILE_COUNTER},
                                   {"append", IDC_GENERATE_FILE_APPEND}};

}  // namespace

CGenerateFileDlg::CGenerateFileDlg(const CmdGenerateFile& command)
    : fields_(command.Values()),
      variables_(IDC_GENERATE_FILE_ASSIGN_TO, IDC_GENERATE_FILE_EDIT_VARIABLES, command),
      services_(command.Services()) {}

std::int32_t CGenerateFileDlg::TemplateId() const {
  return IDD_GENERATE_FILE;
}

void CGenerateFileDlg::OnInit() {
  mbInitStrWnd(&Ui(), L"CGenerateFileDlg", false, L"", L"", L"");
  ShowFields(Ui(), fields_, kBound);
  variables_.Fill(Ui(), fields_.assignTo);
}

void CGenerateFileDlg::OnControl(std::int32_t control, platform::ControlEvent event) {
  if (event != platform::ControlEvent::kClicked) return;
  if (control == IDC_GENERATE_FILE_TEMPLATE_BROWSE) {
    Browse(IDC_GENERATE_FILE_TEMPLATE, platform::ofn::kFileMustExist |
                                           platform::ofn::kHideReadOnly |
                                           platform::ofn::kOverwritePrompt);
  } else if (control == IDC_GENERATE_FILE_OUTPUT_BROWSE) {
    Browse(IDC_GENERATE_FILE_OUTPUT, platform::ofn::kFileMustExist | platform::ofn::kHideReadOnly);
  } else {
    variables_.OnClicked(Ui(), control);
  }
}

void CGenerateFileDlg::Browse(std::int32_t edit, std::uint32_t flags) {
  if (services_ == nullptr || services_->fileDialogs == nullptr) return;
  const platform::FileDialogRequest request{.kind = platform::FileDialogKind::kOpen,
                                            .owner = Ui().Handle(),
                                            .filter = L"All files (*.*) | *.*||",
                                            .defaultExtension = L"acn",
                                            .fileName = L"",
                                            .flags = flags};
  if (auto path = services_->fileDialogs->Choose(request)) Ui().SetText(edit, *path);
}

bool CGenerateFileDlg::OnOk() {
  TakeFields(Ui(), fields_, kBound);
  fields_.assignTo = variables_.Chosen(Ui());
  return true;
}

}  // namespace vendrel::commands
