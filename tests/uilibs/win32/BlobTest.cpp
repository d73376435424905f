// The highlighting control of Glyphex.dll bound to a rich-edit control in a real dialog: text
// in and out, and the colour of every pattern occurrence as the control reports it.
#include <gtest/gtest.h>

#include <windows.h>

#include <richedit.h>

#include <memory>
#include <vector>

#include "tests/platform/win32/BoxPresser.h"
#include "tests/uilibs/win32/HostFolder.h"
#include "uilibs/glyphex/Blob.h"

namespace vendrel::glyphex {
namespace {

constexpr int kEditId = 444;
constexpr COLORREF kPatternColour = RGB(0, 0, 192);  // as Glyphex.dll colours them

// For the whole program, the button box tests too.
const auto* const environment =
    ::testing::AddGlobalTestEnvironment(new uilibs::testing::HostFolderEnvironment);

struct DestroyWindowHandle {
  void operator()(HWND window) const { DestroyWindow(window); }
};
using UniqueWindow = std::unique_ptr<std::remove_pointer_t<HWND>, DestroyWindowHandle>;

struct FreeLibraryHandle {
  void operator()(HMODULE module) const { FreeLibrary(module); }
};
using UniqueModule = std::unique_ptr<std::remove_pointer_t<HMODULE>, FreeLibraryHandle>;

INT_PTR CALLBACK PlainDialog(HWND, UINT, WPARAM, LPARAM) {
  return FALSE;
}

// A visible modeless dialog titled `caption` holding one rich-edit control, kEditId.
UniqueWindow OpenDialog(const wchar_t* caption) {
  std::vector<WORD> words(sizeof(DLGTEMPLATE) / sizeof(WORD) + 3 + wcslen(caption) + 1);
  auto* head = reinterpret_cast<DLGTEMPLATE*>(words.data());
  head->style = WS_POPUP | WS_CAPTION | WS_VISIBLE | DS_CENTER;
  head->cx = 260;
  head->cy = 40;
  wcscpy(reinterpret_cast<wchar_t*>(words.data() + sizeof(DLGTEMPLATE) / sizeof(WORD) + 2),
         caption);
  UniqueWindow dialog(CreateDialogIndirectParamW(nullptr, head, nullptr, PlainDialog, 0));
  if (!dialog) return dialog;
  CreateWindowExW(WS_EX_CLIENTEDGE, RICHEDIT_CLASSW, L"", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL,
                  10, 10, 420, 24, dialog.get(),
                  reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kEditId)), nullptr, nullptr);
  return dialog;
}

// The colour of the character at `at`; the control's selection moves there.
COLORREF ColourAt(HWND edit, int at) {
  CHARRANGE one{at, at + 1};
  SendMessageW(edit, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&one));
  CHARFORMAT2W format{};
  format.cbSize = sizeof format;
  SendMessageW(edit, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
  return (format.dwEffects & CFE_AUTOCOLOR) ? GetSysColor(COLOR_WINDOWTEXT) : format.crTextColor;
}

void ShowFor(HWND window, int milliseconds) {
  for (int waited = 0; waited < milliseconds; waited += 10) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    Sleep(10);
  }
  UpdateWindow(window);
}

class BlobTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(richEdit_);
    ASSERT_TRUE(dialog_);
  }
  HWND Edit() const { return GetDlgItem(dialog_.get(), kEditId); }
  void Register(Blob& blob, const wchar_t* reference) {
    const std::wstring name = std::wstring(reference).substr(1, wcslen(reference) - 2);
    blob.mvAddPattern(reference, false, name, name, name);
  }

  UniqueModule richEdit_{LoadLibraryW(L"riched20.dll")};
  UniqueWindow dialog_ = OpenDialog(L"Set variables");
};

TEST_F(BlobTest, BindsTheDialogsRichEditAndRoundTripsItsText) {
  Blob blob(0);
  blob.mvSetText(L"before binding");
  EXPECT_EQ(blob.mroGetCtrl(), 0u);
  blob.mvDDX_Control({reinterpret_cast<std::uintptr_t>(dialog_.get())}, kEditId);
  EXPECT_EQ(blob.ControlId(), kEditId);
  EXPECT_EQ(blob.mroGetCtrl(), reinterpret_cast<std::uintptr_t>(Edit()));

  wchar_t shown[64] = {};
  GetWindowTextW(Edit(), shown, 64);
  EXPECT_STREQ(shown, L"before binding") << "text set before binding was lost";
  blob.mvSetText(L"C:\\Vault\\\x00C4nderung %CurrentConfig%.txt");
  EXPECT_EQ(blob.moGetText(), L"C:\\Vault\\\x00C4nderung %CurrentConfig%.txt");
  SetWindowTextW(Edit(), L"typed by the user");
  EXPECT_EQ(blob.moGetText(), L"typed by the user");

  dialog_.reset();
  EXPECT_EQ(blob.moGetText(), L"typed by the user") << "the text went with the dialog";
  EXPECT_EQ(blob.mroGetCtrl(), 0u);
}

TEST_F(BlobTest, ColoursEveryRegisteredPatternWhenTheTextIsSetOrEdited) {
  Blob blob(0);
  Register(blob, L"%NameOfSelectedFile%");
  blob.mvDDX_Control({reinterpret_cast<std::uintptr_t>(dialog_.get())}, kEditId);
  blob.mvSetText(L"Copy %NameOfSelectedFile% to %Backup% or NameOfSelectedFile");
  const COLORREF plain = GetSysColor(COLOR_WINDOWTEXT);
  EXPECT_EQ(ColourAt(Edit(), 0), plain);
  EXPECT_EQ(ColourAt(Edit(), 5), kPatternColour);
  EXPECT_EQ(ColourAt(Edit(), 24), kPatternColour);
  EXPECT_EQ(ColourAt(Edit(), 25), plain);
  EXPECT_EQ(ColourAt(Edit(), 30), plain) << "%Backup% is not registered yet";
  EXPECT_EQ(ColourAt(Edit(), 45), plain) << "a name without its percent signs";

  Register(blob, L"%Backup%");
  EXPECT_EQ(ColourAt(Edit(), 30), kPatternColour) << "a new pattern colours the text at once";

  // Typing at the end, as the "->" button inserts a reference.
  const int end = GetWindowTextLengthW(Edit());
  CHARRANGE caret{end, end};
  SendMessageW(Edit(), EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&caret));
  SendMessageW(Edit(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L" %Backup%"));
  EXPECT_EQ(ColourAt(Edit(), end + 1), kPatternColour);
  EXPECT_EQ(ColourAt(Edit(), end), plain);

  // Editing a reference away makes it plain again.
  CHARRANGE percent{5, 6};
  SendMessageW(Edit(), EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&percent));
  SendMessageW(Edit(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L""));
  EXPECT_EQ(ColourAt(Edit(), 5), plain);

  ASSERT_EQ(blob.Patterns().size(), 2u);
  EXPECT_EQ(blob.Patterns()[1].name, L"Backup");

  const std::wstring shot = platform::testing::ArtefactPath(L"glyphex-blob.bmp");
  if (!shot.empty()) {
    CHARRANGE none{0, 0};
    SendMessageW(Edit(), EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&none));
    ShowFor(dialog_.get(), 300);
    EXPECT_TRUE(platform::testing::SaveScreenshot(dialog_.get(), shot));
  }
}

TEST_F(BlobTest, TheSelectionStaysWhereTheUserLeftItWhileColouring) {
  Blob blob(0);
  Register(blob, L"%CurrentConfig%");
  blob.mvDDX_Control({reinterpret_cast<std::uintptr_t>(dialog_.get())}, kEditId);
  blob.mvSetText(L"abc");
  CHARRANGE selection{1, 2};
  SendMessageW(Edit(), EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&selection));
  SendMessageW(Edit(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"%CurrentConfig%"));
  CHARRANGE after{};
  SendMessageW(Edit(), EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&after));
  EXPECT_EQ(after.cpMin, 16);
  EXPECT_EQ(after.cpMax, 16);
  EXPECT_EQ(blob.moGetText(), L"a%CurrentConfig%c");
  EXPECT_EQ(ColourAt(Edit(), 1), kPatternColour);
}

// Colouring changes formats, which the control would otherwise keep as steps to undo.
TEST_F(BlobTest, UndoTakesBackTheLastEditNotTheColouring) {
  Blob blob(0);
  Register(blob, L"%Backup%");
  blob.mvDDX_Control({reinterpret_cast<std::uintptr_t>(dialog_.get())}, kEditId);
  blob.mvSetText(L"Copy %Backup%");
  SendMessageW(Edit(), EM_EMPTYUNDOBUFFER, 0, 0);
  CHARRANGE end{13, 13};
  SendMessageW(Edit(), EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&end));
  SendMessageW(Edit(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L" %Backup%"));
  ASSERT_EQ(ColourAt(Edit(), 14), kPatternColour);

  SendMessageW(Edit(), EM_UNDO, 0, 0);
  EXPECT_EQ(blob.moGetText(), L"Copy %Backup%");
  EXPECT_EQ(ColourAt(Edit(), 5), kPatternColour);
  EXPECT_FALSE(SendMessageW(Edit(), EM_CANUNDO, 0, 0)) << "colouring left steps to undo";
}

}  // namespace
}  // namespace vendrel::glyphex
