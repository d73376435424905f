// Answer lines applied to the dialogs of actions.
#include "tools/vendrel/DialogAnswers.h"

#include <algorithm>
#include <array>
#include <sstream>

#include "commands/prompts/CRunComboBoxDlgRes.h"
#include "commands/prompts/CRunEditBoxDlgRes.h"
#include "commands/system/CRunWaitDlgRes.h"
#include "platform/Utf8.h"
#include "tools/vendrel/DialogTable.h"

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

// A step naming a control that the dialog's template lacks: the surface, which knows no
// template, would take it as a control it has not met yet. Says so, else is empty.
std::string MissingControl(const platform::ScriptedSurface& surface, const std::wstring& line) {
  const DialogTemplate* dialog = FindDialogTemplate(surface.TemplateId());
  if (!dialog || !platform::IsAnswerStep(line)) return "";
  std::wistringstream in(line);
  std::wstring verb;
  std::int32_t id = 0;
  // A menu step names a menu command, not a control.
  if (!(in >> verb >> id) || verb == L"menu") return "";
  const auto has = [id](const DialogControl& control) { return control.id == id; };
  if (std::any_of(dialog->controls.begin(), dialog->controls.end(), has)) return "";
  const std::wstring& caption = surface.Caption().empty() ? dialog->caption : surface.Caption();
  return "names control " + std::to_string(id) + ", which the dialog \"" +
         platform::ToUtf8(caption) + "\" lacks (vendrel dialogs " + std::to_string(dialog->id) +
         " lists its controls)";
}

// Why a line was not taken by `dialog`, given what MissingControl said of it.
std::string Unfit(const std::string& missing, const std::string& dialog) {
  return missing.empty() ? "does not fit " + dialog : missing;
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
  // The caption as the window shows it; the template's before the dialog sets its own.
  std::wstring caption = surface.Caption();
  if (!plain) {
    const DialogTemplate* dialog = FindDialogTemplate(surface.TemplateId());
    if (caption.empty() && dialog) caption = dialog->caption;
    if (caption.empty()) return "dialog " + std::to_string(surface.TemplateId());
  }
  // Appended rather than `"\"" + text`, which mingw's g++ 12 flags with a false -Wrestrict.
  std::string out(1, '"');
  if (!plain) return out + platform::ToUtf8(caption) + "\"";
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

std::string DialogControls(const platform::ScriptedSurface& surface) {
  const DialogTemplate* dialog = FindDialogTemplate(surface.TemplateId());
  if (!dialog || PlainAnswerOf(surface)) return "";
  return DescribeControls(*dialog, "   ");
}

platform::ScriptedDialogRunner::Script DialogAnswers::Waiting(WaitingLine next) {
  return [this, next = std::move(next), first = true](platform::ScriptedSurface& surface) mutable {
    const std::string asked = DescribeDialog(surface);
    const std::optional<std::string> line = next ? next(asked, first) : std::nullopt;
    first = false;
    if (!line) return;
    const std::string step = line->empty() ? "cancel" : *line;
    const std::wstring wide = platform::FromUtf8(step);
    const std::string missing = MissingControl(surface, wide);
    trace_.DialogStepBegun(asked, step);
    const bool taken = missing.empty() && platform::ApplyAnswerLine(surface, wide);
    trace_.DialogStepEnded(taken);
    if (!taken) {
      ++misfits_;
      notes_ << "answer \"" << *line << "\" " << Unfit(missing, "the " + asked) << "; ignored\n";
    }
  };
}

void DialogAnswers::Answer(platform::ScriptedSurface& surface) {
  const std::string asked = DescribeDialog(surface);
  const std::string controls = DialogControls(surface);
  while (!surface.Result()) {
    const std::optional<std::string> line = next_ ? next_(asked, controls) : std::nullopt;
    if (!line) {
      notes_ << "no answer for the " << asked << "; cancelled\n";
      trace_.Dialog(asked, "cancelled (no answer)");
      return;
    }
    const std::wstring wide = platform::FromUtf8(*line);
    const std::string missing = MissingControl(surface, wide);
    trace_.DialogStepBegun(asked, line->empty() ? "ok" : *line);
    const bool taken = missing.empty() && Apply(surface, wide);
    trace_.DialogStepEnded(taken);
    if (taken) continue;
    if (retry_) {
      notes_ << "\"" << *line << "\" " << Unfit(missing, "this dialog") << "; try again\n";
      continue;
    }
    ++misfits_;
    notes_ << "answer \"" << *line << "\" " << Unfit(missing, "the " + asked) << "; cancelled\n";
    trace_.Dialog(asked, "cancelled (answer does not fit)");
    return;
  }
}

}  // namespace vendrel::tools
