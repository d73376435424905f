// Answer lines applied to the dialogs of actions.
#include "tools/vendrel/DialogAnswers.h"

#include <array>

#include "commands/prompts/CRunComboBoxDlgRes.h"
#include "commands/prompts/CRunEditBoxDlgRes.h"
#include "commands/system/CRunWaitDlgRes.h"
#include "platform/Utf8.h"

namespace vendrel::tools {
namespace {

// The dialogs whose one answer a plain line gives.
struct PlainAnswer {
  std::int32_t templateId;
  std::int32_t prompt;
  std::int32_t answer;
  bool chosen;  // a drop-down list: the line names an entry
};

constexpr std::array<PlainAnswer, 2> kPlainAnswers{{
    {IDD_RUN_EDIT_BOX, IDC_RUN_EDIT_BOX_PROMPT, IDC_RUN_EDIT_BOX_ANSWER, false},
    {IDD_RUN_COMBO_BOX, IDC_RUN_COMBO_BOX_PROMPT, IDC_RUN_COMBO_BOX_CHOICES, true},
}};

const PlainAnswer* PlainAnswerOf(const platform::ScriptedSurface& surface) {
  for (const PlainAnswer& plain : kPlainAnswers) {
    if (plain.templateId == surface.TemplateId()) return &plain;
  }
  return nullptr;
}

// Applies one line; false when the dialog cannot take it.
bool Apply(platform::ScriptedSurface& surface, const std::wstring& line) {
  if (line.empty()) return surface.Ok();
  const PlainAnswer* plain = PlainAnswerOf(surface);
  if (!plain || platform::IsAnswerStep(line)) return platform::ApplyAnswerLine(surface, line);
  const bool taken =
      plain->chosen ? surface.Choose(plain->answer, line) : surface.Type(plain->answer, line);
  return taken && surface.Ok();
}

}  // namespace

std::string DescribeDialog(const platform::ScriptedSurface& surface) {
  if (surface.TemplateId() == IDD_RUN_WAIT) {
    return "waiting \"" + platform::ToUtf8(surface.Text(IDC_RUN_WAIT_TEXT)) + "\"";
  }
  const PlainAnswer* plain = PlainAnswerOf(surface);
  if (!plain) {
    std::string out = "dialog " + std::to_string(surface.TemplateId());
    if (!surface.Caption().empty()) out += " \"" + platform::ToUtf8(surface.Caption()) + "\"";
    return out;
  }
  // Appended rather than `"\"" + text`, which mingw's g++ 12 flags with a false -Wrestrict.
  std::string out(1, '"');
  out += platform::ToUtf8(surface.Text(plain->prompt)) + "\"";
  if (plain->chosen) {
    const char* separator = " choices: ";
    for (const std::wstring& item : surface.Items(plain->answer)) {
      out += separator + platform::ToUtf8(item);
      separator = " | ";
    }
  }
  return out;
}

platform::ScriptedDialogRunner::Script DialogAnswers::Waiting(WaitingLine next) {
  return [this, next = std::move(next), first = true](platform::ScriptedSurface& surface) mutable {
    const std::string asked = DescribeDialog(surface);
    const std::optional<std::string> line = next ? next(asked, first) : std::nullopt;
    first = false;
    if (!line) return;
    const std::string step = line->empty() ? "cancel" : *line;
    if (platform::ApplyAnswerLine(surface, platform::FromUtf8(step))) {
      trace_.Dialog(asked, step);
    } else {
      ++misfits_;
      notes_ << "answer \"" << *line << "\" does not fit the " << asked << "; ignored\n";
    }
  };
}

void DialogAnswers::Answer(platform::ScriptedSurface& surface) {
  const std::string asked = DescribeDialog(surface);
  while (!surface.Result()) {
    const std::optional<std::string> line = next_ ? next_(asked) : std::nullopt;
    if (!line) {
      notes_ << "no answer for the " << asked << "; cancelled\n";
      trace_.Dialog(asked, "cancelled (no answer)");
      return;
    }
    if (Apply(surface, platform::FromUtf8(*line))) {
      trace_.Dialog(asked, line->empty() ? "ok" : *line);
      continue;
    }
    if (retry_) {
      notes_ << "\"" << *line << "\" does not fit this dialog; try again\n";
      continue;
    }
    ++misfits_;
    notes_ << "answer \"" << *line << "\" does not fit the " << asked << "; cancelled\n";
    trace_.Dialog(asked, "cancelled (answer does not fit)");
    return;
  }
}

}  // namespace vendrel::tools
