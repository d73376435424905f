// Answer steps that name their control by the dialog's resource constant.
#pragma once

#include <cstdint>
#include <string>

namespace vendrel::testing {

// Step(L"text", IDC_NAME, L"Bob") is L"text <id> Bob"; without `rest` the step ends at the id.
inline std::wstring Step(const wchar_t* verb, std::int32_t control, const std::wstring& rest = {}) {
  std::wstring step = std::wstring(verb) + L" " + std::to_wstring(control);
  if (!rest.empty()) step += L" " + rest;
  return step;
}

}  // namespace vendrel::testing
