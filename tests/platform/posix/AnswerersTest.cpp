// Message boxes of the native build: how the terminal, a script and a test answer them.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sstream>

#include "platform/posix/Answerers.h"
#include "platform/posix/Ui.h"

namespace vendrel::platform {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

MessageBoxRequest Box(std::uint32_t style, std::wstring text = L"Replace the file?") {
  return {.owner = 0x1234, .text = std::move(text), .caption = L"Vendrel", .style = style};
}

TEST(MessageBoxButtons, FollowTheStyleWhateverTheIcon) {
  EXPECT_THAT(Buttons(mb::kOk | mb::kIconExclamation), ElementsAre(Answer::kOk));
  EXPECT_THAT(Buttons(mb::kOkCancel), ElementsAre(Answer::kOk, Answer::kCancel));
  EXPECT_THAT(Buttons(mb::kYesNoCancel | mb::kIconQuestion),
              ElementsAre(Answer::kYes, Answer::kNo, Answer::kCancel));
  EXPECT_THAT(Buttons(mb::kYesNo | mb::kIconError), ElementsAre(Answer::kYes, Answer::kNo));
}

TEST(MessageBoxButtons, DismissingGivesCancelOrElseTheOnlySafeButton) {
  EXPECT_EQ(DismissAnswer(mb::kOk | mb::kIconInformation), Answer::kOk);
  EXPECT_EQ(DismissAnswer(mb::kOkCancel), Answer::kCancel);
  EXPECT_EQ(DismissAnswer(mb::kYesNoCancel), Answer::kCancel);
  EXPECT_EQ(DismissAnswer(mb::kYesNo | mb::kIconQuestion), Answer::kNo);
}

TEST(MessageBoxButtons, AChoiceNamesAButtonOfTheBoxByNameOrInitial) {
  EXPECT_EQ(ParseChoice("Yes", mb::kYesNo), Answer::kYes);
  EXPECT_EQ(ParseChoice("  cAnCeL\r", mb::kOkCancel), Answer::kCancel);
  EXPECT_EQ(ParseChoice("n", mb::kYesNoCancel), Answer::kNo);
  EXPECT_EQ(ParseChoice("O", mb::kOk), Answer::kOk);
  EXPECT_EQ(ParseChoice("Yes", mb::kOkCancel), std::nullopt);
  EXPECT_EQ(ParseChoice("Cancel", mb::kYesNo), std::nullopt);
  EXPECT_EQ(ParseChoice("Yess", mb::kYesNo), std::nullopt);
  EXPECT_EQ(ParseChoice("", mb::kOk), std::nullopt);
}

TEST(TerminalAnswerer, ShowsTheBoxAsItReadsAndTakesTheTypedButton) {
  std::istringstream in("no\n");
  std::ostringstream out;
  TerminalAnswerer terminal(in, out);
  EXPECT_EQ(terminal.Reply(Box(mb::kYesNoCancel | mb::kIconQuestion,
                               L"Copy \x00C4nderung.txt?\r\nIt exists.")),
            Answer::kNo);
  EXPECT_EQ(out.str(),
            "\n-- Vendrel (question) --\n"
            "Copy \xC3\x84nderung.txt?\nIt exists.\n"
            "[Yes] [No] [Cancel] > ");
}

TEST(TerminalAnswerer, AsksAgainUntilTheAnswerFitsTheBox) {
  std::istringstream in("maybe\nyes\nok\n");
  std::ostringstream out;
  TerminalAnswerer terminal(in, out);
  EXPECT_EQ(terminal.Reply(Box(mb::kOkCancel)), Answer::kOk);
  EXPECT_THAT(out.str(), HasSubstr("Please answer OK or Cancel.\n"));
  std::string rest;
  EXPECT_FALSE(std::getline(in, rest)) << "read past the fitting answer";
}

TEST(TerminalAnswerer, EnterPressesTheFirstButtonAndEndOfInputDismisses) {
  std::istringstream in("\n");
  std::ostringstream out;
  TerminalAnswerer terminal(in, out);
  EXPECT_EQ(terminal.Reply(Box(mb::kYesNo)), Answer::kYes);
  EXPECT_EQ(terminal.Reply(Box(mb::kYesNoCancel)), Answer::kCancel);
  EXPECT_EQ(terminal.Reply(Box(mb::kOk)), Answer::kOk);
}

TEST(ScriptedAnswerer, AnswersInTurnSkippingBlankAndCommentLines) {
  std::ostringstream notes;
  AnswerScript lines({"# copy step", "No", "", "  cancel", "OK"});
  ScriptedAnswerer script(lines, notes);
  EXPECT_EQ(script.Reply(Box(mb::kYesNo)), Answer::kNo);
  EXPECT_EQ(script.Reply(Box(mb::kYesNoCancel)), Answer::kCancel);
  EXPECT_EQ(script.Reply(Box(mb::kOk)), Answer::kOk);
  EXPECT_EQ(notes.str(), "");
}

TEST(ScriptedAnswerer, ALineThatFitsNoButtonIsUsedUpAndTheBoxDismissed) {
  std::ostringstream notes;
  AnswerScript lines({"Yes", "Yes"});
  ScriptedAnswerer script(lines, notes);
  EXPECT_EQ(script.Reply(Box(mb::kOkCancel, L"Go on?")), Answer::kCancel);
  EXPECT_EQ(notes.str(),
            "scripted answer \"Yes\" names no button of the box \"Vendrel: Go on?\"; "
            "answered Cancel\n");
  EXPECT_EQ(script.Reply(Box(mb::kYesNo)), Answer::kYes);
}

TEST(ScriptedAnswerer, BoxesAfterTheEndAreDismissedWithANoteNamingEach) {
  std::ostringstream notes;
  AnswerScript lines({"OK"});
  ScriptedAnswerer script(lines, notes);
  EXPECT_EQ(script.Reply(Box(mb::kOk)), Answer::kOk);
  EXPECT_EQ(script.Reply(Box(mb::kOk, L"Copied.\r\nDetails")), Answer::kOk);
  EXPECT_EQ(script.Reply(Box(mb::kYesNo, L"Check in?")), Answer::kNo);
  EXPECT_EQ(notes.str(),
            "no scripted answer left for the box \"Vendrel: Copied.\"; answered OK\n"
            "no scripted answer left for the box \"Vendrel: Check in?\"; answered No\n");
}

TEST(RecordingAnswerer, KeepsEachBoxAndGivesTheQueuedAnswersThenDismisses) {
  RecordingAnswerer recorder;
  recorder.Queue(Answer::kYes);
  recorder.Queue(Answer::kCancel);
  AnsweredMessageBoxes boxes(recorder);
  EXPECT_EQ(boxes.Show(Box(mb::kYesNo | mb::kIconQuestion, L"one")), Answer::kYes);
  EXPECT_EQ(boxes.Show(Box(mb::kOkCancel, L"two")), Answer::kCancel);
  EXPECT_EQ(boxes.Show(Box(mb::kYesNoCancel, L"three")), Answer::kCancel);
  ASSERT_EQ(recorder.Boxes().size(), 3u);
  const MessageBoxRequest& first = recorder.Boxes()[0];
  EXPECT_EQ(first.owner, 0x1234u);
  EXPECT_EQ(first.text, L"one");
  EXPECT_EQ(first.caption, L"Vendrel");
  EXPECT_EQ(first.style, mb::kYesNo | mb::kIconQuestion);
  EXPECT_EQ(recorder.Boxes()[2].text, L"three");
}

TEST(AnsweredMessageBoxes, LaterBoxesGoToTheAnswererInstalledLast) {
  RecordingAnswerer first, second;
  AnsweredMessageBoxes boxes(first);
  boxes.Show(Box(mb::kOk, L"a"));
  boxes.Install(second);
  boxes.Show(Box(mb::kOk, L"b"));
  ASSERT_EQ(first.Boxes().size(), 1u);
  EXPECT_EQ(first.Boxes()[0].text, L"a");
  ASSERT_EQ(second.Boxes().size(), 1u);
  EXPECT_EQ(second.Boxes()[0].text, L"b");
}

// The silenceable warning: "OK" and "OK to All" (101).
ButtonBoxRequest Warning(std::wstring text = L"Check out a.txt first.") {
  return {.owner = 0x1234,
          .text = std::move(text),
          .caption = L"Vendrel",
          .icon = 243,
          .buttons = {{L"OK", 1}, {L"OK to All", 101}}};
}

TEST(ButtonBoxButtons, AChoiceNamesAButtonByItsWholeTextInAnyCaseOrByItsNumber) {
  const auto buttons = Warning().buttons;
  EXPECT_EQ(ParseButton(" ok to all\r", buttons), 101);
  EXPECT_EQ(ParseButton("OK", buttons), 1);
  EXPECT_EQ(ParseButton("101", buttons), 101);
  EXPECT_EQ(ParseButton("O", buttons), std::nullopt) << "initials are ambiguous here";
  EXPECT_EQ(ParseButton("OK to", buttons), std::nullopt);
  EXPECT_EQ(ParseButton("2", buttons), std::nullopt);
  EXPECT_EQ(ParseButton("", buttons), std::nullopt);
}

TEST(TerminalAnswerer, ShowsAButtonBoxWithItsOwnButtonsAndTakesTheNamedOne) {
  std::istringstream in("all\nok to all\n\n");
  std::ostringstream out;
  TerminalAnswerer terminal(in, out);
  EXPECT_EQ(terminal.Press(Warning(L"Cannot set\r\nthe variable.")), 101);
  EXPECT_EQ(out.str(),
            "\n-- Vendrel --\nCannot set\nthe variable.\n"
            "[OK] [OK to All] > Please answer OK or OK to All.\n"
            "[OK] [OK to All] > ");
  EXPECT_EQ(terminal.Press(Warning()), 1) << "Enter presses the first button";
  EXPECT_EQ(terminal.Press(Warning()), 1) << "the end of input closes the box";
}

TEST(ScriptedAnswerer, PressesButtonBoxesByTextAndNotesLinesThatNameNoButton) {
  std::ostringstream notes;
  AnswerScript lines({"# warnings", "OK to All", "Yes"});
  ScriptedAnswerer script(lines, notes);
  EXPECT_EQ(script.Press(Warning()), 101);
  EXPECT_EQ(script.Press(Warning()), 1);
  EXPECT_EQ(script.Press(Warning(L"Last")), 1);
  EXPECT_EQ(notes.str(),
            "scripted answer \"Yes\" names no button of the box \"Vendrel: Check out a.txt "
            "first.\"; answered OK\n"
            "no scripted answer left for the box \"Vendrel: Last\"; answered OK\n");
}

TEST(AnsweredButtonBoxes, GoToTheAnswererWhichKeepsThemAndGivesTheQueuedNumbers) {
  RecordingAnswerer recorder;
  recorder.QueueNumber(101);
  recorder.Queue(Answer::kNo);
  AnsweredButtonBoxes boxes(recorder);
  EXPECT_EQ(boxes.Show(Warning(L"one")), 101);
  EXPECT_EQ(boxes.Show(Warning(L"two")), 1);
  ASSERT_EQ(recorder.ButtonBoxes().size(), 2u);
  EXPECT_EQ(recorder.ButtonBoxes()[0].icon, 243);
  EXPECT_EQ(recorder.ButtonBoxes()[1].text, L"two");
  EXPECT_TRUE(recorder.Boxes().empty());
  EXPECT_EQ(AnsweredMessageBoxes(recorder).Show(Box(mb::kYesNo)), Answer::kNo)
      << "the plain boxes' queue is their own";
}

TEST(NestingWaitCursor, CountsNestedScopesUntilEachEnds) {
  NestingWaitCursor cursor;
  {
    auto outer = cursor.Begin();
    EXPECT_EQ(cursor.Depth(), 1);
    {
      auto inner = outer->Begin();
      auto again = cursor.Begin();
      EXPECT_EQ(cursor.Depth(), 3);
    }
    EXPECT_EQ(cursor.Depth(), 1);
  }
  EXPECT_EQ(cursor.Depth(), 0);
}

FileDialogRequest OpenTemplate() {
  return {.kind = FileDialogKind::kOpen,
          .owner = 0x1234,
          .filter = L"All files (*.*)|*.*||",
          .defaultExtension = L"acn",
          .fileName = L"",
          .flags = ofn::kFileMustExist | ofn::kHideReadOnly};
}

TEST(FileDialogAnswers, AScriptGivesAPathOrCancelsAndNotesWhatIsNoPath) {
  std::ostringstream notes;
  AnswerScript lines({"file  C:\\Templates\\param.tpl ", "CANCEL", "Yes", "file"});
  ScriptedAnswerer script(lines, notes);
  EXPECT_EQ(script.ChooseFile(OpenTemplate()), L"C:\\Templates\\param.tpl");
  EXPECT_EQ(script.ChooseFile(OpenTemplate()), std::nullopt);
  EXPECT_EQ(script.ChooseFile(OpenTemplate()), std::nullopt);
  EXPECT_EQ(script.ChooseFile(OpenTemplate()), std::nullopt) << "a file line needs a path";
  EXPECT_EQ(script.ChooseFile(OpenTemplate()), std::nullopt);
  EXPECT_EQ(notes.str(),
            "scripted answer \"Yes\" is no \"file PATH\" for the \"Open\" dialog; cancelled\n"
            "scripted answer \"file\" is no \"file PATH\" for the \"Open\" dialog; cancelled\n"
            "no scripted answer left for the \"Open\" dialog; cancelled\n");
}

TEST(FileDialogAnswers, TheTerminalTakesATypedPathAndAnEmptyLineCancels) {
  std::istringstream in("C:\\Out\\p.txt\n\nfile D:\\x.acn\n");
  std::ostringstream out;
  TerminalAnswerer terminal(in, out);
  FileDialogRequest save = OpenTemplate();
  save.kind = FileDialogKind::kSave;
  save.filter = L"Vendrel Actions (*.acn)|*.acn|All Files (*.*)|*.*||";
  EXPECT_EQ(terminal.ChooseFile(save), L"C:\\Out\\p.txt");
  EXPECT_EQ(out.str(),
            "\n-- \"Save As\" dialog --\nFiles: Vendrel Actions (*.acn), All Files (*.*)\n"
            "[path, or nothing to cancel] > ");
  EXPECT_EQ(terminal.ChooseFile(save), std::nullopt);
  EXPECT_EQ(terminal.ChooseFile(save), L"D:\\x.acn");
  EXPECT_EQ(terminal.ChooseFile(save), std::nullopt) << "the end of input cancels";
}

TEST(FileDialogAnswers, AnsweredDialogsGoToTheAnswererWhichKeepsThem) {
  RecordingAnswerer recorder;
  recorder.QueueFile(L"C:\\a.txt");
  recorder.QueueFile(std::nullopt);
  AnsweredFileDialogs dialogs(recorder);
  EXPECT_EQ(dialogs.Choose(OpenTemplate()), L"C:\\a.txt");
  EXPECT_EQ(dialogs.Choose(OpenTemplate()), std::nullopt);
  EXPECT_EQ(dialogs.Choose(OpenTemplate()), std::nullopt);
  ASSERT_EQ(recorder.FileDialogs().size(), 3u);
  EXPECT_EQ(recorder.FileDialogs()[0].flags, 0x1004u);
}

}  // namespace
}  // namespace vendrel::platform
