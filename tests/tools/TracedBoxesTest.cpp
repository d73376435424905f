// The reference host's boxes: answered from the script and shown in the trace.
#include <gtest/gtest.h>

#include <sstream>

#include "tools/vendrel/Host.h"

namespace vendrel::tools {
namespace {

TEST(TracedBoxes, ButtonBoxesTakeTheirButtonFromTheScriptAndShowItInTheTrace) {
  platform::AnswerScript script({"OK to All", "Yes"});
  std::ostringstream notes, live;
  platform::ScriptedAnswerer answerer(script, notes);
  Trace trace(&live);
  TracedMessageBoxes boxes(answerer, trace);

  platform::ButtonBoxRequest warning;
  warning.caption = L"Card";
  warning.text = L"Value too long\nCut to 20 characters";
  warning.buttons = {{L"OK", 1}, {L"OK to All", 101}};
  EXPECT_EQ(boxes.Show(warning), 101);
  platform::MessageBoxRequest question;
  question.caption = L"Vendrel";
  question.text = L"Go on?";
  question.style = platform::mb::kYesNo;
  EXPECT_EQ(boxes.Show(question), platform::Answer::kYes);

  EXPECT_EQ(live.str(),
            "  message [Card] Value too long / Cut to 20 characters -> OK to All\n"
            "  message [Vendrel] Go on? -> Yes\n");
  EXPECT_EQ(notes.str(), "");
}

}  // namespace
}  // namespace vendrel::tools
