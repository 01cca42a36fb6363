// Reads the path box of another Stampel.exe's main window, then closes the window as a
// user does, for the installer check of tools/check-packages.sh:
//   read_main_window.exe SECONDS
// Waits up to SECONDS for the window, writes the path box's text to standard output and
// closes the window. Exit code 0 when it did, 1 when no such window appeared in time.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/win32/WinApi.h"
#include "platform/win32/WinText.h"
#include "ui/win32/StampelFrmRes.h"

int wmain(int argc, wchar_t** argv) {
  const DWORD seconds = argc > 1 ? static_cast<DWORD>(_wtoi(argv[1])) : 30;
  const ULONGLONG deadline = GetTickCount64() + seconds * 1000ull;
  HWND window = nullptr;
  while ((window = FindWindowW(L"StampelMain", nullptr)) == nullptr || !IsWindowVisible(window)) {
    if (GetTickCount64() > deadline) return 1;
    Sleep(100);
  }
  // The window belongs to another process: every question has a time limit.
  wchar_t text[512] = {};
  DWORD_PTR ignored = 0;
  SendMessageTimeoutW(GetDlgItem(window, ui::win32::stampel_id::FilePathEdit), WM_GETTEXT, 512,
                      reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000, &ignored);
  std::printf("%s\n", platform::win32::Narrow(text).c_str());
  std::fflush(stdout);
  PostMessageW(window, WM_CLOSE, 0, 0);
  return 0;
}
