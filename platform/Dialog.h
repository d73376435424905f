// Modal dialogs: a portable presenter drives an abstract surface whose controls it names by id.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/DialogRes.h"
#include "platform/Ui.h"
#include "uilibs/lexicor/StrWnd.h"

namespace vendrel::platform {

// The standard buttons; pressing OK or Cancel ends the dialog with that id as its result.
inline constexpr std::int32_t kIdOk = 1;
inline constexpr std::int32_t kIdCancel = 2;
inline constexpr std::int32_t kIdHelp = ID_HELP_COMMAND;

// What a control tells its dialog.
enum class ControlEvent {
  // A push button, check box or radio button was pressed, or a list view was clicked with the
  // mouse (after the selection change the click made, if any).
  kClicked,
  // The text of an edit control or of a combo box's edit part changed. Edit controls report it
  // also when the program sets their text, as Windows does.
  kTextChanged,
  // The chosen entry of a combo box or list box, or the selected rows of a list view, changed.
  // List views report it also when the program changes their selection.
  kSelectionChanged,
  kDoubleClicked,
};

struct EditSelection {
  std::int32_t start = 0;
  std::int32_t end = 0;
  friend bool operator==(const EditSelection&, const EditSelection&) = default;
};

struct ClientSize {
  std::int32_t width = 0;
  std::int32_t height = 0;
};

// One entry of a popup menu; a submenu may be empty.
struct MenuItem {
  enum class Kind { kItem, kSeparator, kSubmenu };

  static MenuItem Item(std::wstring text, std::int32_t id) {
    return {Kind::kItem, std::move(text), id, {}};
  }
  static MenuItem Separator() { return {Kind::kSeparator, {}, 0, {}}; }
  static MenuItem Submenu(std::wstring text, std::vector<MenuItem> items) {
    return {Kind::kSubmenu, std::move(text), 0, std::move(items)};
  }

  Kind kind = Kind::kItem;
  std::wstring text;
  std::int32_t id = 0;
  std::vector<MenuItem> items;  // of a submenu
};
using Menu = std::vector<MenuItem>;

// The controls of one open dialog. Ids are those of the dialog's template; an operation on an id
// the template lacks does nothing and reads as empty. The localized-window part (caption,
// control texts and positions, message boxes owned by the dialog) comes from StrWndTarget.
class DialogSurface : public lexicor::StrWndTarget {
 public:
  // The dialog's window, for owning message boxes and nested dialogs.
  virtual Window Handle() const = 0;

  virtual void SetText(std::int32_t id, const std::wstring& text) = 0;
  virtual std::wstring Text(std::int32_t id) const = 0;
  virtual void SetChecked(std::int32_t id, bool checked) = 0;
  virtual bool IsChecked(std::int32_t id) const = 0;
  // Checks `id` and clears every other button with an id from `first` to `last`.
  virtual void CheckRadio(std::int32_t first, std::int32_t last, std::int32_t id) = 0;
  virtual void Enable(std::int32_t id, bool enabled) = 0;
  virtual bool IsEnabled(std::int32_t id) const = 0;
  virtual void Show(std::int32_t id, bool shown) = 0;
  virtual bool IsShown(std::int32_t id) const = 0;
  virtual void Focus(std::int32_t id) = 0;

  // Edit controls. Positions count characters of the control's text.
  virtual EditSelection Selection(std::int32_t id) const = 0;
  virtual void SetSelection(std::int32_t id, EditSelection selection) = 0;
  // Replaces the selection as typing would (undoable) and puts the caret after the new text.
  virtual void ReplaceSelection(std::int32_t id, const std::wstring& text) = 0;

  // Combo boxes and list boxes. A list whose template sorts it inserts in order (case ignored);
  // AddItem returns the new entry's index.
  virtual void ClearItems(std::int32_t id) = 0;
  virtual std::int32_t AddItem(std::int32_t id, const std::wstring& text, std::intptr_t data) = 0;
  virtual std::int32_t ItemCount(std::int32_t id) const = 0;
  virtual std::wstring ItemText(std::int32_t id, std::int32_t index) const = 0;
  virtual std::intptr_t ItemData(std::int32_t id, std::int32_t index) const = 0;
  // The first entry whose text equals `text`, case ignored; -1 when none does.
  virtual std::int32_t FindItem(std::int32_t id, const std::wstring& text) const = 0;
  virtual std::int32_t SelectedItem(std::int32_t id) const = 0;  // -1: none
  // -1 clears the choice. A combo box shows the chosen entry's text in its edit part.
  virtual void SelectItem(std::int32_t id, std::int32_t index) = 0;
  // An image drop-down list shows icon `hostIcon` of the host's icon library before every entry.
  virtual void SetItemIcon(std::int32_t id, std::int32_t hostIcon) = 0;
  // The most characters a person can type into an edit control.
  virtual void LimitText(std::int32_t id, std::int32_t characters) = 0;

  // List views: columns, rows of cells with item data, and the selected rows.
  virtual void AddColumn(std::int32_t id, const std::wstring& title, std::int32_t width) = 0;
  virtual void SetFullRowSelect(std::int32_t id) = 0;
  virtual std::int32_t InsertRow(std::int32_t id, std::int32_t row, const std::wstring& text,
                                 std::intptr_t data) = 0;
  virtual void SetCell(std::int32_t id, std::int32_t row, std::int32_t column,
                       const std::wstring& text) = 0;
  virtual std::wstring Cell(std::int32_t id, std::int32_t row, std::int32_t column) const = 0;
  virtual void SetRowData(std::int32_t id, std::int32_t row, std::intptr_t data) = 0;
  virtual std::intptr_t RowData(std::int32_t id, std::int32_t row) const = 0;
  virtual std::int32_t RowCount(std::int32_t id) const = 0;
  virtual void DeleteRow(std::int32_t id, std::int32_t row) = 0;
  // The selected rows of a list view, or the selected entries of a list box that allows several,
  // ascending. Selecting rows reports a selection change for list views only, as Windows does.
  virtual std::vector<std::int32_t> SelectedRows(std::int32_t id) const = 0;
  virtual void SelectRow(std::int32_t id, std::int32_t row, bool selected) = 0;

  // Shows `menu` with its top-left corner at the top-right corner of control `anchor` and
  // returns the chosen id, 0 when the menu closed without a choice.
  virtual std::int32_t TrackMenu(const Menu& menu, std::int32_t anchor) = 0;

  virtual ClientSize Client() const = 0;
  virtual void Redraw() = 0;
  // Brings the dialog in front of the other windows and gives it the focus.
  virtual void Activate() = 0;
  // Closes the dialog once the current event is handled; `result` is what the runner returns.
  virtual void End(std::int32_t result) = 0;
};

// The behaviour of one dialog: what it shows, enables, checks and hands back. It knows its
// surface only while it is open.
class Dialog {
 public:
  virtual ~Dialog() = default;

  // The template's resource id.
  virtual std::int32_t TemplateId() const = 0;
  // A resizable dialog cannot be made smaller than it opened.
  virtual bool Resizable() const { return false; }
  // The combo boxes and list boxes that the template sorts (for surfaces without a template).
  virtual std::vector<std::int32_t> SortedLists() const { return {}; }

  // For runners.
  void Open(DialogSurface& surface);
  void Notify(std::int32_t control, ControlEvent event);
  void Resized(ClientSize client);
  void Close() { surface_ = nullptr; }
  bool IsOpen() const { return surface_ != nullptr; }
  // For an owner that is asked to open the dialog again while it is shown.
  void BringToFront() {
    if (surface_) surface_->Activate();
  }

 protected:
  virtual void OnInit() = 0;
  virtual void OnControl(std::int32_t /*control*/, ControlEvent /*event*/) {}
  // OK was pressed: true ends the dialog with kIdOk. Cancel always ends it with kIdCancel,
  // after OnCancel.
  virtual bool OnOk() { return true; }
  virtual void OnCancel() {}
  virtual void OnSize(ClientSize /*client*/) {}

  DialogSurface& Ui() const { return *surface_; }

 private:
  DialogSurface* surface_ = nullptr;
};

// A dialog shown without a modal loop of its own: it stays on screen while the object lives and
// hears its controls only while its owner delivers its messages.
class ModelessDialog {
 public:
  virtual ~ModelessDialog() = default;
  // Delivers every message waiting for this dialog's window, and no other window's.
  virtual void DeliverMessages() = 0;
};

// Runs dialogs: the windows build from their templates, the native build from scripts.
class DialogRunner {
 public:
  virtual ~DialogRunner() = default;
  // Modally. The result passed to End (kIdOk, kIdCancel), or -1 when the dialog could not be
  // shown.
  virtual std::int32_t Run(Dialog& dialog, Window owner) = 0;
  // Modeless, shown at once; null when the dialog could not be shown. Ending it (End) hides it
  // and closes the presenter; the window goes with the returned object.
  virtual std::unique_ptr<ModelessDialog> Show(Dialog& dialog, Window owner) = 0;
};

}  // namespace vendrel::platform
