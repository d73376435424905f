// The system's text-to-variant conversions.
#include "platform/TextConversion.h"

#include "uilibs/win32/Handle.h"

namespace vendrel::platform {
namespace {

// The conversions only read the text; mingw's headers declare it writable.
OLECHAR* In(const std::wstring& text) {
  return const_cast<OLECHAR*>(text.c_str());
}

}  // namespace

std::int32_t TextToInt32(const std::wstring& text, std::int32_t& value) {
  LONG result = 0;
  const HRESULT hr = VarI4FromStr(In(text), LOCALE_USER_DEFAULT, 0, &result);
  if (SUCCEEDED(hr)) value = result;
  return hr;
}

std::int32_t TextToSingle(const std::wstring& text, float& value) {
  return VarR4FromStr(In(text), LOCALE_USER_DEFAULT, 0, &value);
}

std::int32_t TextToBool(const std::wstring& text, bool& value) {
  VARIANT_BOOL result = VARIANT_FALSE;
  const HRESULT hr = VarBoolFromStr(In(text), LOCALE_USER_DEFAULT, 0, &result);
  if (SUCCEEDED(hr)) value = result != VARIANT_FALSE;
  return hr;
}

std::int32_t TextToDate(const std::wstring& text, double& serial) {
  DATE result = 0;
  const HRESULT hr = VarDateFromStr(In(text), LOCALE_USER_DEFAULT, 0, &result);
  if (SUCCEEDED(hr)) serial = result;
  return hr;
}

// Locale 0 with the user's overrides off.
std::optional<std::wstring> DateToText(double serial) {
  uilibs::UniqueBstr text;
  if (FAILED(VarBstrFromDate(serial, 0, LOCALE_NOUSEROVERRIDE, text.Put())) || !text)
    return std::nullopt;
  return std::wstring(text.Get(), SysStringLen(text.Get()));
}

}  // namespace vendrel::platform
