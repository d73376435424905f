// The class table: the add-in class and its registration script.
#include "host/com/Com.h"
#include "module/ClassTable.h"
#include "module/VornAddIn.h"

namespace vendrel::module {

namespace {

constexpr RegistryValue kAddInScript[] = {
    {L"Vorn.VornAddIn.1", nullptr, L"VornAddIn Class"},
    {L"Vorn.VornAddIn.1\\CLSID", nullptr, L"%CLSID%"},
    {L"Vorn.VornAddIn", nullptr, L"VornAddIn Class"},
    {L"Vorn.VornAddIn\\CLSID", nullptr, L"%CLSID%"},
    {L"Vorn.VornAddIn\\CurVer", nullptr, L"Vorn.VornAddIn.1"},
    {L"CLSID\\%CLSID%", nullptr, L"VornAddIn Class"},
    {L"CLSID\\%CLSID%\\ProgID", nullptr, L"Vorn.VornAddIn.1"},
    {L"CLSID\\%CLSID%\\VersionIndependentProgID", nullptr, L"Vorn.VornAddIn"},
    {L"CLSID\\%CLSID%\\InprocServer32", nullptr, L"%MODULE%"},
    {L"CLSID\\%CLSID%\\InprocServer32", L"ThreadingModel", L"Both"},
    {L"CLSID\\%CLSID%\\TypeLib", nullptr, L"%TYPELIB%"},
};

// The class key goes with everything below it; CLSID itself stays.
constexpr const wchar_t* kAddInRemoved[] = {L"Vorn.VornAddIn.1", L"Vorn.VornAddIn",
                                            L"CLSID\\%CLSID%"};

ClassEntry classes[] = {
    {&CLSID_VornAddIn, &CVornAddIn::Create, kAddInScript, kAddInRemoved},
};

}  // namespace

std::span<ClassEntry> Classes() {
  return classes;
}

}  // namespace vendrel::module
