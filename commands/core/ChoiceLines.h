// The combo box's choices as the editor shows them: one per line.
#pragma once

#include <string>
#include <vector>

namespace vendrel::commands {

// The choices joined by CR LF, without a line break after the last one.
std::wstring JoinChoices(const std::vector<std::wstring>& choices);
// Lines cut at CR LF and at LF CR; lines that are empty or only white space are dropped, the
// others kept exactly as typed, blanks included.
std::vector<std::wstring> SplitChoices(const std::wstring& text);

}  // namespace vendrel::commands
