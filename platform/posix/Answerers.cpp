// The terminal, scripted and recording answerers of message boxes.
#include "platform/posix/Answerers.h"

#include <algorithm>
#include <istream>
#include <ostream>
#include <string>

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
template <class Box>
std::string Describe(const Box& box) {
  const std::string text = TerminalText(box.text);
  std::string out = "\"";
  out += ToUtf8(box.caption);
  out += ": ";
  out.append(text, 0, text.find('\n'));
  out += '"';
  return out;
}

std::string ButtonList(const std::vector<std::string>& names, std::string_view separator) {
  std::string out;
  for (const std::string& name : names) {
    if (!out.empty()) out += separator;
    out += name;
  }
  return out;
}

// What dismissing a button box gives; 0 for a box without buttons.
std::int32_t FirstNumber(const ButtonBoxRequest& box) {
  return box.buttons.empty() ? 0 : box.buttons.front().number;
}

std::vector<std::string> Names(const std::vector<Answer>& buttons) {
  std::vector<std::string> names;
  for (Answer b : buttons) names.emplace_back(ButtonName(b));
  return names;
}

std::vector<std::string> Names(const std::vector<BoxButton>& buttons) {
  std::vector<std::string> names;
  for (const BoxButton& b : buttons) names.push_back(ToUtf8(b.text));
  return names;
}

// A box on the terminal, asked until `parse` takes a line: an empty line gives `first`, the end
// of the input `dismissed`.
template <class Result, class Parse>
Result Ask(std::istream& in, std::ostream& out, const std::string& heading,
           const std::wstring& text, const std::vector<std::string>& names, Result first,
           Result dismissed, Parse parse) {
  out << "\n-- " << heading << " --\n" << TerminalText(text) << '\n';
  for (;;) {
    out << '[' << ButtonList(names, "] [") << "] > " << std::flush;
    std::string line;
    if (!std::getline(in, line)) {
      out << '\n';
      return dismissed;
    }
    if (Trim(line).empty()) return first;
    if (const auto answer = parse(line)) return *answer;
    out << "Please answer " << ButtonList(names, " or ") << ".\n";
  }
}

// The answer a script's line gives through `parse`; a missing line or one that `parse` refuses
// gives `dismissed` and a note naming `box`.
template <class Result, class Parse>
Result FromScript(AnswerScript& script, const std::string& box, Result dismissed,
                  std::string_view dismissedName, std::ostream& notes, Parse parse) {
  const std::optional<std::string> line = script.Next();
  if (!line) {
    notes << "no scripted answer left for the box " << box << "; answered " << dismissedName
          << '\n';
    return dismissed;
  }
  if (const auto answer = parse(*line)) return *answer;
  script.Misfit();
  notes << "scripted answer \"" << *line << "\" names no button of the box " << box << "; answered "
        << dismissedName << '\n';
  return dismissed;
}

std::string FileDialogName(const FileDialogRequest& dialog) {
  return dialog.kind == FileDialogKind::kSave ? "\"Save As\" dialog" : "\"Open\" dialog";
}

// The descriptions of the filter, every other part of it.
std::string FilterText(const std::wstring& filter) {
  std::string out;
  std::size_t start = 0;
  for (bool description = true; start < filter.size(); description = !description) {
    const std::size_t bar = std::min(filter.find(L'|', start), filter.size());
    if (description && bar > start) {
      if (!out.empty()) out += ", ";
      out += ToUtf8(filter.substr(start, bar - start));
    }
    start = bar + 1;
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

std::optional<std::int32_t> ParseButton(std::string_view choice,
                                        const std::vector<BoxButton>& buttons) {
  choice = Trim(choice);
  if (choice.empty()) return std::nullopt;
  for (const BoxButton& b : buttons) {
    if (SameLetters(choice, ToUtf8(b.text)) || choice == std::to_string(b.number)) return b.number;
  }
  return std::nullopt;
}

Answer TerminalAnswerer::Reply(const MessageBoxRequest& box) {
  const std::vector<Answer> buttons = Buttons(box.style);
  return Ask(in_, out_, ToUtf8(box.caption) + std::string(IconTag(box.style)), box.text,
             Names(buttons), buttons.front(), DismissAnswer(box.style),
             [&](std::string_view line) { return ParseChoice(line, box.style); });
}

std::int32_t TerminalAnswerer::Press(const ButtonBoxRequest& box) {
  const std::int32_t first = FirstNumber(box);
  if (box.buttons.empty()) return first;
  return Ask(in_, out_, ToUtf8(box.caption), box.text, Names(box.buttons), first, first,
             [&](std::string_view line) { return ParseButton(line, box.buttons); });
}

std::optional<std::wstring> ParseFileAnswer(std::string_view line) {
  line = Trim(line);
  if (line.size() < 5 || !SameLetters(line.substr(0, 5), "file ")) return std::nullopt;
  const std::string_view path = Trim(line.substr(5));
  if (path.empty()) return std::nullopt;
  return FromUtf8(std::string(path));
}

std::optional<std::wstring> TerminalAnswerer::ChooseFile(const FileDialogRequest& dialog) {
  out_ << "\n-- " << FileDialogName(dialog) << " --\n";
  if (!dialog.filter.empty()) out_ << "Files: " << FilterText(dialog.filter) << '\n';
  out_ << "[path, or nothing to cancel] > " << std::flush;
  std::string line;
  if (!std::getline(in_, line)) {
    out_ << '\n';
    return std::nullopt;
  }
  if (Trim(line).empty()) return std::nullopt;
  if (auto path = ParseFileAnswer(line)) return path;
  return FromUtf8(std::string(Trim(line)));
}

std::optional<std::string> AnswerScript::Next() {
  while (next_ < lines_.size()) {
    const std::string_view line = Trim(lines_[next_++]);
    if (!line.empty() && line.front() != '#') return std::string(line);
  }
  ++misfits_;
  return std::nullopt;
}

std::optional<std::string> AnswerScript::Peek() {
  const std::size_t at = next_;
  const std::size_t misfits = misfits_;
  std::optional<std::string> line = Next();
  next_ = at;
  misfits_ = misfits;
  return line;
}

Answer ScriptedAnswerer::Reply(const MessageBoxRequest& box) {
  const Answer dismissed = DismissAnswer(box.style);
  return FromScript(script_, Describe(box), dismissed, ButtonName(dismissed), notes_,
                    [&](std::string_view line) { return ParseChoice(line, box.style); });
}

std::int32_t ScriptedAnswerer::Press(const ButtonBoxRequest& box) {
  const std::string first = box.buttons.empty() ? "nothing" : ToUtf8(box.buttons.front().text);
  return FromScript(script_, Describe(box), FirstNumber(box), first, notes_,
                    [&](std::string_view line) { return ParseButton(line, box.buttons); });
}

std::optional<std::wstring> ScriptedAnswerer::ChooseFile(const FileDialogRequest& dialog) {
  const std::optional<std::string> line = script_.Next();
  if (!line) {
    notes_ << "no scripted answer left for the " << FileDialogName(dialog) << "; cancelled\n";
    return std::nullopt;
  }
  if (SameLetters(Trim(*line), "cancel")) return std::nullopt;
  if (auto path = ParseFileAnswer(*line)) return path;
  script_.Misfit();
  notes_ << "scripted answer \"" << *line << "\" is no \"file PATH\" for the "
         << FileDialogName(dialog) << "; cancelled\n";
  return std::nullopt;
}

Answer RecordingAnswerer::Reply(const MessageBoxRequest& box) {
  boxes_.push_back(box);
  if (queued_.empty()) return DismissAnswer(box.style);
  const Answer answer = queued_.front();
  queued_.pop_front();
  return answer;
}

std::int32_t RecordingAnswerer::Press(const ButtonBoxRequest& box) {
  buttonBoxes_.push_back(box);
  if (queuedNumbers_.empty()) return FirstNumber(box);
  const std::int32_t number = queuedNumbers_.front();
  queuedNumbers_.pop_front();
  return number;
}

std::optional<std::wstring> RecordingAnswerer::ChooseFile(const FileDialogRequest& dialog) {
  fileDialogs_.push_back(dialog);
  if (queuedFiles_.empty()) return std::nullopt;
  std::optional<std::wstring> path = std::move(queuedFiles_.front());
  queuedFiles_.pop_front();
  return path;
}

}  // namespace vendrel::platform
