#include "ui/win32/FolderBrowser.h"

#include <objbase.h>
#include <shlobj.h>

#include <string>

#include "platform/win32/WinText.h"

namespace ui::win32 {

namespace {

int CALLBACK SelectStartFolder(HWND dialog, UINT message, LPARAM, LPARAM startFolder) {
  if (message == BFFM_INITIALIZED) SendMessageW(dialog, BFFM_SETSELECTIONW, TRUE, startFolder);
  return 0;
}

}  // namespace

std::optional<std::string> BrowseForFolder(HWND owner, const std::string& title,
                                           const std::string& startFolder) {
  using platform::win32::Narrow;
  using platform::win32::Widen;
  // The resizable style needs COM in this thread; a caller that set it up keeps its own.
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  const std::wstring wideTitle = Widen(title);
  const std::wstring start = Widen(startFolder);

  BROWSEINFOW info{};
  info.hwndOwner = owner;
  info.pidlRoot = nullptr;
  info.lpszTitle = wideTitle.c_str();
  info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE | BIF_NONEWFOLDERBUTTON;
  info.lpfn = SelectStartFolder;
  info.lParam = reinterpret_cast<LPARAM>(start.c_str());

  std::optional<std::string> chosen;
  if (PIDLIST_ABSOLUTE item = SHBrowseForFolderW(&info)) {
    // Long paths too, not only those within MAX_PATH.
    std::wstring path(32768, L'\0');
    if (SHGetPathFromIDListEx(item, path.data(), static_cast<DWORD>(path.size()), GPFIDL_DEFAULT))
      chosen = Narrow(path.c_str());
    CoTaskMemFree(item);
  }
  if (SUCCEEDED(com)) CoUninitialize();
  return chosen;
}

}  // namespace ui::win32
