// Shows one window of the program as a user sees it, for tools/screenshots.sh:
//   ui_screens.exe progress|progress-batch|about <file for the window's rectangle>
// It writes the screen rectangle of what it shows ("left top width height") to the
// file and then runs until it is ended.
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "platform/win32/WinApi.h"
#include "platform/win32/WinText.h"
#include "ui/win32/MainWindowLink.h"
#include "ui/win32/ProgressFrm.h"
#include "ui/win32/VersionFrm.h"
#include "ui/win32/Window.h"

namespace {

using namespace ui::win32;

// Where a main window would stand; an empty window with the main window's size.
class StandInMainWindow : public TWindow, public MainWindowLink {
 public:
  StandInMainWindow() {
    CreateWindowOfClass(L"StampelScreenshotMain", 0, WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU,
                        "Main window (stand-in)", 20, 20, 761, 465, nullptr);
    ShowWindow(Handle(), SW_SHOWNA);
  }
  HWND MainWindowHandle() const override { return Handle(); }
  void SetShowProgressCaption(const std::string&) override {}
};

void AddSampleLines(TProgressFrm& form) {
  const char* folder = "C:\\Photos\\2008-06 Holiday\\";
  int n = 0;
  auto line = [&](const std::string& tail, bool alert) {
    const std::string text = "Stampel " + std::to_string(++n) + ": " + folder + tail;
    alert ? form.AddAlertLine(text, 0) : form.AddLine(text, 1);
  };
  for (int i = 0; i < 14; ++i) {
    const std::string number = std::to_string(4711 + i);
    std::string second = std::to_string(i * 4);
    if (second.size() < 2) second.insert(0, 1, '0');
    line("IMG_" + number + ".JPG -> " + folder + "2008-06-15-10-31-" + second + "_IMG_" + number +
             ".JPG",
         false);
    if (i == 4) line("notes.txt -> no Exif information available", true);
    if (i == 9) line("2008-06-15-10-30-00_IMG_4700.JPG -> nothing to rename", true);
  }
  line("MVI_4730.AVI -> " + std::string(folder) + "2008-06-15-11-02-17_MVI_4730.AVI", false);
  form.ClearStatus();
  form.AddLine(
      "Stampel 18: C:\\Photos\\2008-06 Holiday\\IMG_4731.JPG -> C:\\Photos\\2008-06 "
      "Holiday\\2008-06-15-11-05-40_IMG_4731.JPG",
      1);
  form.RefreshNow();
}

RECT Union(HWND a, HWND b) {
  RECT ra{};
  RECT rb{};
  GetWindowRect(a, &ra);
  if (!b) return ra;
  GetWindowRect(b, &rb);
  RECT both{};
  UnionRect(&both, &ra, &rb);
  return both;
}

void WriteRect(const std::wstring& file, const RECT& r) {
  std::ofstream out{std::filesystem::path(file)};
  out << r.left << ' ' << r.top << ' ' << r.right - r.left << ' ' << r.bottom - r.top << '\n';
}

void RunMessages() {
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const std::wstring scene = argc > 1 ? argv[1] : L"progress";
  const std::wstring rectFile = argc > 2 ? argv[2] : L"";

  if (scene == L"about") {
    TVersionFrm form(nullptr);
    // The rectangle is written once the window shows, from inside its modal loop.
    static std::wstring file;
    static HWND window;
    file = rectFile;
    window = form.Handle();
    SetTimer(nullptr, 0, 500, [](HWND, UINT, UINT_PTR id, DWORD) {
      KillTimer(nullptr, id);
      WriteRect(file, Union(window, nullptr));
    });
    form.Execute();
    return 0;
  }

  std::unique_ptr<StandInMainWindow> main;
  if (scene == L"progress") main = std::make_unique<StandInMainWindow>();
  TProgressFrm form(main.get());
  form.Show();
  AddSampleLines(form);
  WriteRect(rectFile, Union(form.Handle(), main ? main->Handle() : nullptr));
  RunMessages();
  return 0;
}
