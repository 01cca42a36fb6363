#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "GuiTest.h"
#include "platform/win32/WinText.h"
#include "ui/About.h"
#include "ui/DpiScale.h"
#include "ui/win32/Fonts.h"
#include "ui/win32/VersionFrm.h"
#include "ui/win32/VersionFrmRes.h"

namespace {

using guitest::ControlText;
using namespace ui::win32;
namespace id = ui::win32::version_id;

int Scaled(HWND window, int designed) { return MulDiv(designed, guitest::DpiOf(window), 96); }

// Tahoma where it is installed, the system's dialog font where not.
std::string ExpectedFace() {
  return platform::win32::Narrow(FontFamilyExists(L"Tahoma") ? L"Tahoma" : DialogFontFace());
}

TEST(VersionFrm, ShowsEveryTextOfTheWindow) {
  TVersionFrm form(nullptr);
  HWND window = form.Handle();
  EXPECT_EQ("Stampel", guitest::TextOf(window));
  EXPECT_EQ("Stampel  -  Exif Rename Utility  -  Version 2.1.1 (2008-06-15)",
            ControlText(window, id::TitleLbl));
  EXPECT_EQ(about::CreditText(), ControlText(window, id::CreditLbl));
  EXPECT_EQ("", ControlText(window, id::BetaLbl));
  EXPECT_EQ("Run the application without any parameter to start in GUI mode.",
            ControlText(window, id::Lbl1));
  EXPECT_EQ("For documentation read:", ControlText(window, id::Lbl2));
  EXPECT_EQ("Stampel.pdf", ControlText(window, id::StampelLbl));
  EXPECT_EQ(".", ControlText(window, id::Dot1Lbl));
  EXPECT_EQ("The most actual version is available at:", ControlText(window, id::Lbl3));
  EXPECT_EQ(about::LinkText(), ControlText(window, id::LinkLbl));
  EXPECT_EQ(".", ControlText(window, id::Dot2Lbl));
  EXPECT_EQ("&OK", ControlText(window, id::OkBtn));
}

TEST(VersionFrm, FixedSingleBorderWithOnlyTheCloseBox) {
  TVersionFrm form(nullptr);
  const LONG style = GetWindowLongW(form.Handle(), GWL_STYLE);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_TRUE(style & WS_CAPTION);
  EXPECT_FALSE(style & WS_THICKFRAME);
  EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
  const RECT client = guitest::ClientOf(form.Handle());
  EXPECT_EQ(Scaled(form.Handle(), 413), client.right);
  EXPECT_EQ(Scaled(form.Handle(), 301), client.bottom);
}

TEST(VersionFrm, CentredOnTheScreen) {
  TVersionFrm form(nullptr);
  const RECT r = guitest::WindowRectOf(form.Handle());
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  GetMonitorInfoW(MonitorFromWindow(form.Handle(), MONITOR_DEFAULTTOPRIMARY), &info);
  const RECT& screen = info.rcMonitor;
  EXPECT_LE(std::abs((r.left - screen.left) - (screen.right - r.right)), 1);
  EXPECT_LE(std::abs((r.top - screen.top) - (screen.bottom - r.bottom)), 1);
}

TEST(VersionFrm, LabelsStandAtTheirDesignedPlaces) {
  TVersionFrm form(nullptr);
  HWND window = form.Handle();
  struct Place {
    int control;
    int left;
    int top;
  };
  const Place places[] = {{id::TitleLbl, 18, 18}, {id::CreditLbl, 18, 36}, {id::BetaLbl, 24, 52},
                          {id::Lbl1, 18, 78},     {id::Lbl2, 18, 102},     {id::Lbl3, 18, 138},
                          {id::LinkLbl, 30, 156}};
  for (const Place& p : places) {
    const RECT r = guitest::BoundsOf(guitest::Control(window, p.control));
    EXPECT_EQ(Scaled(window, p.left), r.left) << p.control;
    EXPECT_EQ(Scaled(window, p.top), r.top) << p.control;
  }
  const RECT ok = guitest::BoundsOf(guitest::Control(window, id::OkBtn));
  EXPECT_EQ(Scaled(window, 164), ok.left);
  EXPECT_EQ(Scaled(window, 264), ok.top);
  EXPECT_EQ(Scaled(window, 85), ok.right - ok.left);
  EXPECT_EQ(Scaled(window, 29), ok.bottom - ok.top);
}

TEST(VersionFrm, FullStopsFollowTheManualAndTheLink) {
  TVersionFrm form(nullptr);
  HWND window = form.Handle();
  const RECT lbl2 = guitest::BoundsOf(guitest::Control(window, id::Lbl2));
  const RECT manual = guitest::BoundsOf(guitest::Control(window, id::StampelLbl));
  const RECT dot1 = guitest::BoundsOf(guitest::Control(window, id::Dot1Lbl));
  const RECT link = guitest::BoundsOf(guitest::Control(window, id::LinkLbl));
  const RECT dot2 = guitest::BoundsOf(guitest::Control(window, id::Dot2Lbl));
  EXPECT_GT(manual.left, lbl2.right) << "the manual's name does not cover its lead-in";
  EXPECT_GE(dot1.left, manual.right);
  EXPECT_LE(dot1.left, std::max<LONG>(manual.right, Scaled(window, 213)));
  EXPECT_EQ(link.right, dot2.left);
  EXPECT_EQ(Scaled(window, 158), dot2.top);
  EXPECT_GT(link.right - link.left, Scaled(window, 100)) << "the label is as wide as its text";
}

TEST(VersionFrm, FontsOfTheLabels) {
  TVersionFrm form(nullptr);
  HWND window = form.Handle();
  const int dpi = guitest::DpiOf(window);
  const auto title = guitest::FontOf(guitest::Control(window, id::TitleLbl));
  EXPECT_EQ(ExpectedFace(), title.face);
  EXPECT_TRUE(title.bold);
  EXPECT_EQ(ui::FontPixelHeight(9, dpi), title.height);
  const auto manual = guitest::FontOf(guitest::Control(window, id::StampelLbl));
  EXPECT_TRUE(manual.bold);
  EXPECT_EQ(ui::FontPixelHeight(9, dpi), manual.height);
  const auto plain = guitest::FontOf(guitest::Control(window, id::Lbl1));
  EXPECT_FALSE(plain.bold);
  EXPECT_EQ(ui::FontPixelHeight(8, dpi), plain.height);
  const auto link = guitest::FontOf(guitest::Control(window, id::LinkLbl));
  EXPECT_TRUE(link.underline);
  EXPECT_EQ(ui::FontPixelHeight(10.5, dpi), link.height);
  EXPECT_EQ(14, ui::FontPixelHeight(10.5, 96));
}

TEST(VersionFrm, MovingToAMonitorWithAnotherDpiScalesEverything) {
  TVersionFrm form(nullptr);
  HWND window = form.Handle();
  RECT suggested{200, 100, 200 + 640, 100 + 480};
  SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
  EXPECT_EQ(200, guitest::WindowRectOf(window).left);
  const RECT ok = guitest::BoundsOf(guitest::Control(window, id::OkBtn));
  EXPECT_EQ(246, ok.left);
  EXPECT_EQ(396, ok.top);
  EXPECT_EQ(128, ok.right - ok.left);
  EXPECT_EQ(44, ok.bottom - ok.top);
  const RECT title = guitest::BoundsOf(guitest::Control(window, id::TitleLbl));
  EXPECT_EQ(27, title.left);
  EXPECT_EQ(18, guitest::FontOf(guitest::Control(window, id::TitleLbl)).height);
  EXPECT_EQ(21, guitest::FontOf(guitest::Control(window, id::LinkLbl)).height);
  EXPECT_EQ(16, guitest::FontOf(guitest::Control(window, id::Lbl1)).height);
}

TEST(VersionFrm, HintsOfTheLinkAndTheButton) {
  TVersionFrm form(nullptr);
  HWND window = form.Handle();
  EXPECT_EQ("open link", guitest::HintOf(window, guitest::Control(window, id::LinkLbl)));
  EXPECT_EQ("Alles klar!", guitest::HintOf(window, guitest::Control(window, id::OkBtn)));
}

TEST(VersionFrm, LinkShowsAnAmpersandAsItIs) {
  TVersionFrm form(nullptr);
  HWND link = guitest::Control(form.Handle(), id::LinkLbl);
  EXPECT_TRUE(GetWindowLongW(link, GWL_STYLE) & SS_NOPREFIX);
  EXPECT_TRUE(GetWindowLongW(link, GWL_STYLE) & SS_NOTIFY) << "it takes clicks";
}

TEST(VersionFrm, ClickOnTheLinkHandsItsTextToTheShell) {
  TVersionFrm form(nullptr);
  std::vector<std::string> opened;
  HWND parent = nullptr;
  form.SetLinkOpener([&](HWND window, const std::string& link) {
    parent = window;
    opened.push_back(link);
  });
  HWND link = guitest::Control(form.Handle(), id::LinkLbl);
  SendMessageW(link, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
  SendMessageW(link, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
  ASSERT_EQ(1u, opened.size());
  EXPECT_EQ(about::LinkText(), opened[0]);
  EXPECT_EQ(form.Handle(), parent);
  // The current text is taken, whatever it is.
  SetWindowTextW(link, L"https://example.org/?a=1&b=2");
  form.LinkLblClick();
  EXPECT_EQ("https://example.org/?a=1&b=2", opened.back());
}

TEST(VersionFrm, OkButtonEndsTheModalWindow) {
  TVersionFrm form(nullptr);
  bool focusWasOnOk = false;
  guitest::WhenShown watch(L"StampelVersion", [&](HWND window) {
    focusWasOnOk = GetFocus() == guitest::Control(window, id::OkBtn);
    SendMessageW(guitest::Control(window, id::OkBtn), BM_CLICK, 0, 0);
  });
  form.Execute();
  EXPECT_TRUE(watch.Acted());
  EXPECT_FALSE(watch.Failed());
  EXPECT_TRUE(focusWasOnOk);
  EXPECT_FALSE(IsWindowVisible(form.Handle()));
}

TEST(VersionFrm, EnterPressesOk) {
  TVersionFrm form(nullptr);
  guitest::WhenShown watch(L"StampelVersion", [&](HWND window) {
    guitest::PressKey(guitest::Control(window, id::OkBtn), VK_RETURN);
  });
  form.Execute();
  EXPECT_TRUE(watch.Acted());
  EXPECT_FALSE(watch.Failed()) << "Enter did not close the window";
}

TEST(VersionFrm, CloseBoxEndsItAndEscapeDoesNot) {
  TVersionFrm form(nullptr);
  bool visibleAfterEscape = false;
  guitest::WhenShown watch(L"StampelVersion", [&](HWND window) {
    guitest::PressKey(guitest::Control(window, id::OkBtn), VK_ESCAPE);
    visibleAfterEscape = IsWindowVisible(window) != FALSE;
    SendMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
  });
  form.Execute();
  EXPECT_TRUE(watch.Acted());
  EXPECT_FALSE(watch.Failed());
  EXPECT_TRUE(visibleAfterEscape) << "no button is the cancel button";
}

TEST(VersionFrm, OtherWindowsWaitWhileItIsOpen) {
  guitest::TestMainWindow main(10, 10, 200, 100);
  ShowWindow(main.MainWindowHandle(), SW_SHOWNA);
  TVersionFrm form(main.MainWindowHandle());
  bool mainEnabled = true;
  guitest::WhenShown watch(L"StampelVersion", [&](HWND window) {
    mainEnabled = IsWindowEnabled(main.MainWindowHandle()) != FALSE;
    PostMessageW(window, WM_COMMAND, MAKEWPARAM(id::OkBtn, BN_CLICKED),
                 reinterpret_cast<LPARAM>(guitest::Control(window, id::OkBtn)));
  });
  form.Execute();
  EXPECT_FALSE(watch.Failed());
  EXPECT_FALSE(mainEnabled);
  EXPECT_TRUE(IsWindowEnabled(main.MainWindowHandle()));
  EXPECT_EQ(main.MainWindowHandle(), GetWindow(form.Handle(), GW_OWNER));
}

}  // namespace
