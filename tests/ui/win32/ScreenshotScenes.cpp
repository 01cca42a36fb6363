// Shows one window of the program as a user sees it, for tools/screenshots.sh:
//   ui_screens.exe main|main-run|setup|progress-batch|about <file for the rectangle> [photos]
// It writes the screen rectangle of what it shows ("left top width height") to the
// file and then runs until it is ended. The run scenes rename the photos of the folder
// given (a copy of the demo media) for real: what they show is what a run shows.
#include <filesystem>
#include <fstream>
#include <string>

#include "engine/Runs.h"
#include "platform/win32/WinApi.h"
#include "platform/win32/WinText.h"
#include "settings/Translations.h"
#include "ui/RunLines.h"
#include "ui/RunSetup.h"
#include "ui/win32/ProgressFrm.h"
#include "ui/win32/SetupFrm.h"
#include "ui/win32/StampelFrm.h"
#include "ui/win32/StampelFrmRes.h"
#include "ui/win32/VersionFrm.h"
#include "ui/win32/WinFrontend.h"
#include "ui/win32/Window.h"

namespace {

using namespace ui::win32;

// A batch run with /S /R of the folder's files, its lines in the window.
void RunBatch(TProgressFrm& form, const std::string& photos) {
  int32_t counter = 0;
  tCancelToken cancel;
  ui::tProgressLines lines(&form);
  tRunOptions options;
  options.Recurse = true;
  tRun run = ui::MakeRun(options, tReaderOptions(), counter, cancel, lines);
  form.SetStopTarget(&cancel);
  RunRename(run, {photos + "*.*"});
  form.SetStopTarget(nullptr);
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
int MainScene(const std::wstring& scene, const std::wstring& rectFile, const std::string& photos) {
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
    // As a user runs it: the folder in the path box, subfolders too, Run, then No.
    SetWindowTextW(GetDlgItem(main.Handle(), stampel_id::FilePathEdit),
                   platform::win32::Widen(photos + "*.*").c_str());
    SendMessageW(GetDlgItem(main.Handle(), stampel_id::SubDirChk), BM_CLICK, 0, 0);
    main.SetQuestion([](const std::string&) { return false; });
    SendMessageW(GetDlgItem(main.Handle(), stampel_id::RunBtn), BM_CLICK, 0, 0);
    progress.Show();
    progress.RefreshNow();
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
  std::string photos = argc > 3 ? platform::win32::Narrow(argv[3]) : std::string();
  if (!photos.empty() && photos.back() != '\\') photos += '\\';
  if (scene == L"main" || scene == L"main-run" || scene == L"setup")
    return MainScene(scene, rectFile, photos);

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
  RunBatch(form, photos);
  WriteRect(rectFile, Union(form.Handle(), nullptr));
  RunMessages();
  return 0;
}
