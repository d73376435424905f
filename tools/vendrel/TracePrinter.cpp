// The live trace, indented by level: notification, run, command, what the command did.
#include "tools/vendrel/TracePrinter.h"

#include <algorithm>

#include "actions/Action.h"
#include "actions/ActionData.h"
#include "commands/core/Cmd.h"
#include "platform/Utf8.h"
#include "tools/vendrel/Trace.h"

namespace vendrel::tools {

using platform::ToUtf8;

void TracePrinter::Print(const std::string& line) {
  out_.write(line.data(), static_cast<std::streamsize>(line.size())).put('\n');
}

void TracePrinter::Notification(const std::string& name, std::int32_t kind, std::size_t items,
                                bool observed) {
  out_ << "  " << name << " (notification " << kind << "), " << items << " item(s)\n";
  if (!observed) out_ << "    the add-in runs inside vendrel.dll; COM shows only its answers\n";
}

void TracePrinter::Answered(std::int32_t status, std::int32_t refresh, std::int32_t veto) {
  out_ << "    answered " << HexCode(status) << ", refresh " << refresh << ", veto " << veto
       << "\n";
}

void TracePrinter::RunStarted(const actions::Action& action, const actions::ActionData& run) {
  quiet_.reset();
  quietUpTo_ = 0;
  const std::size_t count = run.documentNames.size();
  std::string line = "    run \"" + ToUtf8(action.name) + "\" (" + std::to_string(action.actionId) +
                     ") over " + std::to_string(count) + " document(s)";
  const std::size_t shown = allDocuments_ ? count : std::min(count, kDocumentsShown);
  for (std::size_t i = 0; i < shown; ++i) line.append(" ").append(ToUtf8(run.documentNames[i]));
  if (shown < count) line += " and " + std::to_string(count - shown) + " more";
  Print(line);
}

void TracePrinter::RunEnded(bool ran, std::int64_t milliseconds) {
  if (!ran) Print("      refused: the document blocks do not balance");
  if (quietUpTo_ > kDocumentsShown) {
    Print("      documents " + std::to_string(kDocumentsShown + 1) + " to " +
          std::to_string(quietUpTo_) + ": only failures, boxes and dialogs (--full traces all)");
  }
  Print("      took " + std::to_string(milliseconds) + " ms");
}

void TracePrinter::CommandStarted(const commands::Cmd& command, std::size_t index,
                                  const actions::ActionData& run) {
  const actions::Position document = run.currentName;
  if (!allDocuments_ && document && *document >= kDocumentsShown) {
    quiet_ = Quiet{&command, index, false};
    quietUpTo_ = std::max(quietUpTo_, *document + 1);
    return;
  }
  quiet_.reset();
  PrintHeading(command, index);
}

void TracePrinter::PrintHeading(const commands::Cmd& command, std::size_t index) {
  std::string line =
      "      " + std::to_string(index + 1) + ". " + ToUtf8(KindName(command.TypeId()));
  const std::wstring summary = command.Summary();
  if (!summary.empty()) line += ": " + ToUtf8(summary);
  Print(line);
}

void TracePrinter::HeadQuiet() {
  if (!quiet_ || quiet_->headed) return;
  PrintHeading(*quiet_->command, quiet_->index);
  quiet_->headed = true;
}

void TracePrinter::CommandEnded(bool failed) {
  if (failed) {
    HeadQuiet();
    Print("        (reported a failure)");
  }
  quiet_.reset();
}

void TracePrinter::Detail(const std::string& line) {
  if (!quiet_) Print("        " + line);
}

void TracePrinter::Shown(const std::string& line, bool inCommand) {
  HeadQuiet();
  Print(std::string(inCommand ? "        " : "  ") + line);
}

}  // namespace vendrel::tools
