// CAdministrateActionsDlg: the vault's actions in a list, with add, edit and remove, action files
// and the clipboard. It works on the add-in's own list; removed actions go only on OK.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "actions/ActionArchive.h"
#include "actions/DiskFile.h"
#include "host/Ref.h"
#include "host/Vault.h"
#include "platform/Dialog.h"
#include "platform/Services.h"
#include "uilibs/lexicor/StrWnd.h"

namespace vendrel::admin {

// The action-file dialogs' filter, for "Vendrel" and "acn".
inline constexpr wchar_t kActionFileFilter[] =
    L"Vendrel Actions (*.acn)|*.acn|All Files (*.*)|*.*||";

class CAdministrateActionsDlg final : public platform::Dialog, public lexicor::StrWnd {
 public:
  // `services` show the nested dialogs, message boxes, file dialogs and the clipboard.
  CAdministrateActionsDlg(actions::ActionList& actions, host::Ref<host::VaultSession> vault,
                          platform::Services* services);

  std::int32_t TemplateId() const override;

  // The last menu command id given to an action; each new action takes the next.
  std::int32_t CommandIdCounter() const { return counter_; }
  void SetCommandIdCounter(std::int32_t counter) { counter_ = counter; }

  // Storing writes the selected actions as the clipboard container; loading appends the actions
  // read, those before an error included, and rethrows the error.
  void Serialize(actions::Archive& archive);

 protected:
  void OnInit() override;
  void OnControl(std::int32_t control, platform::ControlEvent event) override;
  bool OnOk() override;

 private:
  std::vector<const actions::Action*> SelectedActions() const;
  // The list view and rows_ change together.
  void InsertRow(std::int32_t row, actions::Action& action);
  std::int32_t RowCount() const { return static_cast<std::int32_t>(rows_.size()); }
  // Gives the action the next id and puts it at the end of the rows and of the list.
  void Append(std::unique_ptr<actions::Action> action);
  bool NameListed(const std::wstring& name) const;
  void UpdateButtons();
  // The chosen action file, opened to be written (`save`) or read; null when no file was chosen
  // or it cannot be opened, which is said.
  std::unique_ptr<actions::DiskFile> OpenActionFile(bool save);
  void Message(const std::wstring& text, const std::wstring& caption, std::uint32_t style);

  void Add();
  void Edit();
  void Remove();
  void Save();
  void Load();
  void Copy();
  void Paste();

  actions::ActionList& actions_;
  host::Ref<host::VaultSession> vault_;
  platform::Services* services_;
  std::int32_t counter_ = actions::kNoActionId;
  std::vector<actions::Action*> rows_;  // the actions of the rows, in order
};

}  // namespace vendrel::admin
