// Closes the about window of another Stampel.exe as a user does, for the package check
// of tools/check-packages.sh:
//   press_about_ok.exe SECONDS
// Waits up to SECONDS for the window, writes the texts of its controls to standard
// output, one a line, and clicks its OK button. Exit code 0 when it did, 1 when no such
// window appeared in time.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/win32/WinApi.h"
#include "platform/win32/WinText.h"

namespace {

// A control's text, asked for with a time limit: the window belongs to another process.
std::wstring TextOf(HWND control) {
  wchar_t buffer[512] = {};
  DWORD_PTR ignored = 0;
  SendMessageTimeoutW(control, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(buffer), SMTO_ABORTIFHUNG,
                      2000, &ignored);
  return buffer;
}

BOOL CALLBACK CollectChild(HWND child, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
  return TRUE;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const DWORD seconds = argc > 1 ? static_cast<DWORD>(_wtoi(argv[1])) : 30;
  const ULONGLONG deadline = GetTickCount64() + seconds * 1000ull;
  HWND window = nullptr;
  while ((window = FindWindowW(L"StampelVersion", L"Stampel")) == nullptr ||
         !IsWindowVisible(window)) {
    if (GetTickCount64() > deadline) return 1;
    Sleep(100);
  }
  std::vector<HWND> children;
  EnumChildWindows(window, CollectChild, reinterpret_cast<LPARAM>(&children));
  HWND ok = nullptr;
  for (HWND child : children) {
    const std::wstring text = TextOf(child);
    if (text.empty()) continue;
    std::printf("%s\n", platform::win32::Narrow(text).c_str());
    if (text == L"&OK") ok = child;
  }
  std::fflush(stdout);
  if (ok == nullptr) return 1;
  DWORD_PTR ignored = 0;
  SendMessageTimeoutW(ok, BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, 5000, &ignored);
  return 0;
}
