// Dialogs without a window system: an in-memory surface that tests and the reference host fill
// in and press the way a person would, and the runner that hands each dialog its script.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/Dialog.h"

namespace vendrel::platform {

// Keeps every control's state as Windows would and reports to the dialog what Windows reports:
// text changes of edits (also those the program makes) and list-view selection changes. Buttons
// and lists hold no kind: a control is whatever the dialog uses it as.
class ScriptedSurface final : public DialogSurface {
 public:
  struct ShownMenu {
    Menu menu;
    std::int32_t anchor = 0;
  };

  ScriptedSurface(Dialog& dialog, Window owner, MessageBoxes* boxes);

  // A person's side. Each returns false, doing nothing, when the control is disabled or hidden
  // or lacks what is asked for.
  bool Type(std::int32_t id, const std::wstring& text);  // replaces the whole text
  bool Click(std::int32_t id);
  bool Check(std::int32_t id, bool checked);               // sets the state, then clicks
  bool Choose(std::int32_t id, const std::wstring& item);  // combo or list entry by text
  // A mouse click on a list-view row: the only selected row afterwards.
  bool ChooseRow(std::int32_t id, std::int32_t row);
  // Several rows of a list view (control-clicks, then one click is reported) or entries of a
  // multi-selection list box: exactly these are selected afterwards.
  bool ChooseRows(std::int32_t id, const std::vector<std::int32_t>& rows);
  bool DoubleClickRow(std::int32_t id, std::int32_t row);
  // Adds the row or entry with this text (a list view's first column) to the selection.
  bool AddToSelection(std::int32_t id, const std::wstring& text);
  void AnswerMenu(std::int32_t chosenId) { menuAnswers_.push_back(chosenId); }
  void Resize(ClientSize client);
  bool Ok() { return Click(kIdOk); }
  bool Cancel() { return Click(kIdCancel); }

  // What the dialog is and did.
  std::int32_t TemplateId() const { return dialog_.TemplateId(); }
  Window Owner() const { return owner_; }
  const std::wstring& Caption() const { return caption_; }
  const std::vector<ShownMenu>& Menus() const { return menus_; }
  std::optional<std::int32_t> Result() const { return result_; }
  std::int32_t Focused() const { return focus_; }
  std::int32_t Activations() const { return activations_; }
  std::vector<std::wstring> Items(std::int32_t id) const;
  std::vector<std::wstring> Columns(std::int32_t id) const;
  std::vector<std::int32_t> ColumnWidths(std::int32_t id) const;
  std::int32_t ItemIcon(std::int32_t id) const;
  std::int32_t TextLimit(std::int32_t id) const;  // 0: none
  void Place(std::int32_t id, const lexicor::CtrlRect& rect) { controls_[id].rect = rect; }

  // StrWndTarget
  void SetCaption(const std::wstring& text) override { caption_ = text; }
  void SetControlText(std::int32_t id, const std::wstring& text) override { SetText(id, text); }
  std::optional<lexicor::CtrlRect> ControlPos(std::int32_t id) const override;
  void MoveControl(std::int32_t id, const lexicor::CtrlRect& rect) override;
  void FitControlToText(std::int32_t) override {}
  std::int32_t ShowMessage(const std::wstring& text, const std::wstring& caption,
                           std::uint32_t style) override;

  // DialogSurface
  Window Handle() const override;
  void SetText(std::int32_t id, const std::wstring& text) override;
  std::wstring Text(std::int32_t id) const override;
  void SetChecked(std::int32_t id, bool checked) override;
  bool IsChecked(std::int32_t id) const override;
  void CheckRadio(std::int32_t first, std::int32_t last, std::int32_t id) override;
  void Enable(std::int32_t id, bool enabled) override;
  bool IsEnabled(std::int32_t id) const override;
  void Show(std::int32_t id, bool shown) override;
  bool IsShown(std::int32_t id) const override;
  void Focus(std::int32_t id) override { focus_ = id; }
  EditSelection Selection(std::int32_t id) const override;
  void SetSelection(std::int32_t id, EditSelection selection) override;
  void ReplaceSelection(std::int32_t id, const std::wstring& text) override;
  void ClearItems(std::int32_t id) override;
  std::int32_t AddItem(std::int32_t id, const std::wstring& text, std::intptr_t data) override;
  std::int32_t ItemCount(std::int32_t id) const override;
  std::wstring ItemText(std::int32_t id, std::int32_t index) const override;
  std::intptr_t ItemData(std::int32_t id, std::int32_t index) const override;
  std::int32_t FindItem(std::int32_t id, const std::wstring& text) const override;
  std::int32_t SelectedItem(std::int32_t id) const override;
  void SelectItem(std::int32_t id, std::int32_t index) override;
  void SetItemIcon(std::int32_t id, std::int32_t hostIcon) override {
    controls_[id].icon = hostIcon;
  }
  void LimitText(std::int32_t id, std::int32_t characters) override;
  void AddColumn(std::int32_t id, const std::wstring& title, std::int32_t width) override;
  void SetFullRowSelect(std::int32_t id) override { controls_[id].fullRowSelect = true; }
  std::int32_t InsertRow(std::int32_t id, std::int32_t row, const std::wstring& text,
                         std::intptr_t data) override;
  void SetCell(std::int32_t id, std::int32_t row, std::int32_t column,
               const std::wstring& text) override;
  std::wstring Cell(std::int32_t id, std::int32_t row, std::int32_t column) const override;
  void SetRowData(std::int32_t id, std::int32_t row, std::intptr_t data) override;
  std::intptr_t RowData(std::int32_t id, std::int32_t row) const override;
  std::int32_t RowCount(std::int32_t id) const override;
  void DeleteRow(std::int32_t id, std::int32_t row) override;
  std::vector<std::int32_t> SelectedRows(std::int32_t id) const override;
  void SelectRow(std::int32_t id, std::int32_t row, bool selected) override;
  std::int32_t TrackMenu(const Menu& menu, std::int32_t anchor) override;
  ClientSize Client() const override { return client_; }
  void Redraw() override {}
  void Activate() override { ++activations_; }
  void End(std::int32_t result) override;

 private:
  struct Item {
    std::wstring text;
    std::intptr_t data = 0;
    bool selected = false;  // in a list box that allows several
  };
  struct Row {
    std::vector<std::wstring> cells;
    std::intptr_t data = 0;
    bool selected = false;
  };
  struct Column {
    std::wstring title;
    std::int32_t width = 0;
  };
  struct Control {
    std::wstring text;
    bool checked = false;
    bool enabled = true;
    bool shown = true;
    EditSelection selection;
    bool sorted = false;
    std::vector<Item> items;
    std::int32_t chosen = -1;
    std::vector<Column> columns;
    std::vector<Row> rows;
    bool fullRowSelect = false;
    std::int32_t icon = 0;
    std::int32_t limit = 0;
    std::optional<lexicor::CtrlRect> rect;
  };

  const Control* Find(std::int32_t id) const;
  bool Usable(std::int32_t id) const;
  void Report(std::int32_t id, ControlEvent event) { dialog_.Notify(id, event); }

  Dialog& dialog_;
  Window owner_;
  MessageBoxes* boxes_;
  std::map<std::int32_t, Control> controls_;
  std::wstring caption_;
  std::int32_t focus_ = 0;
  std::int32_t activations_ = 0;
  ClientSize client_;
  std::deque<std::int32_t> menuAnswers_;
  std::vector<ShownMenu> menus_;
  std::optional<std::int32_t> result_;
};

// One answer line, a step a person takes in the open dialog:
//   text <id> <text>    type the rest of the line (which may be empty) into a control
//   click <id>          press a button
//   check <id>, uncheck <id>
//   choose <id> <text>  choose the combo or list entry with that text
//   row <id> <n>        select row n (from 0) of a list view
//   rows <id> <n>...    select exactly these rows of a list view or entries of a list box
//                       (none: clear the selection)
//   select <id> <text>  add the row or list entry with that text to the selection
//   double <id> <n>     double-click row n of a list view
//   menu <id>           the next popup menu returns this id
//   ok, cancel
// False when the line is none of these or the dialog refused the step.
bool ApplyAnswerLine(ScriptedSurface& surface, const std::wstring& line);
// Whether the line starts with one of the step words above.
bool IsAnswerStep(const std::wstring& line);

// Runs each dialog against the next queued script, or the standing script when none is queued;
// a modal dialog the script leaves open, and every modal dialog without a script, is cancelled.
// A script may open nested dialogs: they take the scripts queued after it. A modeless dialog
// takes its script, or the standing modeless script, when it is shown and runs it at every
// delivery of its messages while it stays open.
class ScriptedDialogRunner : public DialogRunner {
 public:
  using Script = std::function<void(ScriptedSurface&)>;
  // Makes the script of one modeless dialog, which may keep state between deliveries.
  using ScriptMaker = std::function<Script()>;

  // `boxes` shows the message boxes the dialogs own; it may be null. The standing scripts may
  // be empty.
  explicit ScriptedDialogRunner(MessageBoxes* boxes = nullptr, Script standing = {},
                                ScriptMaker standingModeless = {})
      : boxes_(boxes),
        standing_(std::move(standing)),
        standingModeless_(std::move(standingModeless)) {}

  void Queue(Script script) { scripts_.push_back(std::move(script)); }
  // A script of answer lines; the lines that fail are ignored.
  void QueueLines(std::vector<std::wstring> lines);
  std::size_t Pending() const { return scripts_.size(); }
  std::size_t Opened() const { return opened_; }

  std::int32_t Run(Dialog& dialog, Window owner) override;
  std::unique_ptr<ModelessDialog> Show(Dialog& dialog, Window owner) override;

 private:
  Script Next(const Script& standing);

  MessageBoxes* boxes_;
  Script standing_;
  ScriptMaker standingModeless_;
  std::deque<Script> scripts_;
  std::size_t opened_ = 0;
};

}  // namespace vendrel::platform
