// Shows one window of the program as a user sees it, for tools/screenshots.sh:
//   ui_screens.exe main|main-run|setup|progress-batch|about <file for the rectangle>
// It writes the screen rectangle of what it shows ("left top width height") to the
// file and then runs until it is ended.
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/win32/WinApi.h"
#include "platform/win32/WinText.h"
#include "settings/Translations.h"
#include "ui/win32/ProgressFrm.h"
#include "ui/win32/SetupFrm.h"
#include "ui/win32/StampelFrm.h"
#include "ui/win32/StampelFrmRes.h"
#include "ui/win32/VersionFrm.h"
#include "ui/win32/WinFrontend.h"
#include "ui/win32/Window.h"

namespace {

using namespace ui::win32;

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

// Writes the window's rectangle once it shows, from inside a modal loop.
void WriteRectSoon(const std::wstring& rectFile, HWND window) {
  static std::wstring file;
  static HWND shown;
  file = rectFile;
  shown = window;
  SetTimer(nullptr, 0, 500, [](HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    WriteRect(file, Union(shown, nullptr));
  });
}

// The main window as a user meets it, with its own settings key.
int MainScene(const std::wstring& scene, const std::wstring& rectFile) {
  LoadTranslations("Software\\StampelScreenshots");
  TStampelFrm main(SettingsStore);
  // Room on the screen for the progress window beside it.
  SetWindowPos(main.Handle(), nullptr, 20, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  TProgressFrm& progress = WindowsFrontend().CreateProgressWindow(main);
  main.SetProgressForm(&progress);
  main.Show();
  if (scene == L"setup") {
    ModelTranslations = {"Canon PowerShot S40=S40", "NIKON D70=D70", "=", "DMC-FZ8=FZ8"};
    LandscapeWord = "quer";
    PortraitWord = "hoch";
    TSetupFrm setup(main.Handle());
    WriteRectSoon(rectFile, setup.Handle());
    setup.Execute();
    return 0;
  }
  if (scene == L"main-run") {
    progress.Show();
    AddSampleLines(progress);
    SetWindowTextW(GetDlgItem(main.Handle(), stampel_id::FilesDoneLbl), L"18 files renamed.");
    WriteRect(rectFile, Union(main.Handle(), progress.Handle()));
  } else {
    WriteRect(rectFile, Union(main.Handle(), nullptr));
  }
  RunMessages();
  return 0;
}

int wmain(int argc, wchar_t** argv) {
  const std::wstring scene = argc > 1 ? argv[1] : L"main";
  const std::wstring rectFile = argc > 2 ? argv[2] : L"";
  if (scene == L"main" || scene == L"main-run" || scene == L"setup")
    return MainScene(scene, rectFile);

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

  TProgressFrm form(nullptr);
  form.Show();
  AddSampleLines(form);
  WriteRect(rectFile, Union(form.Handle(), nullptr));
  RunMessages();
  return 0;
}
