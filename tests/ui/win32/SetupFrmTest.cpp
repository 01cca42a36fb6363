#include <gtest/gtest.h>

#include <memory>

#include "MainWindowFixture.h"
// After the Windows headers that the fixture brings.
#include <commctrl.h>

#include "platform/FileOperations.h"
#include "platform/win32/WinText.h"
#include "settings/Translations.h"
#include "tests/support/Photos.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestRun.h"
#include "ui/win32/SetupFrm.h"
#include "ui/win32/SetupFrmRes.h"

namespace {

namespace id = ui::win32::setup_id;
namespace main_id = ui::win32::stampel_id;
using Lines = std::vector<std::string>;

std::wstring ClassOf(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}

// The dialog, shown over no window, driven with messages; its modal loop is not needed
// for that.
class SetupFrm : public ::testing::Test {
 protected:
  void Open() {
    form = std::make_unique<ui::win32::TSetupFrm>(nullptr);
    ShowWindow(form->Handle(), SW_SHOW);
    guitest::Pump();
  }
  HWND Form() const { return form->Handle(); }
  HWND Ctl(int control) const { return GetDlgItem(Form(), control); }
  HWND Editor() const { return GetDlgItem(Ctl(id::ModelLst), id::ModelCellEdit); }
  HWND List() const { return Ctl(id::ModelLst); }
  // The grid's rows as the list shows them: model "=" translation.
  Lines Rows() const {
    Lines rows;
    const int count = ListView_GetItemCount(List());
    for (int row = 0; row < count; ++row) {
      wchar_t key[256] = {};
      wchar_t value[256] = {};
      ListView_GetItemText(List(), row, 0, key, 256);
      ListView_GetItemText(List(), row, 1, value, 256);
      rows.push_back(platform::win32::Narrow(key) + "=" + platform::win32::Narrow(value));
    }
    return rows;
  }
  void TypeInCell(const std::wstring& text) {
    SetFocus(Editor());
    SendMessageW(Editor(), EM_SETSEL, 0, -1);
    SendMessageW(Editor(), WM_CHAR, VK_BACK, 1);
    for (wchar_t c : text) SendMessageW(Editor(), WM_CHAR, c, 1);
  }
  void Key(WPARAM key) { guitest::PressKey(GetFocus(), key); }
  void CtrlKey(WPARAM key) {
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    Key(key);
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
  }
  void Click(int control) {
    SendMessageW(Ctl(control), BM_CLICK, 0, 0);
    guitest::Pump();
  }
  void Seed(const std::vector<std::pair<int, std::string>>& values) {
    for (const auto& [n, line] : values)
      SettingsStore.WriteStringValue("ModelTranslation" + std::to_string(n), line);
    settings.Reload();
  }

  test::SettingsSandbox settings;
  std::unique_ptr<ui::win32::TSetupFrm> form;
};

TEST_F(SetupFrm, TextsHintsPlacesAndStart) {
  Open();
  EXPECT_EQ("Stampel Translations", guitest::TextOf(Form()));
  const int dpi = guitest::DpiOf(Form());
  const RECT client = guitest::ClientOf(Form());
  EXPECT_EQ(ui::ScaleToDpi(530, dpi), client.right);
  EXPECT_EQ(ui::ScaleToDpi(324, dpi), client.bottom);
  EXPECT_FALSE(GetWindowLongW(Form(), GWL_STYLE) & WS_THICKFRAME);
  struct Expected {
    int control;
    const wchar_t* className;
    const char* caption;
    const char* hint;
  };
  const Expected controls[] = {
      {id::InfoLbl, L"Static",
       "Enter the values to be used for translation. These values are valid for both, GUI and "
       "Batch modes!",
       ""},
      {id::ModelTransGrpBox, L"Button", "&Model Translation", ""},
      {id::Label1, L"Static", "Values for the 'MODEL' keyword:", ""},
      {id::ModelLst, L"SysListView32", "", "list of translations for the 'Model' keyword"},
      {id::OrientTransGrpBox, L"Button", "&Orientation Translation", ""},
      {id::OrientInfoLbl, L"Static", "Values for the 'ORIENT' keyword:", ""},
      {id::LandscapeLbl, L"Static", "For &Landscape:", ""},
      {id::LandscapeEdit, L"Edit", "L", "value for landscape orientation (default : L)"},
      {id::PortraitLbl, L"Static", "For &Portrait:", ""},
      {id::PortraitEdit, L"Edit", "P", "value for portrait orientation (default : P)"},
      {id::OkBtn, L"Button", "OK", "Ok, that's it!"},
      {id::CancelBtn, L"Button", "Cancel", "close this screen"},
  };
  for (const Expected& e : controls) {
    SCOPED_TRACE(e.control);
    ASSERT_NE(nullptr, Ctl(e.control));
    EXPECT_EQ(0, lstrcmpiW(e.className, ClassOf(Ctl(e.control)).c_str()));
    EXPECT_EQ(e.caption, guitest::TextOf(Ctl(e.control)));
    EXPECT_EQ(e.hint, guitest::HintOf(Form(), Ctl(e.control)));
  }
  const auto at = [&](int control) { return guitest::BoundsOf(Ctl(control)); };
  const auto scaled = [dpi](int v) { return ui::ScaleToDpi(v, dpi); };
  EXPECT_EQ(scaled(8), at(id::InfoLbl).left);
  EXPECT_EQ(scaled(12), at(id::InfoLbl).top);
  EXPECT_EQ(scaled(8), at(id::ModelTransGrpBox).left);
  EXPECT_EQ(scaled(53), at(id::ModelTransGrpBox).top);
  EXPECT_EQ(scaled(313), at(id::ModelTransGrpBox).right - at(id::ModelTransGrpBox).left);
  EXPECT_EQ(scaled(332), at(id::OrientTransGrpBox).left);
  EXPECT_EQ(scaled(440), at(id::LandscapeEdit).left);
  EXPECT_EQ(scaled(99), at(id::LandscapeEdit).top);
  EXPECT_EQ(scaled(123), at(id::PortraitEdit).top);
  // Cancel 4 pixels from the right edge, OK 4 pixels left of it.
  EXPECT_EQ(client.right - scaled(4), at(id::CancelBtn).right);
  EXPECT_EQ(at(id::CancelBtn).left - scaled(4), at(id::OkBtn).right);
  EXPECT_EQ(scaled(97), at(id::OkBtn).right - at(id::OkBtn).left);
  // The grid: its titles and column widths.
  HWND header = ListView_GetHeader(List());
  wchar_t title[32] = {};
  HDITEMW item{};
  item.mask = HDI_TEXT;
  item.pszText = title;
  item.cchTextMax = 32;
  Header_GetItem(header, 0, &item);
  EXPECT_EQ("Model", platform::win32::Narrow(title));
  Header_GetItem(header, 1, &item);
  EXPECT_EQ("Translation", platform::win32::Narrow(title));
  EXPECT_EQ(scaled(171), ListView_GetColumnWidth(List(), 0));
  EXPECT_EQ(scaled(132), ListView_GetColumnWidth(List(), 1));
  EXPECT_TRUE(ListView_GetExtendedListViewStyle(List()) & LVS_EX_GRIDLINES);
  EXPECT_EQ(ui::FontPixelHeight(8, dpi), guitest::FontOf(Ctl(id::OkBtn)).height);
  EXPECT_EQ(ui::FontPixelHeight(9, dpi), guitest::FontOf(Ctl(id::InfoLbl)).height);
  // The editor stands over the first row's model cell; OK has the focus.
  EXPECT_TRUE(IsWindowVisible(Editor()));
  RECT cell{};
  ListView_GetSubItemRect(List(), 0, 0, LVIR_BOUNDS, &cell);
  EXPECT_EQ(cell.top, guitest::BoundsOf(Editor()).top);
  EXPECT_EQ(Ctl(id::OkBtn), GetFocus());
}

TEST_F(SetupFrm, OpensFromTheMainWindowCentredOnIt) {
  struct Seen {
    std::string caption;
    HWND owner = nullptr;
    RECT rect{};
  } seen;
  ui::win32::TStampelFrm main(SettingsStore);
  main.Show();
  guitest::WhenShown watch(L"StampelSetup", [&](HWND dialog) {
    seen.caption = guitest::TextOf(dialog);
    seen.owner = GetWindow(dialog, GW_OWNER);
    seen.rect = guitest::WindowRectOf(dialog);
    PostMessageW(dialog, WM_KEYDOWN, VK_ESCAPE, 1);
  });
  SendMessageW(main.Handle(), WM_COMMAND, MAKEWPARAM(main_id::TranslationsMenu, 0), 0);
  EXPECT_TRUE(watch.Acted());
  EXPECT_FALSE(watch.Failed()) << "Escape closes it";
  EXPECT_EQ("Stampel Translations", seen.caption);
  EXPECT_EQ(main.Handle(), seen.owner);
  const RECT m = guitest::WindowRectOf(main.Handle());
  EXPECT_NEAR((m.left + m.right) / 2, (seen.rect.left + seen.rect.right) / 2, 1);
  EXPECT_NEAR((m.top + m.bottom) / 2, (seen.rect.top + seen.rect.bottom) / 2, 1);
}

TEST_F(SetupFrm, RowsInOrderWithGapsClosed) {
  Seed({{0, "A=1"}, {2, "B=2"}, {5, "C=3"}});
  Open();
  EXPECT_EQ((Lines{"A=1", "B=2", "C=3"}), Rows());
  Click(id::OkBtn);
  // The three lines under 0 to 2; 3 to 64 gone.
  EXPECT_EQ("A=1", SettingsStore.ReadStringValue("ModelTranslation0"));
  EXPECT_EQ("B=2", SettingsStore.ReadStringValue("ModelTranslation1"));
  EXPECT_EQ("C=3", SettingsStore.ReadStringValue("ModelTranslation2"));
  EXPECT_EQ("", SettingsStore.ReadStringValue("ModelTranslation5"));
}

TEST_F(SetupFrm, EditAddAndDeleteRowsByKeyboard) {
  Open();
  EXPECT_EQ((Lines{"="}), Rows()) << "an empty list shows one row to type into";
  TypeInCell(L"NIKON D70");
  Key(VK_TAB);
  TypeInCell(L"D70");
  Key(VK_DOWN);  // a filled last row gets a new one
  TypeInCell(L"Canon PowerShot S40");
  Key(VK_TAB);
  TypeInCell(L"S40 日本");
  Key(VK_UP);
  EXPECT_EQ((Lines{"NIKON D70=D70", "Canon PowerShot S40=S40 日本"}), Rows());
  Key(VK_INSERT);  // a blank row above the current one
  EXPECT_EQ((Lines{"=", "NIKON D70=D70", "Canon PowerShot S40=S40 日本"}), Rows());
  Key(VK_DOWN);
  CtrlKey(VK_DELETE);
  EXPECT_EQ((Lines{"=", "Canon PowerShot S40=S40 日本"}), Rows());
  // Tab from the last cell leaves the grid for the landscape box.
  Key(VK_DOWN);
  Key(VK_TAB);
  Key(VK_TAB);
  EXPECT_EQ(Ctl(id::LandscapeEdit), GetFocus());
  Click(id::OkBtn);
  EXPECT_EQ((Lines{"=", "Canon PowerShot S40=S40 日本"}), ModelTranslations);
}

TEST_F(SetupFrm, OkStoresMemoryAndRegistryAsThePartsSay) {
  for (int n = 0; n <= 64; ++n)
    SettingsStore.WriteStringValue("ModelTranslation" + std::to_string(n),
                                   "old" + std::to_string(n) + "=x");
  settings.Reload();
  ModelTranslations = {"A=1", "=", "C=3"};  // a blank row between two filled rows
  Open();
  Click(id::OkBtn);
  EXPECT_EQ((Lines{"A=1", "=", "C=3"}), ModelTranslations);
  EXPECT_EQ("A=1", SettingsStore.ReadStringValue("ModelTranslation0"));
  EXPECT_EQ("", SettingsStore.ReadStringValue("ModelTranslation1"));
  EXPECT_EQ("C=3", SettingsStore.ReadStringValue("ModelTranslation2"));
  for (int n = 3; n <= 64; ++n)
    EXPECT_EQ("", SettingsStore.ReadStringValue("ModelTranslation" + std::to_string(n))) << n;
  EXPECT_EQ("L", SettingsStore.ReadStringValue("OrientationLandscape"));
  settings.Reload();
  EXPECT_EQ((Lines{"A=1", "C=3"}), ModelTranslations) << "the next start";
}

TEST_F(SetupFrm, EmptyListConfirmedDeletesTheOldValues) {
  SettingsStore.WriteStringValue("ModelTranslation64", "x=y");
  SettingsStore.WriteStringValue("ModelTranslation0", "a=b");
  ModelTranslations.clear();
  Open();
  Click(id::OkBtn);
  EXPECT_TRUE(ModelTranslations.empty());
  EXPECT_EQ("", SettingsStore.ReadStringValue("ModelTranslation0"));
  EXPECT_EQ("", SettingsStore.ReadStringValue("ModelTranslation64"));
}

TEST_F(SetupFrm, CancelEscapeAndTheCloseBoxChangeNothing) {
  Seed({{0, "A=1"}});
  SettingsStore.WriteStringValue("OrientationLandscape", "quer");
  settings.Reload();
  for (int way = 0; way < 3; ++way) {
    SCOPED_TRACE(way);
    Open();
    TypeInCell(L"Z");
    SetWindowTextW(Ctl(id::LandscapeEdit), L"wide");
    if (way == 0) Click(id::CancelBtn);
    if (way == 1) guitest::PressKey(Editor(), VK_ESCAPE);
    if (way == 2) SendMessageW(Form(), WM_CLOSE, 0, 0);
    guitest::Pump();
    EXPECT_EQ((Lines{"A=1"}), ModelTranslations);
    EXPECT_EQ("quer", LandscapeWord);
    EXPECT_EQ("A=1", SettingsStore.ReadStringValue("ModelTranslation0"));
    EXPECT_EQ("quer", SettingsStore.ReadStringValue("OrientationLandscape"));
    form.reset();
  }
  Open();
  EXPECT_EQ((Lines{"A=1"}), Rows()) << "reopened: the old values";
  EXPECT_EQ("quer", guitest::TextOf(Ctl(id::LandscapeEdit)));
}

TEST_F(SetupFrm, ASixtyFifthRowCannotBeReached) {
  Lines full;
  for (int i = 0; i < 64; ++i) full.push_back("M" + std::to_string(i) + "=T");
  ModelTranslations = full;
  Open();
  EXPECT_EQ(64, ListView_GetItemCount(List()));
  SetFocus(Editor());
  for (int i = 0; i < 70; ++i) Key(VK_DOWN);
  EXPECT_EQ(64u, form->Rows().RowCount());
  EXPECT_EQ(63, ListView_GetNextItem(List(), -1, LVNI_SELECTED));
  EXPECT_EQ(64, ListView_GetItemCount(List())) << "Down on the last row adds none";
  Key(VK_INSERT);
  EXPECT_EQ(64, ListView_GetItemCount(List())) << "neither does Insert";
  Click(id::OkBtn);
  EXPECT_EQ(full, ModelTranslations);
  EXPECT_EQ("M63=T", SettingsStore.ReadStringValue("ModelTranslation63"));
}

TEST_F(SetupFrm, ADuplicateKeyOrOneWithEqualsIsRefusedNamingIt) {
  ModelTranslations = {"NIKON D70=D70", "Canon=C"};
  Open();
  SetFocus(Editor());
  Key(VK_DOWN);
  TypeInCell(L"nikon d70");
  {
    guitest::MessageBoxWatcher watcher;
    Key(VK_TAB);
    watcher.Finish();
    EXPECT_TRUE(watcher.Seen());
    EXPECT_NE(std::string::npos, watcher.Text().find("\"nikon d70\""));
  }
  EXPECT_EQ(1, ListView_GetNextItem(List(), -1, LVNI_SELECTED)) << "the editor stayed";
  EXPECT_EQ("nikon d70", guitest::TextOf(Editor()));
  TypeInCell(L"a=b");
  {
    guitest::MessageBoxWatcher watcher;
    Click(id::OkBtn);
    watcher.Finish();
    EXPECT_TRUE(watcher.Seen());
    EXPECT_NE(std::string::npos, watcher.Text().find("\"a=b\""));
  }
  EXPECT_TRUE(IsWindowVisible(Form())) << "OK does not close with a refused key";
  EXPECT_EQ((Lines{"NIKON D70=D70", "Canon=C"}), ModelTranslations);
  TypeInCell(L"Canon EOS");
  Click(id::OkBtn);
  EXPECT_EQ((Lines{"NIKON D70=D70", "Canon EOS=C"}), ModelTranslations);
}

TEST_F(SetupFrm, OrientationBoxes) {
  Open();
  // Blanks only: the default word comes back when the box is left.
  SetFocus(Ctl(id::LandscapeEdit));
  SetWindowTextW(Ctl(id::LandscapeEdit), L"  \t ");
  SetFocus(Ctl(id::PortraitEdit));
  EXPECT_EQ("L", guitest::TextOf(Ctl(id::LandscapeEdit)));
  // Typed text stays as typed, surrounding blanks and Unicode included.
  SetWindowTextW(Ctl(id::PortraitEdit), L" hoch 縦 ");
  SetFocus(Ctl(id::LandscapeEdit));
  EXPECT_EQ(" hoch 縦 ", guitest::TextOf(Ctl(id::PortraitEdit)));
  // At most 32 characters: the 33rd cannot be typed.
  SendMessageW(Ctl(id::LandscapeEdit), EM_SETSEL, 0, -1);
  for (int i = 0; i < 40; ++i) SendMessageW(Ctl(id::LandscapeEdit), WM_CHAR, L'q', 1);
  EXPECT_EQ(std::string(32, 'q'), guitest::TextOf(Ctl(id::LandscapeEdit)));
  // Enter presses OK while the box is blank: the default word is stored, not blanks.
  SetWindowTextW(Ctl(id::LandscapeEdit), L"   ");
  guitest::PressKey(Ctl(id::LandscapeEdit), VK_RETURN);
  EXPECT_EQ("L", LandscapeWord);
  EXPECT_EQ(" hoch 縦 ", PortraitWord);
  EXPECT_EQ(" hoch 縦 ", SettingsStore.ReadStringValue("OrientationPortrait"));
}

// The next run in the same window and the next batch run use the new words.
class SetupThenRun : public guitest::MainWindowTest {};

TEST_F(SetupThenRun, TheNextRunsUseTheNewTranslationAndWord) {
  test::TempDir dir;
  test::WriteBytes(dir / "a.jpg", test::Photo({"2004:05:07 10:00:00", "", "NIKON D70", 640, 480}));
  Open();
  guitest::WhenShown edit(L"StampelSetup", [](HWND dialog) {
    HWND list = GetDlgItem(dialog, id::ModelLst);
    HWND editor = GetDlgItem(list, id::ModelCellEdit);
    SetFocus(editor);
    SetWindowTextW(editor, L"nikon d70");
    guitest::PressKey(editor, VK_TAB);
    SetWindowTextW(GetDlgItem(list, id::ModelCellEdit), L"D70");
    SetWindowTextW(GetDlgItem(dialog, id::LandscapeEdit), L"quer");
    SendMessageW(GetDlgItem(dialog, id::OkBtn), BM_CLICK, 0, 0);
  });
  Menu(main_id::TranslationsMenu);
  ASSERT_TRUE(edit.Acted());
  EXPECT_EQ((Lines{"nikon d70=D70"}), ModelTranslations);
  Retype(main_id::FormatEdit, L"'Model'_'Orient'_");
  Retype(main_id::FilePathEdit, platform::win32::Widen(dir / "*.jpg"));
  Click(main_id::DelOrgChk);
  {
    guitest::MessageBoxWatcher watcher(IDNO);
    Click(main_id::RunBtn);
  }
  EXPECT_TRUE(platform::FileExists(dir / "D70_quer_.jpg"));

  // A later batch start loads the stored tables and names the same way.
  Close();
  test::WriteBytes(dir / "b.jpg", test::Photo({"2004:05:07 10:00:00", "", "NIKON D70", 480, 640}));
  settings.Reload();
  test::TestRun run;
  run.options.Format = "'Model'_'Orient'_";
  run.options.DropOldName = true;
  run.Rename(dir / "b.jpg");
  EXPECT_TRUE(platform::FileExists(dir / "D70_P_.jpg"));
}

}  // namespace
