#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/win32/WinApi.h"
#include "platform/win32/WinText.h"
#include "ui/win32/ResourceIds.h"

// The test program links the program's resources, so they can be checked here.
namespace {

std::string ResourceText(LPCWSTR type, LPCWSTR name) {
  HRSRC found = FindResourceW(nullptr, name, type);
  if (!found) return "";
  HGLOBAL loaded = LoadResource(nullptr, found);
  const auto* bytes = static_cast<const char*>(LockResource(loaded));
  return std::string(bytes, SizeofResource(nullptr, found));
}

TEST(Resources, VersionIs211) {
  wchar_t path[MAX_PATH];
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeW(path, &ignored);
  ASSERT_GT(size, 0u);
  std::vector<char> info(size);
  ASSERT_TRUE(GetFileVersionInfoW(path, 0, size, info.data()));

  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
  EXPECT_EQ(MAKELONG(1, 2), fixed->dwFileVersionMS);
  EXPECT_EQ(MAKELONG(0, 1), fixed->dwFileVersionLS);

  wchar_t* text = nullptr;
  ASSERT_TRUE(VerQueryValueW(info.data(), L"\\StringFileInfo\\040904b0\\FileVersion",
                             reinterpret_cast<void**>(&text), &length));
  EXPECT_EQ("2.1.1", platform::win32::Narrow(text));
  ASSERT_TRUE(VerQueryValueW(info.data(), L"\\StringFileInfo\\040904b0\\ProductName",
                             reinterpret_cast<void**>(&text), &length));
  EXPECT_EQ("Stampel", platform::win32::Narrow(text));
}

TEST(Resources, ManifestAsksForCommonControls6DpiAwarenessAndUtf8) {
  const std::string manifest = ResourceText(MAKEINTRESOURCEW(24), MAKEINTRESOURCEW(1));
  ASSERT_FALSE(manifest.empty());
  EXPECT_NE(std::string::npos, manifest.find("Microsoft.Windows.Common-Controls"));
  EXPECT_NE(std::string::npos, manifest.find("version=\"6.0.0.0\""));
  EXPECT_NE(std::string::npos, manifest.find("PerMonitorV2"));
  EXPECT_NE(std::string::npos, manifest.find("true/pm"));
  EXPECT_NE(std::string::npos, manifest.find(">UTF-8</activeCodePage>"));
}

TEST(Resources, IconIsThere) {
  EXPECT_NE(nullptr, FindResourceW(nullptr, MAKEINTRESOURCEW(IDI_STAMPEL), RT_GROUP_ICON));
  HICON icon = static_cast<HICON>(
      LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_STAMPEL), IMAGE_ICON, 32, 32, 0));
  EXPECT_NE(nullptr, icon);
  if (icon) DestroyIcon(icon);
}

TEST(Resources, CommonControls6AreLoaded) {
  // Version 6 lives in the side-by-side store and is loaded only when the manifest asks
  // for it; version 5 comes from the system folder.
  HMODULE comctl = LoadLibraryW(L"comctl32.dll");
  ASSERT_NE(nullptr, comctl);
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(comctl, path, MAX_PATH);
  std::string loaded = platform::win32::Narrow(path);
  for (char& c : loaded) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
  EXPECT_NE(std::string::npos, loaded.find("winsxs")) << loaded;
  EXPECT_NE(std::string::npos, loaded.find("common-controls")) << loaded;
}

}  // namespace
