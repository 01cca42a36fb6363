#include <gtest/gtest.h>

#include "MainWindowFixture.h"
// After the Windows headers that the fixture brings.
#include <commctrl.h>

#include "engine/format/FormatTimestamp.h"
#include "engine/format/LocaleFormats.h"
#include "platform/Clock.h"
#include "platform/win32/WinText.h"
#include "ui/About.h"
#include "ui/win32/VersionFrmRes.h"

namespace {

using guitest::MainWindowTest;
namespace id = ui::win32::stampel_id;

std::wstring ClassOf(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}

using MainWindow = MainWindowTest;

TEST_F(MainWindow, FirstStartWithNoKey) {
  Open();
  EXPECT_EQ("Stampel", guitest::TextOf(Form()));
  EXPECT_EQ("*.jpg", Text(id::FilePathEdit));
  EXPECT_EQ("yyyy-mm-dd-hh-nn-ss_", Text(id::FormatEdit));
  EXPECT_TRUE(Checked(id::FirstSample));
  EXPECT_TRUE(Checked(id::OrgTSRadio));
  EXPECT_FALSE(Checked(id::IntTSRadio));
  for (int check : id::kSwitchChecks) EXPECT_EQ(check == id::DisplayChk, Checked(check)) << check;
  EXPECT_EQ((std::vector<std::string>{"*.jpg", "*.mrw", "*.nef", "*.pef", "*.raw", "*.avi"}),
            ListOf(id::FilePathEdit));
  EXPECT_TRUE(ListOf(id::FormatEdit).empty());
  EXPECT_TRUE(MenuChecked(id::AutoHideMenu));
  EXPECT_FALSE(MenuChecked(id::ShowAlwaysMenu) || MenuChecked(id::HideAlwaysMenu));
  EXPECT_FALSE(guitest::IsShown(Ctl(id::ShowProgressBtn)));
  EXPECT_EQ("/F:\"yyyy-mm-dd-hh-nn-ss_\" *.jpg /O /S", BatchLine());
  // The example is the time of the call: a second or two may pass between it and now.
  const std::string example = Example();
  EXPECT_EQ(FormatTimestamp("yyyy-mm-dd-", platform::LocalNow()), example.substr(0, 11));
  EXPECT_EQ("_IMGP1234.jpg", example.substr(19));
  EXPECT_TRUE(MenuChecked(id::OrgTSMenu));
  EXPECT_TRUE(MenuChecked(id::DisplayMenu));
  EXPECT_FALSE(MenuChecked(id::FileMenu));
  EXPECT_EQ("", Text(id::FilesDoneLbl));
  EXPECT_EQ(EditOf(id::FormatEdit), GetFocus()) << "the format box has the focus";
}

TEST_F(MainWindow, WindowStylesAndClientSize) {
  Open();
  const LONG style = GetWindowLongW(Form(), GWL_STYLE);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_TRUE(style & WS_MINIMIZEBOX);
  EXPECT_FALSE(style & WS_MAXIMIZEBOX);
  EXPECT_FALSE(style & WS_THICKFRAME) << "a single border that cannot be resized";
  const int dpi = guitest::DpiOf(Form());
  const RECT client = guitest::ClientOf(Form());
  EXPECT_EQ(ui::ScaleToDpi(755, dpi), client.right);
  EXPECT_EQ(ui::ScaleToDpi(416, dpi), client.bottom);
}

// Every control's caption, class and designed place, and its hint.
TEST_F(MainWindow, ControlsTextsHintsAndPlaces) {
  Open();
  struct Expected {
    int control;
    const wchar_t* className;
    const char* caption;  // nullptr: not looked at
    const char* hint;
    RECT place;  // left, top, width, height at 96 DPI; width 0: sized to its text
  };
  const Expected controls[] = {
      {id::StampelLbl, L"Static", "Stampe&l", "", {8, 12, 0, 0}},
      {id::Label2, L"Static", "/F:\"", "", {58, 12, 0, 0}},
      {id::Label3, L"Static", "\"", "", {740, 12, 0, 0}},
      {id::FormatEdit, L"ComboBox", nullptr, "file's format to return", {80, 8, 659, 0}},
      {id::SearchBtn, L"Button", "S&earch", "search for a path", {8, 36, 67, 23}},
      {id::FilePathEdit,
       L"ComboBox",
       nullptr,
       "path and filename (with wildcards) of the files to rename",
       {80, 36, 659, 0}},
      {id::FormatGrpBox,
       L"Button",
       "S&ample Formats (examples)",
       "format (examples) of the timestamp to create",
       {80, 66, 329, 127}},
      {id::DateGrpBox, L"Button", "Date Selection", "type of date to use", {80, 198, 329, 37}},
      {id::OrgTSRadio, L"Button", "Original Timestamp (/&O)", "type of date to use", {}},
      {id::IntTSRadio, L"Button", "&Internal Timestamp", "type of date to use", {}},
      {id::SwitchesGrpBox, L"Button", "Switches", "", {420, 66, 319, 169}},
      {id::FileChk,
       L"Button",
       "Set File Modification Timestamp (/&T)",
       "set the file's modification timestamp",
       {426, 84, 271, 17}},
      {id::DelOrgChk,
       L"Button",
       "Delete the Original Filename Part (/&D)",
       "delete the original filename part",
       {426, 102, 271, 17}},
      {id::FileNoChk,
       L"Button",
       "Pad File with Counter (/&N3)",
       "pad a running number at the end of the file",
       {426, 120, 271, 17}},
      {id::OverWrtChk,
       L"Button",
       "Overwrite Existing Files (/&Y)",
       "automatically overwrite existing files",
       {426, 138, 271, 17}},
      {id::CopyChk,
       L"Button",
       "Copy File instead of Move File (/&C)",
       "copy source file instead of move",
       {426, 156, 271, 17}},
      {id::SubDirChk,
       L"Button",
       "Process all Subdirectories (/&R)",
       "cycle through sub-directories",
       {426, 174, 271, 17}},
      {id::DisplayChk,
       L"Button",
       "Show Activity while Processing (/&S)",
       "displays a processing window",
       {426, 192, 271, 17}},
      {id::Label8, L"Static", "Example:", "", {8, 286, 0, 0}},
      {id::BatchExplEdit, L"Edit", nullptr, "example batch input line", {80, 286, 661, 29}},
      {id::ExplLbl, L"Static", nullptr, "a formatted file example", {80, 318, 661, 29}},
      {id::FilesDoneLbl, L"Static", "", "", {80, 358, 301, 17}},
      {id::ShowProgressBtn,
       L"Button",
       "Show Progress",
       "show/hide the progress window",
       {450, 354, 85, 29}},
      {id::RunBtn,
       L"Button",
       "R&un Stampel",
       "yes, run Stampel with these parameters!",
       {554, 354, 85, 29}},
      {id::QuitBtn, L"Button", "Quit", "oops, good bye  :)", {650, 354, 85, 29}},
  };
  const int dpi = guitest::DpiOf(Form());
  for (const Expected& e : controls) {
    SCOPED_TRACE(e.control);
    HWND control = Ctl(e.control);
    ASSERT_NE(nullptr, control);
    EXPECT_EQ(0, lstrcmpiW(e.className, ClassOf(control).c_str()));
    if (e.caption) {
      EXPECT_EQ(e.caption, guitest::TextOf(control));
    }
    EXPECT_EQ(e.hint, guitest::HintOf(Form(), control));
    if (e.place.left == 0 && e.place.top == 0) continue;
    const RECT r = guitest::BoundsOf(control);
    EXPECT_EQ(ui::ScaleToDpi(e.place.left, dpi), r.left);
    EXPECT_EQ(ui::ScaleToDpi(e.place.top, dpi), r.top);
    if (e.place.right) {
      EXPECT_EQ(ui::ScaleToDpi(e.place.right, dpi), r.right - r.left);
    }
    if (e.place.bottom) {
      EXPECT_EQ(ui::ScaleToDpi(e.place.bottom, dpi), r.bottom - r.top);
    }
  }
  // The credit: olive, right-aligned at 735, ending in the version.
  const std::string credit = Text(id::CreditLbl);
  EXPECT_EQ(about::CreditAndVersionText(), credit);
  EXPECT_EQ(" - Version 2.1.1", credit.substr(credit.size() - 16));
  EXPECT_EQ(ui::ScaleToDpi(735, dpi), guitest::BoundsOf(Ctl(id::CreditLbl)).right);
  EXPECT_EQ(ui::ScaleToDpi(390, dpi), guitest::BoundsOf(Ctl(id::CreditLbl)).top);
  // The samples, in two columns filled one after the other.
  for (size_t i = 0; i < ui::kSampleFormats.size(); ++i) {
    HWND sample = Ctl(id::FirstSample + static_cast<int>(i));
    EXPECT_EQ(ui::kSampleFormats[i], guitest::TextOf(sample));
    const RECT r = guitest::BoundsOf(sample);
    const RECT first = guitest::BoundsOf(Ctl(i < 6 ? id::FirstSample : id::FirstSample + 6));
    EXPECT_EQ(first.left, r.left) << i;
  }
  EXPECT_LT(guitest::BoundsOf(Ctl(id::FirstSample + 5)).left,
            guitest::BoundsOf(Ctl(id::FirstSample + 6)).left);
  // The default and the cancel button, and the texts set in bold or fixed-pitch type.
  EXPECT_TRUE(GetWindowLongW(Ctl(id::RunBtn), GWL_STYLE) & BS_DEFPUSHBUTTON);
  EXPECT_TRUE(guitest::FontOf(Ctl(id::StampelLbl)).bold);
  EXPECT_TRUE(guitest::FontOf(Ctl(id::Label8)).bold);
  EXPECT_TRUE(guitest::FontOf(Ctl(id::BatchExplEdit)).bold);
  EXPECT_TRUE(guitest::FontOf(Ctl(id::FilesDoneLbl)).bold);
  EXPECT_FALSE(guitest::FontOf(Ctl(id::RunBtn)).bold);
  EXPECT_EQ(ui::FontPixelHeight(8, dpi), guitest::FontOf(Ctl(id::RunBtn)).height);
  HDC dc = GetDC(Ctl(id::ExplLbl));
  HGDIOBJ old =
      SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(Ctl(id::ExplLbl), WM_GETFONT, 0, 0)));
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  SelectObject(dc, old);
  ReleaseDC(Ctl(id::ExplLbl), dc);
  EXPECT_FALSE(metrics.tmPitchAndFamily & TMPF_FIXED_PITCH) << "the example's type is fixed-pitch";
  // Read-only, and Tab passes the batch line by.
  EXPECT_TRUE(GetWindowLongW(Ctl(id::BatchExplEdit), GWL_STYLE) & ES_READONLY);
  EXPECT_FALSE(GetWindowLongW(Ctl(id::BatchExplEdit), GWL_STYLE) & WS_TABSTOP);
  // The drop-down boxes' limits.
  SendMessageW(Ctl(id::FormatEdit), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
  Type(id::FormatEdit, std::wstring(120, L'y'));
  EXPECT_EQ(100u, Text(id::FormatEdit).size());
  Retype(id::FilePathEdit, std::wstring(300, L'p'));
  EXPECT_EQ(255u, Text(id::FilePathEdit).size());
}

TEST_F(MainWindow, TabOrderFollowsTheTables) {
  Open();
  const int order[] = {id::FormatEdit,   id::SearchBtn,    id::FilePathEdit, id::FirstSample,
                       id::OrgTSRadio,   id::FileChk,      id::DelOrgChk,    id::FileNoChk,
                       id::OverWrtChk,   id::CopyChk,      id::SubDirChk,    id::DisplayChk,
                       id::CompanionChk, id::ElsewhereChk, id::FileTimeChk,  id::ShiftEdit,
                       id::RunBtn,       id::QuitBtn};
  HWND at = Ctl(order[0]);
  for (size_t i = 1; i < std::size(order); ++i) {
    at = GetNextDlgTabItem(Form(), at, FALSE);
    // Inside a drop-down box Tab stops at its edit.
    if (GetParent(at) != Form()) at = GetParent(at);
    EXPECT_EQ(order[i], GetDlgCtrlID(at)) << "after " << order[i - 1];
  }
}

TEST_F(MainWindow, TabKeyWalksTheControls) {
  Open();
  SetFocus(EditOf(id::FormatEdit));
  guitest::PressKey(GetFocus(), VK_TAB);
  EXPECT_EQ(Ctl(id::SearchBtn), GetFocus());
  guitest::PressKey(GetFocus(), VK_TAB);
  EXPECT_EQ(EditOf(id::FilePathEdit), GetFocus());
}

TEST_F(MainWindow, EachSampleFillsTheFormatBox) {
  Open();
  for (size_t i = 0; i < ui::kSampleFormats.size(); ++i) {
    Click(id::FirstSample + static_cast<int>(i));
    const std::string text = ui::SampleFormatText(ui::kSampleFormats[i]);
    EXPECT_EQ(text, Text(id::FormatEdit)) << i;
    EXPECT_EQ("/F:\"" + text + "\" *.jpg /O /S", BatchLine()) << i;
  }
  Click(id::FirstSample + 4);
  EXPECT_EQ("Model_IMGP1234.jpg", Example());
  EXPECT_TRUE(ListOf(id::FormatEdit).empty()) << "the history is not touched";

  // Clicking the selected sample again keeps an edited text; another one and back not.
  Type(id::FormatEdit, L"x");
  Click(id::FirstSample + 4);
  EXPECT_EQ("'Model'_x", Text(id::FormatEdit));
  Click(id::FirstSample + 1);
  Click(id::FirstSample + 4);
  EXPECT_EQ("'Model'_", Text(id::FormatEdit));
}

TEST_F(MainWindow, CheckBoxesAndTheirMenuItems) {
  Open();
  const struct {
    int check;
    int menu;
    const char* piece;
  } switches[] = {{id::FileChk, id::FileMenu, " /T"},      {id::DelOrgChk, id::DelOrgMenu, " /D"},
                  {id::FileNoChk, id::FileNoMenu, " /N"},  {id::OverWrtChk, id::OverWrtMenu, " /Y"},
                  {id::CopyChk, id::CopyMenu, " /C"},      {id::SubDirChk, id::SubDirMenu, " /R"},
                  {id::DisplayChk, id::DisplayMenu, " /S"}};
  for (const auto& s : switches) {
    SCOPED_TRACE(s.piece);
    const bool before = Checked(s.check);
    Click(s.check);
    EXPECT_NE(before, Checked(s.check));
    EXPECT_EQ(!before, MenuChecked(s.menu));
    EXPECT_EQ(!before, BatchLine().find(s.piece) != std::string::npos);
    Menu(s.menu);
    EXPECT_EQ(before, Checked(s.check));
    EXPECT_EQ(before, MenuChecked(s.menu));
    EXPECT_EQ(before, BatchLine().find(s.piece) != std::string::npos);
  }
  // The counter item: the check box, the menu check and the batch line go together.
  Menu(id::FileNoMenu);
  EXPECT_TRUE(Checked(id::FileNoChk));
  EXPECT_EQ("/F:\"yyyy-mm-dd-hh-nn-ss_\" *.jpg /O /N /S", BatchLine());
  EXPECT_EQ("_IMGP1234042.jpg", Example().substr(19));
  Menu(id::DelOrgMenu);
  EXPECT_EQ("_042.jpg", Example().substr(19));
  Menu(id::FileMenu);
  Menu(id::OverWrtMenu);
  EXPECT_EQ("/F:\"yyyy-mm-dd-hh-nn-ss_\" *.jpg /O /T /D /N /Y /S", BatchLine());
}

TEST_F(MainWindow, DateSelectionFromTheGroupAndTheMenu) {
  Open();
  Menu(id::IntTSMenu);
  EXPECT_TRUE(Checked(id::IntTSRadio));
  EXPECT_FALSE(Checked(id::OrgTSRadio));
  EXPECT_TRUE(MenuChecked(id::IntTSMenu));
  EXPECT_FALSE(MenuChecked(id::OrgTSMenu));
  EXPECT_EQ("/F:\"yyyy-mm-dd-hh-nn-ss_\" *.jpg /S", BatchLine());
  Click(id::OrgTSRadio);
  EXPECT_TRUE(MenuChecked(id::OrgTSMenu));
  EXPECT_EQ("/F:\"yyyy-mm-dd-hh-nn-ss_\" *.jpg /O /S", BatchLine());
}

TEST_F(MainWindow, TypingAndPickingInBothBoxes) {
  Open();
  Retype(id::FormatEdit, L"yyyymmdd_");
  EXPECT_EQ("/F:\"yyyymmdd_\" *.jpg /O /S", BatchLine());
  EXPECT_EQ(FormatTimestamp("yyyymmdd_", platform::LocalNow()) + "IMGP1234.jpg", Example());
  Retype(id::FilePathEdit, L"C:\\Fotos\\日本 é ß 📷\\*.*");
  EXPECT_EQ("/F:\"yyyymmdd_\" C:\\Fotos\\日本 é ß 📷\\*.* /O /S", BatchLine());
  EXPECT_EQ(".*", Example().substr(Example().size() - 2));
  Retype(id::FilePathEdit, L"D:\\x\\IMG_*");
  EXPECT_EQ("IMGP1234", Example().substr(Example().size() - 8)) << "no extension";

  Pick(id::FilePathEdit, 2);
  EXPECT_EQ("*.nef", Text(id::FilePathEdit));
  EXPECT_EQ("/F:\"yyyymmdd_\" *.nef /O /S", BatchLine());
  EXPECT_EQ(".nef", Example().substr(Example().size() - 4));

  // An empty format box: an empty pair of quotes and the locale's date and time.
  Retype(id::FormatEdit, L"");
  EXPECT_EQ("/F:\"\" *.nef /O /S", BatchLine());
}

TEST_F(MainWindow, ClickOnTheTopPanelRefreshesTheExample) {
  Open();
  SendMessageW(Ctl(id::ExplLbl), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"stale"));
  SendMessageW(Form(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(300, 250));
  EXPECT_NE("stale", Example());
  // Below the top panel nothing happens.
  SendMessageW(Ctl(id::ExplLbl), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"stale"));
  const int dpi = guitest::DpiOf(Form());
  SendMessageW(Form(), WM_LBUTTONDOWN, MK_LBUTTON,
               MAKELPARAM(ui::ScaleToDpi(20, dpi), ui::ScaleToDpi(400, dpi)));
  EXPECT_EQ("stale", Example());
}

TEST_F(MainWindow, ProgressButtonModes) {
  Open();
  Menu(id::ShowAlwaysMenu);
  EXPECT_TRUE(guitest::IsShown(Ctl(id::ShowProgressBtn)));
  EXPECT_EQ("Show Progress", Text(id::ShowProgressBtn));
  EXPECT_TRUE(MenuChecked(id::ShowAlwaysMenu));
  EXPECT_FALSE(MenuChecked(id::AutoHideMenu));
  EXPECT_EQ(1, SettingsStore.ReadIntegerValue("DisplayProgressButton"));
  EXPECT_FALSE(form->Presenter().AutoProgressButton());

  // The button toggles the progress window, and its caption follows the window.
  Click(id::ShowProgressBtn);
  EXPECT_TRUE(IsWindowVisible(progress->Handle()));
  EXPECT_EQ("Hide Progress", Text(id::ShowProgressBtn));
  Click(id::ShowProgressBtn);
  EXPECT_FALSE(IsWindowVisible(progress->Handle()));
  EXPECT_EQ("Show Progress", Text(id::ShowProgressBtn));

  Restart();
  EXPECT_TRUE(guitest::IsShown(Ctl(id::ShowProgressBtn))) << "visible from the start";
  EXPECT_TRUE(MenuChecked(id::ShowAlwaysMenu));

  Menu(id::HideAlwaysMenu);
  EXPECT_FALSE(guitest::IsShown(Ctl(id::ShowProgressBtn)));
  EXPECT_TRUE(MenuChecked(id::HideAlwaysMenu));
  EXPECT_EQ(2, SettingsStore.ReadIntegerValue("DisplayProgressButton"));
  Menu(id::AutoHideMenu);
  EXPECT_TRUE(MenuChecked(id::AutoHideMenu));
  EXPECT_FALSE(MenuChecked(id::HideAlwaysMenu));
  EXPECT_TRUE(form->Presenter().AutoProgressButton());
  EXPECT_EQ(3, SettingsStore.ReadIntegerValue("DisplayProgressButton"));
}

// Presses OK in the about window as soon as it shows, noting that it came and its owner.
struct AboutCloser {
  HWND owner = nullptr;
  guitest::WhenShown watch{L"StampelVersion", [this](HWND window) {
                             owner = GetWindow(window, GW_OWNER);
                             SendMessageW(GetDlgItem(window, ui::win32::version_id::OkBtn),
                                          BM_CLICK, 0, 0);
                           }};
};

TEST_F(MainWindow, F1TheHelpMenuAndSystemCommand42OpenTheAboutWindow) {
  Open();
  {
    AboutCloser closer;
    guitest::PressKey(EditOf(id::FormatEdit), VK_F1);
    EXPECT_TRUE(closer.watch.Acted());
    EXPECT_FALSE(closer.watch.Failed());
    EXPECT_EQ(Form(), closer.owner);
  }
  {
    AboutCloser closer;
    Menu(id::VersionMenu);
    EXPECT_TRUE(closer.watch.Acted());
  }
  {
    AboutCloser closer;
    SendMessageW(Form(), WM_SYSCOMMAND, 42, 0);
    EXPECT_TRUE(closer.watch.Acted());
    EXPECT_FALSE(closer.watch.Failed());
  }
  // The entry at the end of the system menu, after a separator.
  HMENU system = GetSystemMenu(Form(), FALSE);
  const int count = GetMenuItemCount(system);
  ASSERT_GE(count, 2);
  EXPECT_EQ(42u, GetMenuItemID(system, count - 1));
  wchar_t caption[64] = {};
  GetMenuStringW(system, 42, caption, 64, MF_BYCOMMAND);
  EXPECT_EQ("Version...", platform::win32::Narrow(caption));
  MENUITEMINFOW separator{};
  separator.cbSize = sizeof(separator);
  separator.fMask = MIIM_FTYPE;
  GetMenuItemInfoW(system, count - 2, TRUE, &separator);
  EXPECT_TRUE(separator.fType & MFT_SEPARATOR);
}

TEST_F(MainWindow, MainMenuCaptions) {
  Open();
  const auto caption = [this](HMENU menu, UINT at, UINT by) {
    wchar_t text[128] = {};
    GetMenuStringW(menu, at, text, 128, by);
    return platform::win32::Narrow(text);
  };
  HMENU bar = form->MenuHandle();
  EXPECT_EQ("&File", caption(bar, 0, MF_BYPOSITION));
  EXPECT_EQ("O&ptions", caption(bar, 1, MF_BYPOSITION));
  EXPECT_EQ("&Help", caption(bar, 2, MF_BYPOSITION));
  const std::pair<int, const char*> items[] = {
      {id::RunMenu, "R&un Stampel..."},
      {id::PreviewMenu, "&Preview..."},
      {id::UndoMenu, "Undo &Last Run..."},
      {id::QuitMenu, "&Quit\tCtrl+X"},
      {id::SearchMenu, "S&earch..."},
      {id::OrgTSMenu, "Original Timestamp (/&O)"},
      {id::IntTSMenu, "&Internal Timestamp"},
      {id::FileMenu, "Set File Modification Timestamp (/&T)"},
      {id::DelOrgMenu, "Delete the Original Filename Part (/&D)"},
      {id::FileNoMenu, "Pad File with Counter (/&N3)"},
      {id::OverWrtMenu, "Overwrite Existing Files (/&Y)"},
      {id::CopyMenu, "Copy File instead of Move File (/C)"},
      {id::SubDirMenu, "Process all Subdirectories (/R)"},
      {id::DisplayMenu, "Show Activity while Processing (/&S)"},
      {id::ShowAlwaysMenu, "&Show Always"},
      {id::HideAlwaysMenu, "&Hide Always"},
      {id::AutoHideMenu, "&Auto"},
      {id::TranslationsMenu, "&Translations..."},
      {id::VersionMenu, "&Version...\tF1"},
  };
  for (const auto& [command, text] : items) EXPECT_EQ(text, caption(bar, command, MF_BYCOMMAND));
  HMENU options = GetSubMenu(bar, 1);
  EXPECT_EQ("&Date Selection", caption(options, 1, MF_BYPOSITION));
  EXPECT_EQ("&Switches", caption(options, 2, MF_BYPOSITION));
  EXPECT_EQ("Toggle &Progress Button", caption(options, 3, MF_BYPOSITION));
}

TEST_F(MainWindow, EscapeAndCtrlXCloseWithoutAQuestionAndTheChoicesAreSaved) {
  Open();
  Click(id::CopyChk);
  guitest::PressKey(EditOf(id::FormatEdit), VK_ESCAPE);
  EXPECT_EQ(1, closed);
  EXPECT_FALSE(IsWindowVisible(Form()));
  Close();
  EXPECT_TRUE(SettingsStore.ReadBoolValue("LastFileCopy"));

  Open();
  BYTE keys[256] = {};
  GetKeyboardState(keys);
  keys[VK_CONTROL] = 0x80;
  SetKeyboardState(keys);
  guitest::PressKey(EditOf(id::FormatEdit), 'X');
  keys[VK_CONTROL] = 0;
  SetKeyboardState(keys);
  EXPECT_EQ(2, closed);
}

TEST_F(MainWindow, RegionalSettingsNoticeReloadsTheLocale) {
  Open();
  Retype(id::FormatEdit, L"yyyy/mm");
  const std::string shown = Example();
  LocaleFormats.DateSep = "#";
  SendMessageW(Ctl(id::ExplLbl), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"stale"));
  SendMessageW(Form(), WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(L"intl"));
  EXPECT_EQ(shown, Example()) << "the user's separator again, not the one set by hand";
  LocaleFormats.DateSep = "#";
  SendMessageW(Form(), WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(L"Environment"));
  EXPECT_EQ(shown, Example()) << "other notices change nothing";
  LoadLocaleFormats();
}

TEST_F(MainWindow, AcceleratorOfTheStampelLabelFocusesTheFormatBox) {
  Open();
  SetFocus(Ctl(id::RunBtn));
  guitest::PressAltKey(Ctl(id::RunBtn), L'l');
  HWND focus = GetFocus();
  EXPECT_TRUE(focus == EditOf(id::FormatEdit) || focus == Ctl(id::FormatEdit))
      << GetDlgCtrlID(focus) << " " << guitest::TextOf(focus);
}

}  // namespace
