// The actions list: rows mirror the add-in's actions; files and the clipboard carry copies.
#include "admin/CAdministrateActionsDlg.h"

#include <algorithm>
#include <array>

#include "actions/DiskFile.h"
#include "actions/HexStringFile.h"
#include "admin/CAdministrateActionsDlgRes.h"
#include "admin/CEditActionDlg.h"
#include "commands/core/CmdFactory.h"
#include "host/Strings.h"
#include "platform/CaseFold.h"
#include "platform/System.h"

namespace vendrel::admin {
namespace {

using actions::Action;
using platform::ControlEvent;
namespace mb = platform::mb;

constexpr std::int32_t kNameColumn = 0;
constexpr std::int32_t kDescriptionColumn = 1;
constexpr std::array<std::int32_t, 4> kSelectionButtons{IDC_ADMIN_SAVE, IDC_ADMIN_COPY,
                                                        IDC_ADMIN_EDIT, IDC_ADMIN_REMOVE};

// What the framework would say of an archive that ends or breaks inside a file.
std::wstring ArchiveText(const actions::ArchiveError& error, const std::wstring& path) {
  switch (error.cause()) {
    case actions::ArchiveError::Cause::kEndOfFile:
      return L"An attempt was made to read past the end of " + path + L".";
    case actions::ArchiveError::Cause::kBadIndex:
      return L"The file " + path + L" holds a command of a kind this version does not know.";
    case actions::ArchiveError::Cause::kBadLength:
      return L"The file " + path + L" is damaged: a text is longer than the file.";
  }
  return L"The file " + path + L" could not be read.";
}

}  // namespace

CAdministrateActionsDlg::CAdministrateActionsDlg(actions::ActionList& actions,
                                                 host::Ref<host::VaultSession> vault,
                                                 platform::Services* services)
    : actions_(actions), vault_(std::move(vault)), services_(services) {}

std::int32_t CAdministrateActionsDlg::TemplateId() const {
  return IDD_ADMINISTRATE_ACTIONS;
}

void CAdministrateActionsDlg::OnInit() {
  const strings::DefaultFileScope scope;
  mbInitStrWnd(&Ui(), L"CAdministrateActionsDlg", true, L"", L"", L"");
  Ui().SetFullRowSelect(IDC_ADMIN_LIST);
  Ui().AddColumn(IDC_ADMIN_LIST, strings::Load(79, L"Name"), 150);
  Ui().AddColumn(IDC_ADMIN_LIST, strings::Load(92, L"Description"), 400);
  for (std::int32_t id : kSelectionButtons) Ui().Enable(id, false);
  for (const auto& action : actions_) {
    if (action) InsertRow(RowCount(), *action);
  }
  const bool pasteable =
      services_ && services_->clipboard && services_->clipboard->Has(actions::kClipboardFormat);
  Ui().Enable(IDC_ADMIN_PASTE, pasteable);
}

void CAdministrateActionsDlg::OnControl(std::int32_t control, ControlEvent event) {
  if (control == IDC_ADMIN_LIST) {
    if (event == ControlEvent::kClicked) UpdateButtons();
    if (event == ControlEvent::kDoubleClicked) Edit();
    return;
  }
  if (event != ControlEvent::kClicked) return;
  switch (control) {
    case IDC_ADMIN_ADD:
      Add();
      break;
    case IDC_ADMIN_EDIT:
      Edit();
      break;
    case IDC_ADMIN_REMOVE:
      Remove();
      break;
    case IDC_ADMIN_SAVE:
      Save();
      break;
    case IDC_ADMIN_LOAD:
      Load();
      break;
    case IDC_ADMIN_COPY:
      Copy();
      break;
    case IDC_ADMIN_PASTE:
      Paste();
      break;
    default:
      break;
  }
}

std::vector<const Action*> CAdministrateActionsDlg::SelectedActions() const {
  std::vector<const Action*> selected;
  for (std::int32_t row : Ui().SelectedRows(IDC_ADMIN_LIST))
    selected.push_back(rows_[static_cast<std::size_t>(row)]);
  return selected;
}

void CAdministrateActionsDlg::InsertRow(std::int32_t row, Action& action) {
  const std::int32_t at = Ui().InsertRow(IDC_ADMIN_LIST, row, action.name, 0);
  Ui().SetCell(IDC_ADMIN_LIST, at, kDescriptionColumn, action.description);
  rows_.insert(rows_.begin() + at, &action);
}

void CAdministrateActionsDlg::Append(std::unique_ptr<Action> action) {
  action->actionId = ++counter_;
  InsertRow(RowCount(), *action);
  actions_.push_back(std::move(action));
}

bool CAdministrateActionsDlg::NameListed(const std::wstring& name) const {
  return std::any_of(rows_.begin(), rows_.end(), [&name](const Action* action) {
    return platform::SameIgnoringCase(action->name, name);
  });
}

void CAdministrateActionsDlg::UpdateButtons() {
  const bool any = !Ui().SelectedRows(IDC_ADMIN_LIST).empty();
  for (std::int32_t id : kSelectionButtons) Ui().Enable(id, any);
}

void CAdministrateActionsDlg::Message(const std::wstring& text, const std::wstring& caption,
                                      std::uint32_t style) {
  miMessageBox(text.c_str(), caption.c_str(), style);
}

void CAdministrateActionsDlg::Add() {
  auto action = std::make_unique<Action>();
  action->changedMark = true;
  action->actionId = ++counter_;
  CEditActionDlg editor(*action, vault_, services_);
  if (!services_ || !services_->dialogs ||
      services_->dialogs->Run(editor, Ui().Handle()) != platform::kIdOk) {
    return;
  }
  const auto rows = Ui().SelectedRows(IDC_ADMIN_LIST);
  if (rows.empty()) {
    InsertRow(RowCount(), *action);
    actions_.push_back(std::move(action));
    return;
  }
  const Action* after = rows_[static_cast<std::size_t>(rows.front())];
  InsertRow(rows.front() + 1, *action);
  auto at = std::find_if(actions_.begin(), actions_.end(),
                         [after](const auto& listed) { return listed.get() == after; });
  actions_.insert(at == actions_.end() ? at : at + 1, std::move(action));
}

void CAdministrateActionsDlg::Edit() {
  const auto rows = Ui().SelectedRows(IDC_ADMIN_LIST);
  if (rows.empty() || !services_ || !services_->dialogs) return;
  Action& action = *rows_[static_cast<std::size_t>(rows.front())];
  CEditActionDlg editor(action, vault_, services_);
  if (services_->dialogs->Run(editor, Ui().Handle()) == platform::kIdOk) action.changedMark = true;
  Ui().SetCell(IDC_ADMIN_LIST, rows.front(), kNameColumn, action.name);
  Ui().SetCell(IDC_ADMIN_LIST, rows.front(), kDescriptionColumn, action.description);
}

void CAdministrateActionsDlg::Remove() {
  const auto rows = Ui().SelectedRows(IDC_ADMIN_LIST);
  for (std::int32_t row : rows) rows_[static_cast<std::size_t>(row)]->removedMark = true;
  for (auto row = rows.rbegin(); row != rows.rend(); ++row) {
    Ui().DeleteRow(IDC_ADMIN_LIST, *row);
    rows_.erase(rows_.begin() + *row);
  }
}

std::unique_ptr<actions::DiskFile> CAdministrateActionsDlg::OpenActionFile(bool save) {
  platform::FileDialogs* fileDialogs = services_ ? services_->fileDialogs : nullptr;
  if (!fileDialogs) return nullptr;
  platform::FileDialogRequest request;
  request.kind = save ? platform::FileDialogKind::kSave : platform::FileDialogKind::kOpen;
  request.owner = Ui().Handle();
  request.filter = kActionFileFilter;
  request.defaultExtension = L"acn";
  request.flags = platform::ofn::kHideReadOnly |
                  (save ? platform::ofn::kOverwritePrompt : platform::ofn::kFileMustExist);
  const std::optional<std::wstring> path = fileDialogs->Choose(request);
  if (!path) return nullptr;
  try {
    return std::make_unique<actions::DiskFile>(
        *path, save ? actions::DiskFile::Mode::kReplace : actions::DiskFile::Mode::kRead);
  } catch (const actions::FileError& error) {
    // The system's own text for the failure; the composed one where the system has none.
    platform::Machine* machine = services_ ? services_->machine : nullptr;
    const std::wstring system = machine ? machine->SystemMessage(error.SystemError()) : L"";
    Message(system.empty() ? error.Message() : system, strings::Load(2, L"Error opening file"),
            mb::kOk);
    return nullptr;
  }
}

void CAdministrateActionsDlg::Save() {
  const auto file = OpenActionFile(true);
  if (!file) return;
  try {
    actions::Archive archive(*file, actions::Archive::Mode::kStore);
    actions::WriteActionFile(archive, SelectedActions());
    file->Close();
  } catch (const actions::FileError& error) {
    Message(error.Message(), L"CFileException", mb::kOk);
  }
}

void CAdministrateActionsDlg::Load() {
  const auto file = OpenActionFile(false);
  if (!file) return;
  actions::ActionList loaded;
  bool valid = true;
  try {
    actions::Archive archive(*file, actions::Archive::Mode::kLoad);
    valid = actions::ReadActionFile(archive, loaded, commands::CreateCmd);
  } catch (const actions::FileError& error) {
    Message(error.Message(), L"CFileException", mb::kOk);
  } catch (const actions::ArchiveError& error) {
    Message(ArchiveText(error, file->FilePath()), L"CArchiveException", mb::kOk);
  }
  if (!valid) {
    Message(strings::Load(1, L"This file is not a valid Kalvano Action file"),
            strings::Load(3, L"Error loading data"), mb::kOk | mb::kIconError);
  }
  for (auto& action : loaded) {
    action->changedMark = true;
    Append(std::move(action));
  }
}

void CAdministrateActionsDlg::Serialize(actions::Archive& archive) {
  if (archive.IsStoring()) {
    actions::WriteClipboardActions(archive, SelectedActions());
    return;
  }
  actions::ActionList pasted;
  const auto adopt = [this, &pasted] {
    for (auto& action : pasted) {
      action->changedMark = true;
      if (NameListed(action->name)) action->name = strings::Load(7, L"Copy of ") + action->name;
      Append(std::move(action));
    }
  };
  try {
    actions::ReadClipboardActions(archive, pasted, commands::CreateCmd);
  } catch (...) {
    adopt();
    throw;
  }
  adopt();
}

void CAdministrateActionsDlg::Copy() {
  actions::HexStringFile bytes;
  try {
    actions::Archive archive(bytes, actions::Archive::Mode::kStore);
    Serialize(archive);
  } catch (const std::exception&) {
    Message(strings::Load(4, L"Error creating archive"), L"", mb::kOk | mb::kIconError);
    return;
  }
  platform::Clipboard* clipboard = services_ ? services_->clipboard : nullptr;
  if (!clipboard || !clipboard->Put(Ui().Handle(), actions::kClipboardFormat, bytes.ToText())) {
    Message(strings::Load(5, L"Error in clipboard handling"), L"Vendrel", mb::kOk | mb::kIconError);
    return;
  }
  if (clipboard->Has(actions::kClipboardFormat)) Ui().Enable(IDC_ADMIN_PASTE, true);
}

void CAdministrateActionsDlg::Paste() {
  platform::Clipboard* clipboard = services_ ? services_->clipboard : nullptr;
  const platform::ClipboardRead read =
      clipboard ? clipboard->Get(Ui().Handle(), actions::kClipboardFormat)
                : platform::ClipboardRead{};
  if (!read.opened) {
    Message(strings::Load(5, L"Error in clipboard handling"), L"Vendrel", mb::kOk | mb::kIconError);
    return;
  }
  if (!read.text) {
    Message(strings::Load(6, L"There is no available action in clipboard"), L"Vendrel",
            mb::kOk | mb::kIconError);
    Ui().Enable(IDC_ADMIN_PASTE, false);
    return;
  }
  // Foreign or damaged data pastes what it holds before the damage, and says nothing.
  actions::HexStringFile bytes;
  bytes.FromText(*read.text);
  try {
    actions::Archive archive(bytes, actions::Archive::Mode::kLoad);
    Serialize(archive);
  } catch (const std::exception&) {
  }
}

bool CAdministrateActionsDlg::OnOk() {
  std::erase_if(actions_, [](const auto& action) { return !action || action->removedMark; });
  return true;
}

}  // namespace vendrel::admin
