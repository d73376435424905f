// The answer file, the terminal, or nobody.
#include "tools/vendrel/Answers.h"

#include <istream>
#include <ostream>
#include <sstream>
#include <vector>

#include "platform/ScriptedDialogs.h"
#include "platform/Utf8.h"
#include "tools/vendrel/Files.h"
#include "tools/vendrel/Platform.h"

namespace vendrel::tools {

Answers::Answers(const Options& options, Console& console) : notes_(console.err) {
  if (options.answers) {
    const Bytes bytes = ReadBytes(*options.answers);
    std::istringstream in(std::string(bytes.begin(), bytes.end()));
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    // Editors may begin the file with a byte-order mark.
    if (!lines.empty() && lines.front().starts_with("\xEF\xBB\xBF")) lines.front().erase(0, 3);
    fromFile_ = true;
    script_.emplace(std::move(lines));
    boxes_ = std::make_unique<platform::ScriptedAnswerer>(*script_, notes_);
  } else if (console.interactive) {
    // JSON output keeps the conversation off the standard output.
    in_ = &console.in;
    prompts_ = options.json ? &console.err : &console.out;
    boxes_ = std::make_unique<platform::TerminalAnswerer>(*in_, *prompts_);
  } else {
    script_.emplace(std::vector<std::string>());
    boxes_ = std::make_unique<platform::ScriptedAnswerer>(*script_, notes_);
  }
}

Answers::Answers(std::vector<std::string> lines, std::ostream& notes)
    : script_(std::move(lines)), notes_(notes) {
  boxes_ = std::make_unique<platform::ScriptedAnswerer>(*script_, notes_);
}

std::optional<std::string> Answers::DialogLine(const std::string& asked,
                                               const std::string& controls) {
  if (script_) return script_->Next();
  *prompts_ << "\n-- " << asked << " --\n" << controls << "> " << std::flush;
  std::string line;
  if (!std::getline(*in_, line)) {
    *prompts_ << '\n';
    return std::nullopt;
  }
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return line;
}

std::optional<std::string> Answers::WaitingLine(const std::string& asked, bool first) {
  if (deadline_ && std::chrono::steady_clock::now() >= *deadline_) {
    waitCancelled_ = true;
    return "cancel";
  }
  if (script_) {
    const std::optional<std::string> next = script_->Peek();
    if (!next || !platform::IsAnswerStep(platform::FromUtf8(*next))) return std::nullopt;
    return script_->Next();
  }
  if (first) *prompts_ << "\n-- " << asked << " --\n(Enter cancels)\n" << std::flush;
  if (!InputIsWaiting()) return std::nullopt;
  std::string line;
  if (!std::getline(*in_, line)) return std::nullopt;
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return line;
}

}  // namespace vendrel::tools
