// Choices to lines and back.
#include "commands/core/ChoiceLines.h"

#include <algorithm>
#include <cwctype>

namespace vendrel::commands {
namespace {

bool IsBreak(const std::wstring& text, std::size_t at) {
  if (at + 1 >= text.size()) return false;
  const wchar_t a = text[at];
  const wchar_t b = text[at + 1];
  return (a == L'\r' && b == L'\n') || (a == L'\n' && b == L'\r');
}

void Keep(std::vector<std::wstring>& choices, std::wstring line) {
  const bool blank = std::all_of(line.begin(), line.end(),
                                 [](wchar_t c) { return std::iswspace(static_cast<wint_t>(c)); });
  if (!blank) choices.push_back(std::move(line));
}

}  // namespace

std::wstring JoinChoices(const std::vector<std::wstring>& choices) {
  std::wstring text;
  for (const std::wstring& choice : choices) {
    if (&choice != &choices.front()) text += L"\r\n";
    text += choice;
  }
  return text;
}

std::vector<std::wstring> SplitChoices(const std::wstring& text) {
  std::vector<std::wstring> choices;
  std::size_t start = 0;
  for (std::size_t at = 0; at < text.size(); ++at) {
    if (!IsBreak(text, at)) continue;
    Keep(choices, text.substr(start, at - start));
    start = at + 2;
    ++at;
  }
  Keep(choices, text.substr(start));
  return choices;
}

}  // namespace vendrel::commands
