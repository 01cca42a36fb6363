#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "GuiTest.h"
#include "platform/win32/WinText.h"
#include "ui/win32/ErrorBox.h"
#include "ui/win32/Fonts.h"
#include "ui/win32/Window.h"

namespace {

using namespace ui::win32;

// A window whose command handler fails, as a handler with a fault would.
class FailingWindow : public TWindow {
 public:
  FailingWindow() {
    CreateWindowOfClass(L"StampelTestFailingWindow", 0, WS_OVERLAPPEDWINDOW, "failing", 0, 0, 200,
                        100, nullptr);
  }
  int handled = 0;

 private:
  void OnCommand(int id, int) override {
    ++handled;
    if (id == 1001) throw std::runtime_error("MoveFileExt() - I/O Error 5");
    if (id == 1002) throw 42;
  }
};

TEST(WindowLayer, ExceptionFromAHandlerIsShownInTheErrorBoxAndStopsThere) {
  FailingWindow window;
  guitest::MessageBoxWatcher watcher;
  SendMessageW(window.Handle(), WM_COMMAND, MAKEWPARAM(1001, BN_CLICKED), 0);
  watcher.Finish();
  EXPECT_TRUE(watcher.Seen());
  EXPECT_EQ("Stampel", watcher.Caption());
  EXPECT_EQ("MoveFileExt() - I/O Error 5", watcher.Text());
  EXPECT_EQ(1, window.handled);
  // The window goes on working.
  SendMessageW(window.Handle(), WM_COMMAND, MAKEWPARAM(1000, BN_CLICKED), 0);
  EXPECT_EQ(2, window.handled);
}

TEST(WindowLayer, AnyThrownValueIsCaught) {
  FailingWindow window;
  guitest::MessageBoxWatcher watcher;
  SendMessageW(window.Handle(), WM_COMMAND, MAKEWPARAM(1002, BN_CLICKED), 0);
  watcher.Finish();
  EXPECT_TRUE(watcher.Seen());
  EXPECT_FALSE(watcher.Text().empty());
}

TEST(WindowLayer, ErrorBoxShowsTheMessage) {
  guitest::MessageBoxWatcher watcher;
  ShowErrorBox("No Exif data in file 'C:\\x.jpg'");
  watcher.Finish();
  EXPECT_TRUE(watcher.Seen());
  EXPECT_EQ("Stampel", watcher.Caption());
  EXPECT_EQ("No Exif data in file 'C:\\x.jpg'", watcher.Text());
}

TEST(WindowLayer, DestroyedWindowLeavesItsObjectAlone) {
  FailingWindow window;
  DestroyWindow(window.Handle());
  EXPECT_EQ(nullptr, window.Handle());
  // The object's destructor now has nothing to destroy.
}

// The first font family the system has.
std::wstring SomeInstalledFamily() {
  LOGFONTW any{};
  any.lfCharSet = DEFAULT_CHARSET;
  std::wstring family;
  HDC screen = GetDC(nullptr);
  EnumFontFamiliesExW(
      screen, &any,
      [](const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM data) -> int {
        if (font->lfFaceName[0] == L'@') return 1;  // the vertical variant of a family
        *reinterpret_cast<std::wstring*>(data) = font->lfFaceName;
        return 0;
      },
      reinterpret_cast<LPARAM>(&family), 0);
  ReleaseDC(nullptr, screen);
  return family;
}

TEST(Fonts, MissingFamilyGivesTheDialogFont) {
  const TFont missing = CreateUiFont({L"No Such Family 4711", 8, false, false}, 96);
  EXPECT_EQ(DialogFontFace(), FaceOf(missing.Handle()));
  EXPECT_FALSE(FontFamilyExists(L"No Such Family 4711"));
  EXPECT_FALSE(FontFamilyExists(L""));
  EXPECT_FALSE(DialogFontFace().empty());
}

TEST(Fonts, InstalledFamilyIsTakenInTheAskedSize) {
  const std::wstring family = SomeInstalledFamily();
  ASSERT_FALSE(family.empty());
  EXPECT_TRUE(FontFamilyExists(family));
  const TFont font = CreateUiFont({family, 8, true, true}, 144);
  EXPECT_EQ(family, FaceOf(font.Handle()));
  LOGFONTW description{};
  GetObjectW(font.Handle(), sizeof(description), &description);
  EXPECT_EQ(-16, description.lfHeight);
  EXPECT_EQ(FW_BOLD, description.lfWeight);
  EXPECT_TRUE(description.lfUnderline);
}

TEST(Fonts, OwnedFontIsMovedNotCopied) {
  TFont first = CreateUiFont({L"Tahoma", 8, false, false}, 96);
  HFONT handle = first.Handle();
  TFont second = std::move(first);
  EXPECT_EQ(nullptr, first.Handle());
  EXPECT_EQ(handle, second.Handle());
}

}  // namespace
