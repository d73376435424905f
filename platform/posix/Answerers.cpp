// The terminal, scripted and recording answerers of message boxes.
#include "platform/posix/Answerers.h"

#include <algorithm>
#include <istream>
#include <ostream>

#include "platform/Utf8.h"

namespace vendrel::platform {
namespace {

std::string_view Trim(std::string_view s) {
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
  while (!s.empty() && blank(s.front())) s.remove_prefix(1);
  while (!s.empty() && blank(s.back())) s.remove_suffix(1);
  return s;
}

bool SameLetters(std::string_view a, std::string_view b) {
  const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
  return std::ranges::equal(a, b, [&](char x, char y) { return lower(x) == lower(y); });
}

std::string_view IconTag(std::uint32_t style) {
  switch (style & mb::kIconMask) {
    case mb::kIconError:
      return " (error)";
    case mb::kIconQuestion:
      return " (question)";
    case mb::kIconExclamation:
      return " (warning)";
    case mb::kIconInformation:
      return " (information)";
    default:
      return "";
  }
}

// Line breaks of the box's text (CR LF, CR or LF) as the terminal's own.
std::string TerminalText(const std::wstring& text) {
  std::string out;
  const std::string utf8 = ToUtf8(text);
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    if (utf8[i] == '\r') {
      out.push_back('\n');
      if (i + 1 < utf8.size() && utf8[i + 1] == '\n') ++i;
    } else {
      out.push_back(utf8[i]);
    }
  }
  return out;
}

// Caption and first line of text, enough to find the box in a script's notes.
std::string Describe(const MessageBoxRequest& box) {
  const std::string text = TerminalText(box.text);
  std::string out = "\"";
  out += ToUtf8(box.caption);
  out += ": ";
  out.append(text, 0, text.find('\n'));
  out += '"';
  return out;
}

std::string ButtonList(const std::vector<Answer>& buttons, std::string_view separator) {
  std::string out;
  for (Answer b : buttons) {
    if (!out.empty()) out += separator;
    out += ButtonName(b);
  }
  return out;
}

}  // namespace

// Other button sets (abort, retry, ignore), which nothing here uses, show OK.
std::vector<Answer> Buttons(std::uint32_t style) {
  switch (style & mb::kButtonMask) {
    case mb::kOkCancel:
      return {Answer::kOk, Answer::kCancel};
    case mb::kYesNoCancel:
      return {Answer::kYes, Answer::kNo, Answer::kCancel};
    case mb::kYesNo:
      return {Answer::kYes, Answer::kNo};
    default:
      return {Answer::kOk};
  }
}

Answer DismissAnswer(std::uint32_t style) {
  const std::vector<Answer> buttons = Buttons(style);
  if (std::ranges::find(buttons, Answer::kCancel) != buttons.end()) return Answer::kCancel;
  if (std::ranges::find(buttons, Answer::kNo) != buttons.end()) return Answer::kNo;
  return Answer::kOk;
}

std::string_view ButtonName(Answer answer) {
  switch (answer) {
    case Answer::kOk:
      return "OK";
    case Answer::kCancel:
      return "Cancel";
    case Answer::kYes:
      return "Yes";
    case Answer::kNo:
      return "No";
  }
  return "?";
}

std::optional<Answer> ParseChoice(std::string_view choice, std::uint32_t style) {
  choice = Trim(choice);
  if (choice.empty()) return std::nullopt;
  for (Answer b : Buttons(style)) {
    const std::string_view name = ButtonName(b);
    if (SameLetters(choice, name) || SameLetters(choice, name.substr(0, 1))) return b;
  }
  return std::nullopt;
}

Answer TerminalAnswerer::Reply(const MessageBoxRequest& box) {
  const std::vector<Answer> buttons = Buttons(box.style);
  out_ << "\n-- " << ToUtf8(box.caption) << IconTag(box.style) << " --\n"
       << TerminalText(box.text) << '\n';
  for (;;) {
    out_ << '[' << ButtonList(buttons, "] [") << "] > " << std::flush;
    std::string line;
    if (!std::getline(in_, line)) {
      out_ << '\n';
      return DismissAnswer(box.style);
    }
    if (Trim(line).empty()) return buttons.front();
    if (const auto answer = ParseChoice(line, box.style)) return *answer;
    out_ << "Please answer " << ButtonList(buttons, " or ") << ".\n";
  }
}

std::optional<std::string> AnswerScript::Next() {
  while (next_ < lines_.size()) {
    const std::string_view line = Trim(lines_[next_++]);
    if (!line.empty() && line.front() != '#') return std::string(line);
  }
  return std::nullopt;
}

Answer ScriptedAnswerer::Reply(const MessageBoxRequest& box) {
  const Answer dismissed = DismissAnswer(box.style);
  if (const std::optional<std::string> line = script_.Next()) {
    if (const auto answer = ParseChoice(*line, box.style)) return *answer;
    notes_ << "scripted answer \"" << *line << "\" names no button of the box " << Describe(box)
           << "; answered " << ButtonName(dismissed) << '\n';
    return dismissed;
  }
  notes_ << "no scripted answer left for the box " << Describe(box) << "; answered "
         << ButtonName(dismissed) << '\n';
  return dismissed;
}

Answer RecordingAnswerer::Reply(const MessageBoxRequest& box) {
  boxes_.push_back(box);
  if (queued_.empty()) return DismissAnswer(box.style);
  const Answer answer = queued_.front();
  queued_.pop_front();
  return answer;
}

}  // namespace vendrel::platform
