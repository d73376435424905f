// The Win32 dialog surface and procedure: one call per operation, notifications to events.
#include "platform/win32/Dialogs.h"

#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

#include "uilibs/win32/Handle.h"
#include "uilibs/win32/Iconel.h"

namespace vendrel::platform {
namespace {

HWND AsHwnd(Window window) {
  return reinterpret_cast<HWND>(window);
}

HWND OwnerHwnd(Window owner) {
  if (owner != kDefaultOwner) return AsHwnd(owner);
  HWND active = GetActiveWindow();
  return active ? GetAncestor(active, GA_ROOT) : nullptr;
}

std::wstring WindowText(HWND window) {
  const int length = GetWindowTextLengthW(window);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const int copied = GetWindowTextW(window, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
  return text;
}

std::wstring ClassOf(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}

bool IsClass(HWND window, const wchar_t* name) {
  return lstrcmpiW(ClassOf(window).c_str(), name) == 0;
}

bool IsListBox(HWND window) {
  return IsClass(window, L"ListBox");
}

// The image drop-down list: a combo box whose entries carry images.
bool IsImageCombo(HWND window) {
  return IsClass(window, WC_COMBOBOXEXW);
}

// Submenus belong to their parent and go with it.
HMENU BuildMenu(const Menu& entries) {
  HMENU menu = CreatePopupMenu();
  for (const MenuItem& entry : entries) {
    switch (entry.kind) {
      case MenuItem::Kind::kItem:
        AppendMenuW(menu, MF_STRING, static_cast<UINT_PTR>(entry.id), entry.text.c_str());
        break;
      case MenuItem::Kind::kSeparator:
        AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        break;
      case MenuItem::Kind::kSubmenu:
        AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(BuildMenu(entry.items)),
                    entry.text.c_str());
        break;
    }
  }
  return menu;
}

class Win32Surface final : public DialogSurface {
 public:
  Win32Surface(HWND dialog, bool modeless) : dialog_(dialog), modeless_(modeless) {}

  // StrWndTarget
  void SetCaption(const std::wstring& text) override { SetWindowTextW(dialog_, text.c_str()); }
  void SetControlText(std::int32_t id, const std::wstring& text) override { SetText(id, text); }
  std::optional<lexicor::CtrlRect> ControlPos(std::int32_t id) const override {
    RECT r;
    if (!Item(id) || !GetWindowRect(Item(id), &r)) return std::nullopt;
    MapWindowPoints(nullptr, dialog_, reinterpret_cast<POINT*>(&r), 2);
    return lexicor::CtrlRect{r.left, r.top, r.right, r.bottom};
  }
  void MoveControl(std::int32_t id, const lexicor::CtrlRect& r) override {
    SetWindowPos(Item(id), nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
  void FitControlToText(std::int32_t id) override {
    const HWND control = Item(id);
    const auto rect = ControlPos(id);
    if (!control || !rect) return;
    const std::wstring text = WindowText(control);
    const uilibs::UniqueWindowDc dc = uilibs::WindowDcOf(control);
    const HGDIOBJ old = SelectObject(
        dc.Get().dc, reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0)));
    SIZE size{};
    GetTextExtentPoint32W(dc.Get().dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc.Get().dc, old);
    SetWindowPos(control, nullptr, 0, 0, size.cx, rect->bottom - rect->top,
                 SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
  }
  std::int32_t ShowMessage(const std::wstring& text, const std::wstring& caption,
                           std::uint32_t style) override {
    return MessageBoxW(dialog_, text.c_str(), caption.c_str(), style);
  }

  // DialogSurface
  Window Handle() const override { return reinterpret_cast<Window>(dialog_); }
  void SetText(std::int32_t id, const std::wstring& text) override {
    SetDlgItemTextW(dialog_, id, text.c_str());
  }
  std::wstring Text(std::int32_t id) const override {
    return Item(id) ? WindowText(Item(id)) : std::wstring();
  }
  void SetChecked(std::int32_t id, bool checked) override {
    CheckDlgButton(dialog_, id, checked ? BST_CHECKED : BST_UNCHECKED);
  }
  bool IsChecked(std::int32_t id) const override {
    return IsDlgButtonChecked(dialog_, id) == BST_CHECKED;
  }
  void CheckRadio(std::int32_t first, std::int32_t last, std::int32_t id) override {
    CheckRadioButton(dialog_, first, last, id);
  }
  void Enable(std::int32_t id, bool enabled) override { EnableWindow(Item(id), enabled); }
  bool IsEnabled(std::int32_t id) const override { return IsWindowEnabled(Item(id)); }
  void Show(std::int32_t id, bool shown) override {
    ShowWindow(Item(id), shown ? SW_SHOW : SW_HIDE);
  }
  // The style bit, not IsWindowVisible: the dialog itself is still hidden while it opens.
  bool IsShown(std::int32_t id) const override {
    return Item(id) && (GetWindowLongW(Item(id), GWL_STYLE) & WS_VISIBLE) != 0;
  }
  // Not WM_NEXTDLGCTL: the dialog manager would select an edit control's whole text, and the
  // caret an insertion just placed would be lost.
  void Focus(std::int32_t id) override { SetFocus(Item(id)); }
  EditSelection Selection(std::int32_t id) const override {
    DWORD start = 0, end = 0;
    SendMessageW(Item(id), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    return {static_cast<std::int32_t>(start), static_cast<std::int32_t>(end)};
  }
  void SetSelection(std::int32_t id, EditSelection selection) override {
    SendMessageW(Item(id), EM_SETSEL, static_cast<WPARAM>(selection.start),
                 static_cast<LPARAM>(selection.end));
  }
  void ReplaceSelection(std::int32_t id, const std::wstring& text) override {
    SendMessageW(Item(id), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
  }

  void ClearItems(std::int32_t id) override { Send(id, LB_RESETCONTENT, CB_RESETCONTENT, 0, 0); }
  std::int32_t AddItem(std::int32_t id, const std::wstring& text, std::intptr_t data) override {
    if (IsImageCombo(Item(id))) {
      COMBOBOXEXITEMW item{};
      item.mask = CBEIF_TEXT | CBEIF_LPARAM | CBEIF_IMAGE | CBEIF_SELECTEDIMAGE;
      item.iItem = -1;
      item.pszText = const_cast<wchar_t*>(text.c_str());
      item.lParam = data;
      return static_cast<std::int32_t>(
          SendMessageW(Item(id), CBEM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
    }
    const auto index = static_cast<std::int32_t>(
        Send(id, LB_ADDSTRING, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str())));
    if (index >= 0) Send(id, LB_SETITEMDATA, CB_SETITEMDATA, index, data);
    return index;
  }
  std::int32_t ItemCount(std::int32_t id) const override {
    return static_cast<std::int32_t>(Send(id, LB_GETCOUNT, CB_GETCOUNT, 0, 0));
  }
  std::wstring ItemText(std::int32_t id, std::int32_t index) const override {
    if (IsImageCombo(Item(id))) {
      wchar_t text[512] = {};
      COMBOBOXEXITEMW item{};
      item.mask = CBEIF_TEXT;
      item.iItem = index;
      item.pszText = text;
      item.cchTextMax = static_cast<int>(std::size(text));
      if (!SendMessageW(Item(id), CBEM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item))) return {};
      return item.pszText;
    }
    const LRESULT length = Send(id, LB_GETTEXTLEN, CB_GETLBTEXTLEN, index, 0);
    if (length < 0) return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    Send(id, LB_GETTEXT, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(length));
    return text;
  }
  std::intptr_t ItemData(std::int32_t id, std::int32_t index) const override {
    return Send(id, LB_GETITEMDATA, CB_GETITEMDATA, index, 0);
  }
  std::int32_t FindItem(std::int32_t id, const std::wstring& text) const override {
    return static_cast<std::int32_t>(Send(id, LB_FINDSTRINGEXACT, CB_FINDSTRINGEXACT,
                                          static_cast<WPARAM>(-1),
                                          reinterpret_cast<LPARAM>(text.c_str())));
  }
  std::int32_t SelectedItem(std::int32_t id) const override {
    return static_cast<std::int32_t>(Send(id, LB_GETCURSEL, CB_GETCURSEL, 0, 0));
  }
  void SelectItem(std::int32_t id, std::int32_t index) override {
    Send(id, LB_SETCURSEL, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  }
  void SetItemIcon(std::int32_t id, std::int32_t hostIcon) override {
    const iconel::UniqueIcon icon = iconel::HostIcon(hostIcon, 16);
    uilibs::UniqueHimagelist images(ImageList_Create(16, 16, ILC_COLOR24 | ILC_MASK, 1, 1));
    if (!images || !icon) return;
    ImageList_SetBkColor(images.Get(), GetSysColor(COLOR_WINDOW));
    ImageList_AddIcon(images.Get(), icon.get());
    SendMessageW(Item(id), CBEM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images.Get()));
    images_.push_back(std::move(images));
  }
  void LimitText(std::int32_t id, std::int32_t characters) override {
    SendMessageW(Item(id), EM_LIMITTEXT, static_cast<WPARAM>(characters), 0);
  }

  void AddColumn(std::int32_t id, const std::wstring& title, std::int32_t width) override {
    const HWND header = reinterpret_cast<HWND>(SendMessageW(Item(id), LVM_GETHEADER, 0, 0));
    const auto at = static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0));
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.cx = width;
    column.pszText = const_cast<wchar_t*>(title.c_str());
    SendMessageW(Item(id), LVM_INSERTCOLUMNW, at > 0 ? at : 0, reinterpret_cast<LPARAM>(&column));
  }
  void SetFullRowSelect(std::int32_t id) override {
    SendMessageW(Item(id), LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT,
                 LVS_EX_FULLROWSELECT);
  }
  std::int32_t InsertRow(std::int32_t id, std::int32_t row, const std::wstring& text,
                         std::intptr_t data) override {
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_PARAM;
    item.iItem = row < 0 ? RowCount(id) : row;
    item.pszText = const_cast<wchar_t*>(text.c_str());
    item.lParam = data;
    return static_cast<std::int32_t>(
        SendMessageW(Item(id), LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
  }
  void SetCell(std::int32_t id, std::int32_t row, std::int32_t column,
               const std::wstring& text) override {
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = const_cast<wchar_t*>(text.c_str());
    SendMessageW(Item(id), LVM_SETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
  }
  std::wstring Cell(std::int32_t id, std::int32_t row, std::int32_t column) const override {
    // The list view copies at most the buffer's size: grow until the text fits.
    for (std::size_t size = 256;; size *= 4) {
      std::wstring text(size, L'\0');
      LVITEMW item{};
      item.iSubItem = column;
      item.pszText = text.data();
      item.cchTextMax = static_cast<int>(size);
      const auto length = static_cast<std::size_t>(
          SendMessageW(Item(id), LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item)));
      if (length + 1 < size) {
        text.resize(length);
        return text;
      }
    }
  }
  void SetRowData(std::int32_t id, std::int32_t row, std::intptr_t data) override {
    LVITEMW item{};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    item.lParam = data;
    SendMessageW(Item(id), LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
  }
  std::intptr_t RowData(std::int32_t id, std::int32_t row) const override {
    LVITEMW item{};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    if (!SendMessageW(Item(id), LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item))) return 0;
    return item.lParam;
  }
  std::int32_t RowCount(std::int32_t id) const override {
    return static_cast<std::int32_t>(SendMessageW(Item(id), LVM_GETITEMCOUNT, 0, 0));
  }
  void DeleteRow(std::int32_t id, std::int32_t row) override {
    SendMessageW(Item(id), LVM_DELETEITEM, row, 0);
  }
  std::vector<std::int32_t> SelectedRows(std::int32_t id) const override {
    std::vector<std::int32_t> rows;
    if (IsListBox(Item(id))) {
      const auto count = SendMessageW(Item(id), LB_GETSELCOUNT, 0, 0);
      if (count <= 0) return rows;
      std::vector<int> selected(static_cast<std::size_t>(count));
      const auto got = SendMessageW(Item(id), LB_GETSELITEMS, static_cast<WPARAM>(count),
                                    reinterpret_cast<LPARAM>(selected.data()));
      rows.assign(selected.begin(), selected.begin() + (got > 0 ? got : 0));
      return rows;
    }
    for (auto row = static_cast<std::int32_t>(
             SendMessageW(Item(id), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
         row >= 0; row = static_cast<std::int32_t>(
                       SendMessageW(Item(id), LVM_GETNEXTITEM, row, LVNI_SELECTED))) {
      rows.push_back(row);
    }
    return rows;
  }
  // A row selected by the program also takes the focus rectangle, as a click would give it.
  void SelectRow(std::int32_t id, std::int32_t row, bool selected) override {
    if (IsListBox(Item(id))) {
      SendMessageW(Item(id), LB_SETSEL, selected, row);
      return;
    }
    LVITEMW item{};
    item.stateMask = selected ? LVIS_SELECTED | LVIS_FOCUSED : LVIS_SELECTED;
    item.state = selected ? LVIS_SELECTED | LVIS_FOCUSED : 0;
    SendMessageW(Item(id), LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
  }

  std::int32_t TrackMenu(const Menu& menu, std::int32_t anchor) override {
    RECT r{};
    GetWindowRect(Item(anchor), &r);
    const uilibs::UniqueHmenu popup(BuildMenu(menu));
    return TrackPopupMenu(popup.Get(),
                          TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD, r.right,
                          r.top, 0, dialog_, nullptr);
  }
  ClientSize Client() const override {
    RECT r{};
    GetClientRect(dialog_, &r);
    return {r.right - r.left, r.bottom - r.top};
  }
  void Redraw() override {
    RedrawWindow(dialog_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
  }
  void Activate() override {
    if (IsIconic(dialog_)) ShowWindow(dialog_, SW_RESTORE);
    SetForegroundWindow(dialog_);
    SetActiveWindow(dialog_);
  }
  // A modeless dialog is only hidden: its window goes with its owner object.
  void End(std::int32_t result) override {
    if (!modeless_) {
      EndDialog(dialog_, result);
    } else if (!ended_) {
      ended_ = true;
      ShowWindow(dialog_, SW_HIDE);
    }
  }
  bool Ended() const { return ended_; }

 private:
  HWND Item(std::int32_t id) const { return GetDlgItem(dialog_, id); }
  // Combo boxes and list boxes take different messages for the same request.
  LRESULT Send(std::int32_t id, UINT listMessage, UINT comboMessage, WPARAM w, LPARAM l) const {
    const HWND control = Item(id);
    if (!control) return -1;
    return SendMessageW(control, IsListBox(control) ? listMessage : comboMessage, w, l);
  }

  HWND dialog_;
  bool modeless_;
  bool ended_ = false;
  std::vector<uilibs::UniqueHimagelist> images_;  // the image lists of image drop-down lists
};

struct Session {
  Dialog& dialog;
  bool modeless = false;
  std::unique_ptr<Win32Surface> surface;
  SIZE minimum{};
};

// Which event a WM_COMMAND notification is depends on the class of the control that sent it:
// the codes of buttons, edits, combo boxes and list boxes overlap.
std::optional<ControlEvent> CommandEvent(HWND control, WORD code) {
  if (!control) return code == BN_CLICKED ? std::optional(ControlEvent::kClicked) : std::nullopt;
  const std::wstring cls = ClassOf(control);
  if (lstrcmpiW(cls.c_str(), L"Button") == 0) {
    if (code == BN_CLICKED) return ControlEvent::kClicked;
  } else if (lstrcmpiW(cls.c_str(), L"ComboBox") == 0 ||
             lstrcmpiW(cls.c_str(), WC_COMBOBOXEXW) == 0) {
    if (code == CBN_SELCHANGE) return ControlEvent::kSelectionChanged;
    if (code == CBN_EDITCHANGE) return ControlEvent::kTextChanged;
  } else if (lstrcmpiW(cls.c_str(), L"ListBox") == 0) {
    if (code == LBN_SELCHANGE) return ControlEvent::kSelectionChanged;
    if (code == LBN_DBLCLK) return ControlEvent::kDoubleClicked;
  } else if (code == EN_CHANGE) {
    return ControlEvent::kTextChanged;
  }
  return std::nullopt;
}

std::optional<ControlEvent> NotifyEvent(const NMHDR& header, LPARAM l) {
  if (header.code == LVN_ITEMCHANGED) {
    const auto& change = *reinterpret_cast<const NMLISTVIEW*>(l);
    if ((change.uChanged & LVIF_STATE) && ((change.uOldState ^ change.uNewState) & LVIS_SELECTED))
      return ControlEvent::kSelectionChanged;
  } else if (header.code == static_cast<UINT>(NM_CLICK)) {
    return ControlEvent::kClicked;
  } else if (header.code == static_cast<UINT>(NM_DBLCLK)) {
    return ControlEvent::kDoubleClicked;
  }
  return std::nullopt;
}

INT_PTR Handle(HWND window, UINT message, WPARAM w, LPARAM l) {
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrW(window, DWLP_USER, l);
    auto& session = *reinterpret_cast<Session*>(l);
    session.surface = std::make_unique<Win32Surface>(window, session.modeless);
    RECT r{};
    GetWindowRect(window, &r);
    session.minimum = {r.right - r.left, r.bottom - r.top};
    session.dialog.Open(*session.surface);
    return TRUE;
  }
  auto* session = reinterpret_cast<Session*>(GetWindowLongPtrW(window, DWLP_USER));
  if (!session) return FALSE;
  switch (message) {
    case WM_COMMAND:
      if (const auto event = CommandEvent(reinterpret_cast<HWND>(l), HIWORD(w))) {
        session->dialog.Notify(LOWORD(w), *event);
        return TRUE;
      }
      return FALSE;
    case WM_NOTIFY: {
      const auto& header = *reinterpret_cast<const NMHDR*>(l);
      if (const auto event = NotifyEvent(header, l)) {
        session->dialog.Notify(static_cast<std::int32_t>(header.idFrom), *event);
        return TRUE;
      }
      return FALSE;
    }
    case WM_SIZE:
      session->dialog.Resized({LOWORD(l), HIWORD(l)});
      return TRUE;
    case WM_GETMINMAXINFO:
      if (!session->dialog.Resizable()) return FALSE;
      reinterpret_cast<MINMAXINFO*>(l)->ptMinTrackSize = {session->minimum.cx, session->minimum.cy};
      return TRUE;
    default:
      return FALSE;
  }
}

// No exception may reach the dialog manager: a presenter that throws closes its dialog as
// cancelled.
INT_PTR CALLBACK Procedure(HWND window, UINT message, WPARAM w, LPARAM l) {
  try {
    return Handle(window, message, w, l);
  } catch (...) {
    if (auto* session = reinterpret_cast<Session*>(GetWindowLongPtrW(window, DWLP_USER));
        session && session->surface) {
      session->surface->End(kIdCancel);
    } else {
      EndDialog(window, kIdCancel);
    }
    return TRUE;
  }
}

}  // namespace

std::int32_t Win32DialogRunner::Run(Dialog& dialog, Window owner) {
  INITCOMMONCONTROLSEX controls{sizeof controls,
                                ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES | ICC_USEREX_CLASSES};
  InitCommonControlsEx(&controls);
  // The class of the templates' rich-edit controls, for the process's life.
  static const uilibs::UniqueHmodule richEdit(LoadLibraryW(L"riched20.dll"));
  Session session{dialog, false, nullptr, {}};
  const INT_PTR result =
      DialogBoxParamW(resources_, MAKEINTRESOURCEW(dialog.TemplateId()), OwnerHwnd(owner),
                      Procedure, reinterpret_cast<LPARAM>(&session));
  dialog.Close();
  return static_cast<std::int32_t>(result);
}

namespace {

// The window is destroyed with this object; until then only DeliverMessages lets it react.
class Win32Modeless final : public ModelessDialog {
 public:
  explicit Win32Modeless(Dialog& dialog) : session_{dialog, true, nullptr, {}} {}
  ~Win32Modeless() override {
    session_.dialog.Close();
    if (window_) DestroyWindow(window_);
  }
  Win32Modeless(const Win32Modeless&) = delete;
  Win32Modeless& operator=(const Win32Modeless&) = delete;

  bool Create(HINSTANCE resources, HWND owner) {
    window_ = CreateDialogParamW(resources, MAKEINTRESOURCEW(session_.dialog.TemplateId()), owner,
                                 Procedure, reinterpret_cast<LPARAM>(&session_));
    if (!window_) return false;
    ShowWindow(window_, SW_SHOWNORMAL);
    return true;
  }

  void DeliverMessages() override {
    MSG message;
    while (PeekMessageW(&message, window_, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    if (session_.surface && session_.surface->Ended()) session_.dialog.Close();
  }

 private:
  Session session_;
  HWND window_ = nullptr;
};

}  // namespace

std::unique_ptr<ModelessDialog> Win32DialogRunner::Show(Dialog& dialog, Window owner) {
  auto shown = std::make_unique<Win32Modeless>(dialog);
  if (!shown->Create(resources_, OwnerHwnd(owner))) return nullptr;
  return shown;
}

}  // namespace vendrel::platform
