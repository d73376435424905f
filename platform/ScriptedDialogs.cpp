// The in-memory dialog surface and the runner that answers dialogs from scripts.
#include "platform/ScriptedDialogs.h"

#include <algorithm>
#include <array>
#include <sstream>
#include <string_view>

#include "platform/CaseFold.h"

namespace vendrel::platform {
namespace {

template <class T>
bool InRange(const std::vector<T>& list, std::int32_t index) {
  return index >= 0 && static_cast<std::size_t>(index) < list.size();
}

std::int32_t Length(const std::wstring& text) {
  return static_cast<std::int32_t>(text.size());
}

}  // namespace

ScriptedSurface::ScriptedSurface(Dialog& dialog, Window owner, MessageBoxes* boxes)
    : dialog_(dialog), owner_(owner), boxes_(boxes) {
  for (std::int32_t id : dialog.SortedLists()) controls_[id].sorted = true;
}

const ScriptedSurface::Control* ScriptedSurface::Find(std::int32_t id) const {
  const auto found = controls_.find(id);
  return found == controls_.end() ? nullptr : &found->second;
}

bool ScriptedSurface::Usable(std::int32_t id) const {
  const Control* control = Find(id);
  return !result_ && (!control || (control->enabled && control->shown));
}

bool ScriptedSurface::Type(std::int32_t id, const std::wstring& text) {
  if (!Usable(id)) return false;
  const Control* control = Find(id);
  const auto limit = static_cast<std::size_t>(control ? control->limit : 0);
  SetText(id, limit > 0 && text.size() > limit ? text.substr(0, limit) : text);
  return true;
}

bool ScriptedSurface::Click(std::int32_t id) {
  if (!Usable(id)) return false;
  Report(id, ControlEvent::kClicked);
  return true;
}

bool ScriptedSurface::Check(std::int32_t id, bool checked) {
  if (!Usable(id)) return false;
  controls_[id].checked = checked;
  Report(id, ControlEvent::kClicked);
  return true;
}

bool ScriptedSurface::Choose(std::int32_t id, const std::wstring& item) {
  const std::int32_t index = FindItem(id, item);
  if (!Usable(id) || index < 0) return false;
  SelectItem(id, index);
  Report(id, ControlEvent::kSelectionChanged);
  return true;
}

bool ScriptedSurface::ChooseRow(std::int32_t id, std::int32_t row) {
  return ChooseRows(id, {row});
}

bool ScriptedSurface::DoubleClickRow(std::int32_t id, std::int32_t row) {
  if (!ChooseRow(id, row)) return false;
  Report(id, ControlEvent::kDoubleClicked);
  return true;
}

bool ScriptedSurface::ChooseRows(std::int32_t id, const std::vector<std::int32_t>& rows) {
  if (!Usable(id)) return false;
  Control& control = controls_[id];
  const bool listView = !control.rows.empty();
  for (std::int32_t row : rows) {
    if (listView ? !InRange(control.rows, row) : !InRange(control.items, row)) return false;
  }
  const auto wanted = [&rows](std::int32_t row) {
    return std::find(rows.begin(), rows.end(), row) != rows.end();
  };
  if (listView) {
    for (std::int32_t other : SelectedRows(id)) {
      if (!wanted(other)) SelectRow(id, other, false);
    }
    for (std::int32_t row : rows) SelectRow(id, row, true);
    Report(id, ControlEvent::kClicked);
    return true;
  }
  for (std::size_t i = 0; i < control.items.size(); ++i)
    control.items[i].selected = wanted(static_cast<std::int32_t>(i));
  Report(id, ControlEvent::kSelectionChanged);
  return true;
}

bool ScriptedSurface::AddToSelection(std::int32_t id, const std::wstring& text) {
  if (!Usable(id)) return false;
  Control& control = controls_[id];
  for (std::size_t row = 0; row < control.rows.size(); ++row) {
    if (!control.rows[row].cells.empty() && SameIgnoringCase(control.rows[row].cells[0], text)) {
      SelectRow(id, static_cast<std::int32_t>(row), true);
      return true;
    }
  }
  const std::int32_t index = FindItem(id, text);
  if (index < 0) return false;
  control.items[static_cast<std::size_t>(index)].selected = true;
  Report(id, ControlEvent::kSelectionChanged);
  return true;
}

void ScriptedSurface::Resize(ClientSize client) {
  client_ = client;
  dialog_.Resized(client);
}

std::vector<std::wstring> ScriptedSurface::Items(std::int32_t id) const {
  std::vector<std::wstring> texts;
  if (const Control* control = Find(id)) {
    for (const Item& item : control->items) texts.push_back(item.text);
  }
  return texts;
}

std::vector<std::wstring> ScriptedSurface::Columns(std::int32_t id) const {
  std::vector<std::wstring> titles;
  if (const Control* control = Find(id)) {
    for (const Column& column : control->columns) titles.push_back(column.title);
  }
  return titles;
}

std::vector<std::int32_t> ScriptedSurface::ColumnWidths(std::int32_t id) const {
  std::vector<std::int32_t> widths;
  if (const Control* control = Find(id)) {
    for (const Column& column : control->columns) widths.push_back(column.width);
  }
  return widths;
}

std::int32_t ScriptedSurface::ItemIcon(std::int32_t id) const {
  const Control* control = Find(id);
  return control ? control->icon : 0;
}

std::int32_t ScriptedSurface::TextLimit(std::int32_t id) const {
  const Control* control = Find(id);
  return control ? control->limit : 0;
}

void ScriptedSurface::LimitText(std::int32_t id, std::int32_t characters) {
  controls_[id].limit = characters;
}

std::optional<lexicor::CtrlRect> ScriptedSurface::ControlPos(std::int32_t id) const {
  const Control* control = Find(id);
  return control ? control->rect : std::nullopt;
}

void ScriptedSurface::MoveControl(std::int32_t id, const lexicor::CtrlRect& rect) {
  controls_[id].rect = rect;
}

std::int32_t ScriptedSurface::ShowMessage(const std::wstring& text, const std::wstring& caption,
                                          std::uint32_t style) {
  if (!boxes_) return 0;
  return static_cast<std::int32_t>(boxes_->Show({Handle(), text, caption, style}));
}

Window ScriptedSurface::Handle() const {
  return reinterpret_cast<Window>(this);
}

void ScriptedSurface::SetText(std::int32_t id, const std::wstring& text) {
  Control& control = controls_[id];
  control.text = text;
  control.selection = {};
  Report(id, ControlEvent::kTextChanged);
}

std::wstring ScriptedSurface::Text(std::int32_t id) const {
  const Control* control = Find(id);
  return control ? control->text : std::wstring();
}

void ScriptedSurface::SetChecked(std::int32_t id, bool checked) {
  controls_[id].checked = checked;
}

bool ScriptedSurface::IsChecked(std::int32_t id) const {
  const Control* control = Find(id);
  return control && control->checked;
}

void ScriptedSurface::CheckRadio(std::int32_t first, std::int32_t last, std::int32_t id) {
  for (std::int32_t button = first; button <= last; ++button) {
    if (button == id || Find(button)) controls_[button].checked = button == id;
  }
}

void ScriptedSurface::Enable(std::int32_t id, bool enabled) {
  controls_[id].enabled = enabled;
}

bool ScriptedSurface::IsEnabled(std::int32_t id) const {
  const Control* control = Find(id);
  return !control || control->enabled;
}

void ScriptedSurface::Show(std::int32_t id, bool shown) {
  controls_[id].shown = shown;
}

bool ScriptedSurface::IsShown(std::int32_t id) const {
  const Control* control = Find(id);
  return !control || control->shown;
}

EditSelection ScriptedSurface::Selection(std::int32_t id) const {
  const Control* control = Find(id);
  return control ? control->selection : EditSelection{};
}

void ScriptedSurface::SetSelection(std::int32_t id, EditSelection selection) {
  Control& control = controls_[id];
  const std::int32_t length = Length(control.text);
  // As an edit control does: -1 or a position past the end means the end.
  auto clamp = [length](std::int32_t at) { return at < 0 || at > length ? length : at; };
  control.selection = {clamp(selection.start), clamp(selection.end)};
}

void ScriptedSurface::ReplaceSelection(std::int32_t id, const std::wstring& text) {
  Control& control = controls_[id];
  const std::int32_t from = std::min(control.selection.start, control.selection.end);
  const std::int32_t to = std::max(control.selection.start, control.selection.end);
  control.text.replace(static_cast<std::size_t>(from), static_cast<std::size_t>(to - from), text);
  const std::int32_t caret = from + Length(text);
  Report(id, ControlEvent::kTextChanged);
  controls_[id].selection = {caret, caret};
}

void ScriptedSurface::ClearItems(std::int32_t id) {
  Control& control = controls_[id];
  control.items.clear();
  control.chosen = -1;
}

std::int32_t ScriptedSurface::AddItem(std::int32_t id, const std::wstring& text,
                                      std::intptr_t data) {
  Control& control = controls_[id];
  auto at = control.items.end();
  if (control.sorted) {
    const std::wstring key = LowerCase(text);
    at = std::find_if(control.items.begin(), control.items.end(),
                      [&key](const Item& item) { return key < LowerCase(item.text); });
  }
  const auto index = static_cast<std::int32_t>(at - control.items.begin());
  control.items.insert(at, {text, data});
  if (control.chosen >= index) ++control.chosen;
  return index;
}

std::int32_t ScriptedSurface::ItemCount(std::int32_t id) const {
  const Control* control = Find(id);
  return control ? static_cast<std::int32_t>(control->items.size()) : 0;
}

std::wstring ScriptedSurface::ItemText(std::int32_t id, std::int32_t index) const {
  const Control* control = Find(id);
  return control && InRange(control->items, index) ? control->items[index].text : std::wstring();
}

std::intptr_t ScriptedSurface::ItemData(std::int32_t id, std::int32_t index) const {
  const Control* control = Find(id);
  return control && InRange(control->items, index) ? control->items[index].data : 0;
}

std::int32_t ScriptedSurface::FindItem(std::int32_t id, const std::wstring& text) const {
  const Control* control = Find(id);
  if (!control) return -1;
  const std::wstring key = LowerCase(text);
  for (std::size_t i = 0; i < control->items.size(); ++i) {
    if (LowerCase(control->items[i].text) == key) return static_cast<std::int32_t>(i);
  }
  return -1;
}

std::int32_t ScriptedSurface::SelectedItem(std::int32_t id) const {
  const Control* control = Find(id);
  return control ? control->chosen : -1;
}

void ScriptedSurface::SelectItem(std::int32_t id, std::int32_t index) {
  Control& control = controls_[id];
  if (!InRange(control.items, index)) {
    control.chosen = -1;
    control.text.clear();
    return;
  }
  control.chosen = index;
  control.text = control.items[index].text;
}

void ScriptedSurface::AddColumn(std::int32_t id, const std::wstring& title, std::int32_t width) {
  controls_[id].columns.push_back({title, width});
}

std::int32_t ScriptedSurface::InsertRow(std::int32_t id, std::int32_t row, const std::wstring& text,
                                        std::intptr_t data) {
  Control& control = controls_[id];
  const auto count = static_cast<std::int32_t>(control.rows.size());
  const std::int32_t at = row < 0 || row > count ? count : row;
  Row added{{text}, data, false};
  control.rows.insert(control.rows.begin() + at, std::move(added));
  return at;
}

void ScriptedSurface::SetCell(std::int32_t id, std::int32_t row, std::int32_t column,
                              const std::wstring& text) {
  Control& control = controls_[id];
  if (!InRange(control.rows, row) || column < 0) return;
  std::vector<std::wstring>& cells = control.rows[row].cells;
  if (cells.size() <= static_cast<std::size_t>(column)) cells.resize(column + 1);
  cells[column] = text;
}

std::wstring ScriptedSurface::Cell(std::int32_t id, std::int32_t row, std::int32_t column) const {
  const Control* control = Find(id);
  if (!control || !InRange(control->rows, row) || !InRange(control->rows[row].cells, column))
    return {};
  return control->rows[row].cells[column];
}

void ScriptedSurface::SetRowData(std::int32_t id, std::int32_t row, std::intptr_t data) {
  Control& control = controls_[id];
  if (InRange(control.rows, row)) control.rows[row].data = data;
}

std::intptr_t ScriptedSurface::RowData(std::int32_t id, std::int32_t row) const {
  const Control* control = Find(id);
  return control && InRange(control->rows, row) ? control->rows[row].data : 0;
}

std::int32_t ScriptedSurface::RowCount(std::int32_t id) const {
  const Control* control = Find(id);
  return control ? static_cast<std::int32_t>(control->rows.size()) : 0;
}

void ScriptedSurface::DeleteRow(std::int32_t id, std::int32_t row) {
  if (!InRange(controls_[id].rows, row)) return;
  // A list view takes the selection off a row before it deletes it, and says so.
  SelectRow(id, row, false);
  Control& control = controls_[id];
  control.rows.erase(control.rows.begin() + row);
}

std::vector<std::int32_t> ScriptedSurface::SelectedRows(std::int32_t id) const {
  std::vector<std::int32_t> rows;
  if (const Control* control = Find(id)) {
    for (std::size_t i = 0; i < control->rows.size(); ++i) {
      if (control->rows[i].selected) rows.push_back(static_cast<std::int32_t>(i));
    }
    for (std::size_t i = 0; i < control->items.size(); ++i) {
      if (control->items[i].selected) rows.push_back(static_cast<std::int32_t>(i));
    }
  }
  return rows;
}

void ScriptedSurface::SelectRow(std::int32_t id, std::int32_t row, bool selected) {
  Control& control = controls_[id];
  // A list box's entries change silently.
  if (control.rows.empty() && InRange(control.items, row)) {
    control.items[static_cast<std::size_t>(row)].selected = selected;
    return;
  }
  if (!InRange(control.rows, row) || control.rows[row].selected == selected) return;
  control.rows[row].selected = selected;
  Report(id, ControlEvent::kSelectionChanged);
}

std::int32_t ScriptedSurface::TrackMenu(const Menu& menu, std::int32_t anchor) {
  menus_.push_back({menu, anchor});
  if (menuAnswers_.empty()) return 0;
  const std::int32_t chosen = menuAnswers_.front();
  menuAnswers_.pop_front();
  return chosen;
}

void ScriptedSurface::End(std::int32_t result) {
  if (!result_) result_ = result;
}

bool IsAnswerStep(const std::wstring& line) {
  static constexpr std::array<std::wstring_view, 12> kVerbs{
      L"text", L"click",  L"check",  L"uncheck", L"choose", L"row",
      L"rows", L"select", L"double", L"menu",    L"ok",     L"cancel"};
  const std::wstring_view verb = std::wstring_view(line).substr(0, line.find(L' '));
  return std::find(kVerbs.begin(), kVerbs.end(), verb) != kVerbs.end();
}

bool ApplyAnswerLine(ScriptedSurface& surface, const std::wstring& line) {
  std::wistringstream in(line);
  std::wstring verb;
  in >> verb;
  if (verb == L"ok") return surface.Ok();
  if (verb == L"cancel") return surface.Cancel();
  std::int32_t id = 0;
  if (!(in >> id)) return false;
  // The rest of the line after one blank is the argument.
  std::wstring rest;
  if (in.peek() == L' ') in.get();
  std::getline(in, rest);
  if (verb == L"text") return surface.Type(id, rest);
  if (verb == L"click") return surface.Click(id);
  if (verb == L"check") return surface.Check(id, true);
  if (verb == L"uncheck") return surface.Check(id, false);
  if (verb == L"choose") return surface.Choose(id, rest);
  if (verb == L"select") return surface.AddToSelection(id, rest);
  if (verb == L"row" || verb == L"double" || verb == L"rows") {
    std::wistringstream numbers(rest);
    std::vector<std::int32_t> rows;
    for (std::int32_t row = 0; numbers >> row;) rows.push_back(row);
    if (!numbers.eof()) return false;
    if (verb == L"rows") return surface.ChooseRows(id, rows);
    if (rows.size() != 1) return false;
    return verb == L"row" ? surface.ChooseRow(id, rows[0]) : surface.DoubleClickRow(id, rows[0]);
  }
  if (verb == L"menu") {
    surface.AnswerMenu(id);
    return true;
  }
  return false;
}

void ScriptedDialogRunner::QueueLines(std::vector<std::wstring> lines) {
  Queue([lines = std::move(lines)](ScriptedSurface& surface) {
    for (const std::wstring& line : lines) ApplyAnswerLine(surface, line);
  });
}

ScriptedDialogRunner::Script ScriptedDialogRunner::Next(const Script& standing) {
  if (scripts_.empty()) return standing;
  Script script = std::move(scripts_.front());
  scripts_.pop_front();
  return script;
}

std::int32_t ScriptedDialogRunner::Run(Dialog& dialog, Window owner) {
  ++opened_;
  ScriptedSurface surface(dialog, owner, boxes_);
  dialog.Open(surface);
  if (!surface.Result()) {
    if (const Script script = Next(standing_)) script(surface);
  }
  if (!surface.Result()) dialog.Notify(kIdCancel, ControlEvent::kClicked);
  dialog.Close();
  return surface.Result().value_or(kIdCancel);
}

namespace {

class ScriptedModeless final : public ModelessDialog {
 public:
  ScriptedModeless(Dialog& dialog, Window owner, MessageBoxes* boxes,
                   ScriptedDialogRunner::Script script)
      : dialog_(dialog), surface_(dialog, owner, boxes), script_(std::move(script)) {
    dialog_.Open(surface_);
  }
  ~ScriptedModeless() override { dialog_.Close(); }
  ScriptedModeless(const ScriptedModeless&) = delete;
  ScriptedModeless& operator=(const ScriptedModeless&) = delete;

  void DeliverMessages() override {
    if (!surface_.Result() && script_) script_(surface_);
    if (surface_.Result()) dialog_.Close();
  }

 private:
  Dialog& dialog_;
  ScriptedSurface surface_;
  ScriptedDialogRunner::Script script_;
};

}  // namespace

std::unique_ptr<ModelessDialog> ScriptedDialogRunner::Show(Dialog& dialog, Window owner) {
  ++opened_;
  Script script = Next(standingModeless_ ? standingModeless_() : Script());
  return std::make_unique<ScriptedModeless>(dialog, owner, boxes_, std::move(script));
}

}  // namespace vendrel::platform
