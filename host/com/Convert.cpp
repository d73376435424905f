// Conversions between C++ values and BSTR, VARIANT and SAFEARRAY; the embedded type library.
#include "host/com/Convert.h"

#include <mutex>
#include <new>

namespace vendrel::com {

std::wstring FromBstr(BSTR text) {
  return text ? std::wstring(text, SysStringLen(text)) : L"";
}

UniqueBstr ToBstr(const std::wstring& text) {
  UniqueBstr b(SysAllocStringLen(text.data(), static_cast<UINT>(text.size())));
  if (!b) throw std::bad_alloc();
  return b;
}

namespace {

// The module whose resources hold the type library: the one this code is linked into.
std::wstring OwnModulePath() {
  HMODULE self = nullptr;
  GetModuleHandleExW(
      GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
      reinterpret_cast<LPCWSTR>(&OwnModulePath), &self);
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = GetModuleFileNameW(self, path.data(), static_cast<DWORD>(path.size()));
    if (n < path.size()) {
      path.resize(n);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

}  // namespace

HRESULT TypeLibrary(ComPtr<ITypeLib>& library) {
  // Loaded once per process; type libraries are free-threaded.
  static std::once_flag once;
  static ITypeLib* loaded = nullptr;
  static HRESULT status = S_OK;
  std::call_once(once,
                 [] { status = LoadTypeLibEx(OwnModulePath().c_str(), REGKIND_NONE, &loaded); });
  library = ComPtr<ITypeLib>(loaded);
  return status;
}

HRESULT RecordInfo(const GUID& record, ComPtr<IRecordInfo>& info) {
  ComPtr<ITypeLib> library;
  VENDREL_RETURN_IF_FAILED(TypeLibrary(library));
  ComPtr<ITypeInfo> type;
  VENDREL_RETURN_IF_FAILED(library->GetTypeInfoOfGuid(record, type.Put()));
  return GetRecordInfoFromTypeInfo(type.Get(), info.Put());
}

HRESULT ToVariant(const host::Value& value, VARIANT& variant) {
  VariantInit(&variant);
  switch (host::KindOf(value)) {
    case host::ValueKind::kEmpty:
      return S_OK;
    case host::ValueKind::kInt32:
      V_VT(&variant) = VT_I4;
      V_I4(&variant) = std::get<std::int32_t>(value);
      return S_OK;
    case host::ValueKind::kInteger:
      V_VT(&variant) = VT_I8;
      V_I8(&variant) = std::get<std::int64_t>(value);
      return S_OK;
    case host::ValueKind::kDouble:
      V_VT(&variant) = VT_R8;
      V_R8(&variant) = std::get<double>(value);
      return S_OK;
    case host::ValueKind::kSingle:
      V_VT(&variant) = VT_R4;
      V_R4(&variant) = std::get<float>(value);
      return S_OK;
    case host::ValueKind::kDate:
      V_VT(&variant) = VT_DATE;
      V_DATE(&variant) = std::get<host::Date>(value).serial;
      return S_OK;
    case host::ValueKind::kString:
      V_BSTR(&variant) = ToBstr(std::get<std::wstring>(value)).Release();
      V_VT(&variant) = VT_BSTR;
      return S_OK;
    case host::ValueKind::kBool:
      V_VT(&variant) = VT_BOOL;
      V_BOOL(&variant) = std::get<bool>(value) ? VARIANT_TRUE : VARIANT_FALSE;
      return S_OK;
    case host::ValueKind::kOther:
      return DISP_E_TYPEMISMATCH;
  }
  return E_INVALIDARG;
}

HRESULT FromVariant(const VARIANT& variant, host::Value& value) {
  switch (V_VT(&variant)) {
    case VT_EMPTY:
    case VT_NULL:
      value = std::monostate{};
      return S_OK;
    case VT_I1:
      value = std::int32_t{V_I1(&variant)};
      return S_OK;
    case VT_UI1:
      value = std::int32_t{V_UI1(&variant)};
      return S_OK;
    case VT_I2:
      value = std::int32_t{V_I2(&variant)};
      return S_OK;
    case VT_UI2:
      value = std::int32_t{V_UI2(&variant)};
      return S_OK;
    case VT_I4:
    case VT_INT:
      value = std::int32_t{V_I4(&variant)};
      return S_OK;
    case VT_UI4:
    case VT_UINT:
      value = std::int64_t{V_UI4(&variant)};
      return S_OK;
    case VT_I8:
      value = std::int64_t{V_I8(&variant)};
      return S_OK;
    case VT_R4:
      value = V_R4(&variant);
      return S_OK;
    case VT_R8:
      value = V_R8(&variant);
      return S_OK;
    case VT_DATE:
      value = host::Date{V_DATE(&variant)};
      return S_OK;
    case VT_BSTR:
      value = FromBstr(V_BSTR(&variant));
      return S_OK;
    case VT_BOOL:
      value = V_BOOL(&variant) != VARIANT_FALSE;
      return S_OK;
    default:
      value = host::OtherValue{V_VT(&variant)};
      return S_OK;
  }
}

namespace {

template <class Element, class Fill>
HRESULT MakeArray(VARTYPE type, std::size_t count, Fill fill, UniqueSafeArray& out) {
  UniqueSafeArray array(SafeArrayCreateVector(type, 0, static_cast<ULONG>(count)));
  if (!array) return E_OUTOFMEMORY;
  {
    ArrayData<Element> data(array.Get());
    VENDREL_RETURN_IF_FAILED(data.Status());
    for (std::size_t i = 0; i < count; ++i) data[i] = fill(i);
  }
  out = std::move(array);
  return S_OK;
}

template <class Element, class Read>
HRESULT ReadArray(SAFEARRAY* array, VARTYPE expected, Read read) {
  if (!array) return E_POINTER;
  VARTYPE type = VT_EMPTY;
  if (FAILED(SafeArrayGetVartype(array, &type)) || type != expected || SafeArrayGetDim(array) != 1)
    return E_INVALIDARG;
  LONG lower = 0, upper = -1;
  VENDREL_RETURN_IF_FAILED(SafeArrayGetLBound(array, 1, &lower));
  VENDREL_RETURN_IF_FAILED(SafeArrayGetUBound(array, 1, &upper));
  ArrayData<Element> data(array);
  VENDREL_RETURN_IF_FAILED(data.Status());
  for (LONG i = 0; i <= upper - lower; ++i) read(data[static_cast<std::size_t>(i)]);
  return S_OK;
}

}  // namespace

HRESULT MakeUnknownArray(const std::vector<ComPtr<IUnknown>>& items, UniqueSafeArray& out) {
  return MakeArray<IUnknown*>(
      VT_UNKNOWN, items.size(), [&](std::size_t i) { return ComPtr<IUnknown>(items[i]).Detach(); },
      out);
}

HRESULT ReadUnknownArray(SAFEARRAY* array, std::vector<ComPtr<IUnknown>>& items) {
  items.clear();
  return ReadArray<IUnknown*>(array, VT_UNKNOWN, [&](IUnknown* item) { items.emplace_back(item); });
}

HRESULT MakeBstrArray(const std::vector<std::wstring>& texts, UniqueSafeArray& out) {
  return MakeArray<BSTR>(
      VT_BSTR, texts.size(), [&](std::size_t i) { return ToBstr(texts[i]).Release(); }, out);
}

HRESULT ReadBstrArray(SAFEARRAY* array, std::vector<std::wstring>& texts) {
  texts.clear();
  return ReadArray<BSTR>(array, VT_BSTR, [&](BSTR text) { texts.push_back(FromBstr(text)); });
}

}  // namespace vendrel::com
