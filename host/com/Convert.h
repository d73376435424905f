// Conversions between the host object model's C++ values and BSTR, VARIANT and SAFEARRAY.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "host/Value.h"
#include "host/com/Com.h"

namespace vendrel::com {

// The records that travel in safe arrays, as the type library names them.
inline constexpr GUID kNotificationItemRecord = {
    0xDD7CB837, 0xD6FC, 0x4290, {0x8F, 0x94, 0x0D, 0xBB, 0x71, 0x6A, 0x6A, 0xD4}};
inline constexpr GUID kVersionInfoRecord = {
    0x0DB81261, 0xF78C, 0x4D3A, {0x96, 0x98, 0xA1, 0xCD, 0x83, 0x6F, 0xAB, 0x31}};
inline constexpr GUID kCardVariableInfoRecord = {
    0xFA2CB6E3, 0x8274, 0x4552, {0x8C, 0xCA, 0xF8, 0xE1, 0x2A, 0x6F, 0x24, 0xD3}};
inline constexpr GUID kBatchErrorRecord = {
    0x905CBD9D, 0x7155, 0x43B4, {0xB9, 0xB5, 0x21, 0xEC, 0x24, 0x45, 0x83, 0x7C}};
inline constexpr GUID kIdNameRecord = {
    0xFBBC417F, 0x3A4C, 0x44E6, {0xBE, 0xE5, 0xDA, 0x00, 0x20, 0xC7, 0x8A, 0xFD}};

// The type library embedded in the module that holds this code (resource 1).
HRESULT TypeLibrary(ComPtr<ITypeLib>& library);
HRESULT RecordInfo(const GUID& record, ComPtr<IRecordInfo>& info);

// Empty, 32-bit integer, 64-bit integer, double, date and string map onto VT_EMPTY, VT_I4, VT_I8,
// VT_R8, VT_DATE and VT_BSTR; smaller integers and floats widen, VT_NULL reads as empty.
HRESULT ToVariant(const host::Value& value, VARIANT& variant);
HRESULT FromVariant(const VARIANT& variant, host::Value& value);

// The elements of a safe array while the object lives (access and unaccess).
template <class Element>
class ArrayData {
 public:
  explicit ArrayData(SAFEARRAY* array) : array_(array) {
    status_ = SafeArrayAccessData(array_, reinterpret_cast<void**>(&data_));
  }
  ArrayData(const ArrayData&) = delete;
  ArrayData& operator=(const ArrayData&) = delete;
  ~ArrayData() {
    if (SUCCEEDED(status_)) SafeArrayUnaccessData(array_);
  }
  HRESULT Status() const { return status_; }
  Element& operator[](std::size_t i) { return data_[i]; }

 private:
  SAFEARRAY* array_;
  Element* data_ = nullptr;
  HRESULT status_;
};

// A vector-shaped array of records; fill(index, record) fills a zeroed record whose BSTRs the
// array takes over.
template <class Record, class Fill>
HRESULT MakeRecordArray(const GUID& recordGuid, std::size_t count, Fill fill,
                        UniqueSafeArray& out) {
  ComPtr<IRecordInfo> info;
  VENDREL_RETURN_IF_FAILED(RecordInfo(recordGuid, info));
  UniqueSafeArray array(
      SafeArrayCreateVectorEx(VT_RECORD, 0, static_cast<ULONG>(count), info.Get()));
  if (!array) return E_OUTOFMEMORY;
  {
    ArrayData<Record> data(array.Get());
    VENDREL_RETURN_IF_FAILED(data.Status());
    for (std::size_t i = 0; i < count; ++i) fill(i, data[i]);
  }
  out = std::move(array);
  return S_OK;
}

// Calls read(record) for each element from the lower to the upper bound; an element that
// cannot be read is skipped. E_INVALIDARG when the array holds other records.
template <class Record, class Read>
HRESULT ReadRecordArray(SAFEARRAY* array, const GUID& recordGuid, Read read) {
  if (!array) return E_POINTER;
  ComPtr<IRecordInfo> info;
  GUID held{};
  if (FAILED(SafeArrayGetRecordInfo(array, info.Put())) || FAILED(info->GetGuid(&held)) ||
      held != recordGuid || SafeArrayGetDim(array) != 1)
    return E_INVALIDARG;
  LONG lower = 0, upper = -1;
  VENDREL_RETURN_IF_FAILED(SafeArrayGetLBound(array, 1, &lower));
  VENDREL_RETURN_IF_FAILED(SafeArrayGetUBound(array, 1, &upper));
  for (LONG i = lower; i <= upper; ++i) {
    Record record{};
    if (FAILED(SafeArrayGetElement(array, &i, &record))) continue;
    read(static_cast<const Record&>(record));
    info->RecordClear(&record);
  }
  return S_OK;
}

HRESULT MakeUnknownArray(const std::vector<ComPtr<IUnknown>>& items, UniqueSafeArray& out);
HRESULT ReadUnknownArray(SAFEARRAY* array, std::vector<ComPtr<IUnknown>>& items);
HRESULT MakeBstrArray(const std::vector<std::wstring>& texts, UniqueSafeArray& out);
HRESULT ReadBstrArray(SAFEARRAY* array, std::vector<std::wstring>& texts);

}  // namespace vendrel::com
