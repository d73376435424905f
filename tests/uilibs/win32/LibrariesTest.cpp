// Our UI libraries as the add-in reaches them: each loaded at its first use by full path from the
// host's installation folder (registered without a trailing backslash), and the icon library's
// icons and images.
#include <gtest/gtest.h>

#include <windows.h>

#include "tests/uilibs/win32/HostFolder.h"
#include "uilibs/glyphex/Blob.h"
#include "uilibs/win32/Alertik.h"
#include "uilibs/win32/Iconel.h"

namespace vendrel::uilibs {
namespace {

using testing::InstallFolder;

// For the whole program.
const auto* const environment =
    ::testing::AddGlobalTestEnvironment(new testing::HostFolderEnvironment);

// The file a loaded library came from; empty when it is not loaded.
std::wstring LoadedFrom(const wchar_t* library) {
  const HMODULE module = GetModuleHandleW(library);
  wchar_t path[MAX_PATH] = {};
  if (module) GetModuleFileNameW(module, path, MAX_PATH);
  return path;
}

bool SamePath(const std::wstring& a, const std::wstring& b) {
  return CompareStringOrdinal(a.c_str(), -1, b.c_str(), -1, TRUE) == CSTR_EQUAL;
}

// The test program's own folder holds the same libraries: the normal search would find those.
TEST(HostLibraries, GlyphexLoadsFromTheInstallationFolderAtTheFirstBlob) {
  EXPECT_EQ(LoadedFrom(L"Glyphex.dll"), L"");
  glyphex::Blob blob(0);
  EXPECT_TRUE(SamePath(LoadedFrom(L"Glyphex.dll"), InstallFolder() + L"\\Glyphex.dll"))
      << LoadedFrom(L"Glyphex.dll");
}

TEST(HostLibraries, AlertikLoadsFromTheInstallationFolderAtTheFirstBox) {
  EXPECT_EQ(LoadedFrom(L"Alertik.dll"), L"");
  EXPECT_EQ(alertik::giMessageBox(nullptr, L"Vendrel", L"No buttons", nullptr, {}), -1);
  EXPECT_TRUE(SamePath(LoadedFrom(L"Alertik.dll"), InstallFolder() + L"\\Alertik.dll"))
      << LoadedFrom(L"Alertik.dll");
}

// Not among the redirected names, and still taken from the installation folder only.
TEST(HostLibraries, IconelLoadsFromTheInstallationFolderAtTheFirstIcon) {
  EXPECT_EQ(LoadedFrom(L"Iconel.dll"), L"");
  EXPECT_TRUE(iconel::HostIcon(243, 0));
  EXPECT_TRUE(SamePath(LoadedFrom(L"Iconel.dll"), InstallFolder() + L"\\Iconel.dll"))
      << LoadedFrom(L"Iconel.dll");
}

TEST(Alertik, ABoxThatCannotBeShownGivesMinusOneWithoutAWindow) {
  EXPECT_EQ(alertik::giMessageBox(nullptr, L"Vendrel", L"Zero", nullptr, {{L"OK", 0}}), -1);
  EXPECT_EQ(alertik::giMessageBox(nullptr, L"Vendrel", L"Too big", nullptr,
                                  {{L"OK", 1}, {L"OK to All", 65535}}),
            -1);
}

SIZE IconSize(HICON icon) {
  ICONINFO info{};
  if (!GetIconInfo(icon, &info)) return {};
  BITMAP b{};
  GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof b, &b);
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  return {b.bmWidth, b.bmHeight};
}

TEST(Iconel, IconIdsGiveTheIconAtTheSizeAskedForAndUnknownIdsNothing) {
  const iconel::UniqueIcon small = iconel::HostIcon(243, 16);
  const iconel::UniqueIcon large = iconel::HostIcon(243, 32);
  ASSERT_TRUE(small);
  ASSERT_TRUE(large);
  EXPECT_EQ(IconSize(small.get()).cx, 16);
  EXPECT_EQ(IconSize(large.get()).cy, 32);
  EXPECT_FALSE(iconel::HostIcon(244, 16));
  EXPECT_FALSE(iconel::HostIcon(900, 16));
}

// The card image: transparent corners, an opaque brown frame, white inside.
TEST(Iconel, ImageIdsDecodeThePngWithItsAlpha) {
  const iconel::UniqueBitmap image = iconel::HostImage(436);
  ASSERT_TRUE(image);
  DIBSECTION dib{};
  ASSERT_EQ(GetObjectW(image.get(), sizeof dib, &dib), static_cast<int>(sizeof dib));
  ASSERT_EQ(dib.dsBm.bmWidth, 16);
  ASSERT_EQ(dib.dsBm.bmHeight, 16);
  ASSERT_EQ(dib.dsBm.bmBitsPixel, 32);
  const auto* bits = static_cast<const BYTE*>(dib.dsBm.bmBits);
  const auto pixel = [&](int x, int y) {
    const BYTE* p = bits + y * dib.dsBm.bmWidthBytes + x * 4;
    return RGB(p[2], p[1], p[0]) | static_cast<COLORREF>(p[3]) << 24;
  };
  EXPECT_EQ(pixel(0, 0), 0u);
  EXPECT_EQ(pixel(1, 2), RGB(40, 80, 120) | 0xFF000000u);
  EXPECT_EQ(pixel(7, 7), RGB(255, 255, 255) | 0xFF000000u);
  EXPECT_FALSE(iconel::HostImage(437));
  EXPECT_FALSE(iconel::HostImage(243)) << "an icon is no image";
}

TEST(Iconel, ImageIdsGiveAnIconOfTheImagesSizeWhenAnIconIsWanted) {
  const iconel::UniqueIcon icon = iconel::HostIcon(436, 32);
  ASSERT_TRUE(icon);
  EXPECT_EQ(IconSize(icon.get()).cx, 16);
  EXPECT_FALSE(iconel::HostIcon(437, 16));
}

}  // namespace
}  // namespace vendrel::uilibs
