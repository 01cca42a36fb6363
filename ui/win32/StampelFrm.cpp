#include "ui/win32/StampelFrm.h"

#include <commctrl.h>
#include <shellapi.h>

#include <cwchar>
#include <utility>

#include "engine/format/LocaleFormats.h"
#include "platform/win32/WinText.h"
#include "ui/About.h"
#include "ui/FormatPreview.h"
#include "ui/MainLayout.h"
#include "ui/MainTexts.h"
#include "ui/ProgressTexts.h"
#include "ui/win32/Bevel.h"
#include "ui/win32/Dpi.h"
#include "ui/win32/FolderBrowser.h"
#include "ui/win32/ProgressFrm.h"
#include "ui/win32/SetupFrm.h"
#include "ui/win32/StampelFrmRes.h"
#include "ui/win32/TreeGlyph.h"
#include "ui/win32/VersionFrm.h"

namespace ui::win32 {

namespace {

using namespace ui::main_text;
namespace layout = ui::main_layout;
namespace id = stampel_id;

constexpr wchar_t kClassName[] = L"StampelMain";
// A single border that cannot be resized; the system menu and a minimise box only.
// Without WS_CLIPCHILDREN: the group boxes leave their inside for the window to paint.
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr DWORD kExStyle = WS_EX_CONTROLPARENT;
constexpr wchar_t kFontFace[] = L"MS Sans Serif";
constexpr wchar_t kFixedFontFace[] = L"Courier New";
constexpr double kFontPoints = 8;
constexpr COLORREF kTeal = RGB(0, 128, 128);
constexpr COLORREF kOlive = RGB(128, 128, 0);
constexpr int kGlyphSide = 16;

// The window's outer rectangle at its designed place, kept on the monitor it lands on.
ui::Rect DesignedWindowRect(int dpi) {
  const SIZE outer =
      OuterSizeForClient(ui::ScaleToDpi(layout::kClientWidth, dpi),
                         ui::ScaleToDpi(layout::kClientHeight, dpi), kStyle, kExStyle, dpi);
  const ui::Rect wanted{ui::ScaleToDpi(layout::kDesignedLeft, dpi),
                        ui::ScaleToDpi(layout::kDesignedTop, dpi), outer.cx, outer.cy};
  MONITORINFO monitor{};
  monitor.cbSize = sizeof(monitor);
  const RECT r = ToRECT(wanted);
  GetMonitorInfoW(MonitorFromRect(&r, MONITOR_DEFAULTTONEAREST), &monitor);
  return layout::KeepOnScreen(wanted, ToRect(monitor.rcWork));
}

}  // namespace

TStampelFrm::TStampelFrm(tSettingsStore& store, tReaderOptions readers)
    : store_(store), presenter_(*this, store, readers) {
  const RECT designed = ToRECT(ui::ScaleToDpi(ui::Rect{layout::kDesignedLeft, layout::kDesignedTop,
                                                       layout::kClientWidth, layout::kClientHeight},
                                              ui::kDesignDpi));
  const ui::Rect bounds = DesignedWindowRect(DpiOfRect(designed));
  CreateWindowOfClass(kClassName, kExStyle, kStyle, kCaption, bounds.left, bounds.top, bounds.width,
                      bounds.height, nullptr);
  menu_.Attach(Handle());
  DragAcceptFiles(Handle(), TRUE);  // a folder or a file dropped sets the path box
  CreateControls();
  AddHints();
  ApplyDpi(DpiOfWindow(Handle()));
  FitClientArea();

  SetDefaultButton(id::RunBtn);
  SetCancelButton(id::QuitBtn);
  SetFocusControl(FormatEdit.EditHandle());

  CreditLbl.SetText(about::CreditAndVersionText());
  LayOut();
  presenter_.FormCreate();
}

TStampelFrm::~TStampelFrm() {
  // Here, while this object is whole: the base class would destroy the window after the
  // handlers that save the choices are gone.
  if (Handle()) DestroyWindow(Handle());
  if (searchGlyph_) ImageList_Destroy(searchGlyph_);
}

void TStampelFrm::CreateControls() {
  HWND form = Handle();
  // Creation order is the tab order.
  StampelLbl.Create(form, id::StampelLbl, kStampelLbl);
  Label2.Create(form, id::Label2, kLabel2, SS_NOPREFIX);
  Label3.Create(form, id::Label3, kLabel3, SS_NOPREFIX);
  FormatEdit.Create(form, id::FormatEdit, layout::kFormatMaxLength);
  SearchBtn.Create(form, id::SearchBtn, kSearchBtn);
  FilePathEdit.Create(form, id::FilePathEdit, layout::kPathMaxLength);

  FormatGrpBox.Create(form, id::FormatGrpBox, kFormatGrpBox);
  for (size_t i = 0; i < Samples.size(); ++i) {
    // Shown as written: a sample's caption is a format, not a mnemonic.
    const DWORD first = i == 0 ? WS_GROUP | WS_TABSTOP : 0;
    Samples[i].Create(form, id::FirstSample + static_cast<int>(i), ui::kSampleFormats[i],
                      BS_AUTORADIOBUTTON | first);
  }
  DateGrpBox.Create(form, id::DateGrpBox, kDateGrpBox);
  OrgTSRadio.Create(form, id::OrgTSRadio, kOriginalTimestamp,
                    BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP);
  IntTSRadio.Create(form, id::IntTSRadio, kInternalTimestamp, BS_AUTORADIOBUTTON);

  SwitchesGrpBox.Create(form, id::SwitchesGrpBox, kSwitchesGrpBox);
  const DWORD check = BS_AUTOCHECKBOX | WS_TABSTOP;
  FileChk.Create(form, id::FileChk, kFileChk, check | WS_GROUP);
  DelOrgChk.Create(form, id::DelOrgChk, kDelOrgChk, check);
  FileNoChk.Create(form, id::FileNoChk, kFileNoChk, check);
  OverWrtChk.Create(form, id::OverWrtChk, kOverWrtChk, check);
  CopyChk.Create(form, id::CopyChk, kCopyChk, check);
  SubDirChk.Create(form, id::SubDirChk, kSubDirChk, check);
  DisplayChk.Create(form, id::DisplayChk, kDisplayChk, check);
  CompanionChk.Create(form, id::CompanionChk, kCompanionChk, check);
  ElsewhereChk.Create(form, id::ElsewhereChk, kElsewhereChk, check | WS_GROUP);
  FileTimeChk.Create(form, id::FileTimeChk, kFileTimeChk, check);
  ShiftLbl.Create(form, id::ShiftLbl, kShiftLbl);  // its mnemonic reaches the box after it
  ShiftEdit.Create(form, id::ShiftEdit);
  SendMessageW(ShiftEdit.Handle(), EM_SETLIMITTEXT, layout::kShiftMaxLength, 0);

  Label8.Create(form, id::Label8, kLabel8);
  BatchExplEdit.CreateDisplay(form, id::BatchExplEdit);
  ExplLbl.Create(form, id::ExplLbl, "", SS_NOPREFIX);
  FilesDoneLbl.Create(form, id::FilesDoneLbl, "", SS_NOPREFIX);
  ShowProgressBtn.Create(form, id::ShowProgressBtn, ui::ShowProgressCaption(false));
  RunBtn.Create(form, id::RunBtn, kRunBtn, true);
  QuitBtn.Create(form, id::QuitBtn, kQuitBtn);
  CreditLbl.Create(form, id::CreditLbl, "", SS_NOPREFIX | SS_RIGHT);

  // The designed state.
  Samples[0].SetChecked(true);
  OrgTSRadio.SetChecked(true);
  DisplayChk.SetChecked(true);
  CompanionChk.SetChecked(true);
  ShowProgressBtn.SetVisible(false);
}

void TStampelFrm::AddHints() {
  hints_.Create(Handle());
  const auto hint = [this](const TControl& control, const char* text) {
    hints_.Add(control.Handle(), text);
  };
  hint(FormatEdit, kFormatEditHint);
  hints_.Add(FormatEdit.EditHandle(), kFormatEditHint);
  hint(SearchBtn, kSearchBtnHint);
  hint(FilePathEdit, kFilePathEditHint);
  hints_.Add(FilePathEdit.EditHandle(), kFilePathEditHint);
  // A group's hint shows over its buttons too.
  hint(FormatGrpBox, kFormatGrpBoxHint);
  for (const TCheckButton& sample : Samples) hint(sample, kFormatGrpBoxHint);
  hint(DateGrpBox, kDateGrpBoxHint);
  hint(OrgTSRadio, kDateGrpBoxHint);
  hint(IntTSRadio, kDateGrpBoxHint);
  hint(FileChk, kFileChkHint);
  hint(DelOrgChk, kDelOrgChkHint);
  hint(FileNoChk, kFileNoChkHint);
  hint(OverWrtChk, kOverWrtChkHint);
  hint(CopyChk, kCopyChkHint);
  hint(SubDirChk, kSubDirChkHint);
  hint(DisplayChk, kDisplayChkHint);
  hint(CompanionChk, kCompanionChkHint);
  hint(ElsewhereChk, kElsewhereChkHint);
  hint(FileTimeChk, kFileTimeChkHint);
  hint(ShiftEdit, kShiftEditHint);
  hint(BatchExplEdit, kBatchExplEditHint);
  hint(ExplLbl, kExplLblHint);
  hint(ShowProgressBtn, kShowProgressBtnHint);
  hint(RunBtn, kRunBtnHint);
  hint(QuitBtn, kQuitBtnHint);
}

void TStampelFrm::ApplyDpi(int dpi) {
  dpi_ = dpi;
  // The old fonts go only after no control holds them any more.
  TFont font = CreateUiFont({kFontFace, kFontPoints, false, false, false}, dpi);
  TFont boldFont = CreateUiFont({kFontFace, kFontPoints, true, false, false}, dpi);
  TFont fixedFont = CreateUiFont({kFixedFontFace, kFontPoints, false, false, true}, dpi);
  for (TControl* control : std::initializer_list<TControl*>{
           &Label2,       &Label3,     &FormatEdit,      &SearchBtn,    &FilePathEdit,
           &FormatGrpBox, &DateGrpBox, &OrgTSRadio,      &IntTSRadio,   &SwitchesGrpBox,
           &FileChk,      &DelOrgChk,  &FileNoChk,       &OverWrtChk,   &CopyChk,
           &SubDirChk,    &DisplayChk, &CompanionChk,    &ElsewhereChk, &FileTimeChk,
           &ShiftLbl,     &ShiftEdit,  &ShowProgressBtn, &RunBtn,       &QuitBtn,
           &CreditLbl}) {
    control->SetFont(font.Handle());
  }
  for (TCheckButton& sample : Samples) sample.SetFont(font.Handle());
  for (TControl* control :
       {static_cast<TControl*>(&StampelLbl), static_cast<TControl*>(&Label8),
        static_cast<TControl*>(&BatchExplEdit), static_cast<TControl*>(&FilesDoneLbl)}) {
    control->SetFont(boldFont.Handle());
  }
  ExplLbl.SetFont(fixedFont.Handle());
  font_ = std::move(font);
  boldFont_ = std::move(boldFont);
  fixedFont_ = std::move(fixedFont);

  HIMAGELIST glyph = CreateTreeGlyph(ui::ScaleToDpi(kGlyphSide, dpi));
  BUTTON_IMAGELIST picture{};
  picture.himl = glyph;
  picture.uAlign = BUTTON_IMAGELIST_ALIGN_RIGHT;
  SendMessageW(SearchBtn.Handle(), BCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(&picture));
  if (searchGlyph_) ImageList_Destroy(searchGlyph_);
  searchGlyph_ = glyph;
  LayOut();
}

void TStampelFrm::LayOut() {
  const auto scaled = [this](const ui::Rect& r) { return ui::ScaleToDpi(r, dpi_); };
  const auto label = [&](TLabel& control, const ui::Rect& designed) {
    const ui::Rect at = scaled(designed);
    control.FitAt(at.left, at.top);
  };
  label(StampelLbl, layout::kStampelLbl);
  label(Label2, layout::kLabel2);
  label(Label3, layout::kLabel3);
  FormatEdit.SetBoundsWithRows(scaled(layout::kFormatEdit), layout::kDropDownRows);
  SearchBtn.SetBounds(scaled(layout::kSearchBtn));
  FilePathEdit.SetBoundsWithRows(scaled(layout::kFilePathEdit), layout::kDropDownRows);

  const auto radioGroup = [&](TGroupBox& box, const ui::Rect& designed, auto&& items) {
    const ui::Rect group = scaled(designed);
    box.SetBounds(group);
    HDC dc = GetDC(box.Handle());
    HGDIOBJ old = SelectObject(dc, font_.Handle());
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(box.Handle(), dc);
    const std::vector<ui::Rect> places = layout::RadioGroupItems(
        group.width, group.height, static_cast<int>(items.size()), 2, metrics.tmHeight);
    for (size_t i = 0; i < items.size(); ++i) {
      const ui::Rect& p = places[i];
      items[i]->SetBounds({group.left + p.left, group.top + p.top, p.width, p.height});
    }
  };
  std::vector<TCheckButton*> samples;
  for (TCheckButton& sample : Samples) samples.push_back(&sample);
  radioGroup(FormatGrpBox, layout::kFormatGrpBox, samples);
  radioGroup(DateGrpBox, layout::kDateGrpBox, std::vector<TCheckButton*>{&OrgTSRadio, &IntTSRadio});

  SwitchesGrpBox.SetBounds(scaled(layout::kSwitchesGrpBox));
  for (int i = 0; i < layout::kSwitchCount; ++i)
    SwitchCheck(id::kSwitchChecks[i]).SetBounds(scaled(layout::SwitchCheckBox(i)));
  CompanionChk.SetBounds(scaled(layout::SwitchCheckBox(layout::kCompanionCheckIndex)));
  ElsewhereChk.SetBounds(scaled(layout::kElsewhereChk));
  FileTimeChk.SetBounds(scaled(layout::kFileTimeChk));
  label(ShiftLbl, layout::kShiftLbl);
  ShiftEdit.SetBounds(scaled(layout::kShiftEdit));

  label(Label8, layout::kLabel8);
  BatchExplEdit.SetBounds(scaled(layout::kBatchExplEdit));
  ExplLbl.SetBounds(scaled(layout::kExplLbl));
  FilesDoneLbl.SetBounds(scaled(layout::kFilesDoneLbl));
  ShowProgressBtn.SetBounds(scaled(layout::kShowProgressBtn));
  RunBtn.SetBounds(scaled(layout::kRunBtn));
  QuitBtn.SetBounds(scaled(layout::kQuitBtn));
  CreditLbl.Fit();
  const ui::Rect credit = CreditLbl.Bounds();
  CreditLbl.SetBounds({ui::ScaleToDpi(layout::kCreditRight, dpi_) - credit.width,
                       ui::ScaleToDpi(layout::kCreditTop, dpi_), credit.width, credit.height});
  InvalidateRect(Handle(), nullptr, TRUE);
}

void TStampelFrm::FitClientArea() {
  // The menu bar's height is known only once the window has it.
  RECT client{};
  GetClientRect(Handle(), &client);
  RECT outer{};
  GetWindowRect(Handle(), &outer);
  const int width =
      outer.right - outer.left + ui::ScaleToDpi(layout::kClientWidth, dpi_) - client.right;
  const int height =
      outer.bottom - outer.top + ui::ScaleToDpi(layout::kClientHeight, dpi_) - client.bottom;
  SetWindowPos(Handle(), nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TStampelFrm::OnDpiChanged(int dpi) {
  ApplyDpi(dpi);
  FitClientArea();
}

void TStampelFrm::Show() {
  ShowWindow(Handle(), SW_SHOW);
  SetForegroundWindow(Handle());
  SetFocus(FormatEdit.EditHandle());
}

void TStampelFrm::PaintPanels() {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(Handle(), &paint);
  const int bevel = ui::ScaleToDpi(layout::kPanelBevelWidth, dpi_);
  for (const ui::Rect& designed : {layout::kTopPanel, layout::kBottomPanel}) {
    // A lowered outer and a lowered inner bevel.
    RECT panel = ToRECT(ui::ScaleToDpi(designed, dpi_));
    DrawLoweredBevel(dc, panel, bevel);
    InflateRect(&panel, -bevel, -bevel);
    DrawLoweredBevel(dc, panel, bevel);
  }
  EndPaint(Handle(), &paint);
}

void TStampelFrm::SetShowProgressCaption(const std::string& caption) {
  ShowProgressBtn.SetText(caption);
}

void TStampelFrm::ShowProgressBtnClick() {
  if (!progress_) return;
  if (progress_->Visible())
    progress_->Hide();
  else
    progress_->Show();
}

void TStampelFrm::VersionMenuClick() { TVersionFrm(Handle()).Execute(); }

void TStampelFrm::TranslationsMenuClick() { TSetupFrm(Handle()).Execute(); }

void TStampelFrm::OnComboChange(TComboBox& box, int code) {
  if (code == CBN_SELCHANGE) {
    // The edit shows the picked entry only after this notification; take it now.
    box.SetText(box.SelectedItem());
  } else if (code != CBN_EDITCHANGE) {
    return;
  }
  presenter_.FormatEditChange();
}

void TStampelFrm::OnSampleClicked() {
  // Clicking the sample that is already selected changes nothing.
  const int selected = Choices().FormatGrpBox;
  if (selected == shownSample_) return;
  shownSample_ = selected;
  presenter_.FormatGrpBoxClick();
}

void TStampelFrm::SelectDate(int index) {
  OrgTSRadio.SetChecked(index == 0);
  IntTSRadio.SetChecked(index == 1);
  presenter_.FormatEditChange();
}

TCheckButton& TStampelFrm::SwitchCheck(int checkId) {
  switch (checkId) {
    case id::FileChk:
      return FileChk;
    case id::DelOrgChk:
      return DelOrgChk;
    case id::FileNoChk:
      return FileNoChk;
    case id::OverWrtChk:
      return OverWrtChk;
    case id::CopyChk:
      return CopyChk;
    case id::SubDirChk:
      return SubDirChk;
    default:
      return DisplayChk;
  }
}

void TStampelFrm::ToggleSwitch(int checkId) {
  TCheckButton& box = SwitchCheck(checkId);
  box.SetChecked(!box.Checked());
  presenter_.FormatEditChange();
}

void TStampelFrm::OnCommand(int command, int code) {
  if (command == id::FormatEdit) return OnComboChange(FormatEdit, code);
  if (command == id::FilePathEdit) return OnComboChange(FilePathEdit, code);
  if (command >= id::FirstSample && command < id::FirstSample + static_cast<int>(Samples.size())) {
    if (code == BN_CLICKED) OnSampleClicked();
    return;
  }
  for (int i = 0; i < layout::kSwitchCount; ++i) {
    if (command == id::kSwitchChecks[i]) {
      if (code == BN_CLICKED) presenter_.FormatEditChange();
      return;
    }
    if (command == id::kSwitchMenus[i]) return ToggleSwitch(id::kSwitchChecks[i]);
  }
  switch (command) {
    case id::OrgTSRadio:
    case id::IntTSRadio:
    case id::ElsewhereChk:
    case id::FileTimeChk:
      if (code == BN_CLICKED) presenter_.FormatEditChange();
      return;
    case id::ShiftEdit:
      if (code == EN_CHANGE) presenter_.FormatEditChange();
      return;
    case id::OrgTSMenu:
      return SelectDate(0);
    case id::IntTSMenu:
      return SelectDate(1);
    case id::SearchBtn:
    case id::SearchMenu:
      return presenter_.SearchBtnClick();
    case id::RunBtn:
    case id::RunMenu:
      return presenter_.RunBtnClick();
    case id::PreviewMenu:
      return presenter_.PreviewMenuClick();
    case id::UndoMenu:
      return presenter_.UndoMenuClick();
    case id::QuitBtn:
    case id::QuitMenu:
      return presenter_.CloseRequested();
    case id::ShowProgressBtn:
      return ShowProgressBtnClick();
    case id::ShowAlwaysMenu:
      return presenter_.ChooseProgressButtonMode(ui::tProgressButtonMode::ShowAlways);
    case id::HideAlwaysMenu:
      return presenter_.ChooseProgressButtonMode(ui::tProgressButtonMode::HideAlways);
    case id::AutoHideMenu:
      return presenter_.ChooseProgressButtonMode(ui::tProgressButtonMode::Auto);
    case id::TranslationsMenu:
      return TranslationsMenuClick();
    case id::VersionMenu:
      return VersionMenuClick();
    default:
      return;
  }
}

LRESULT TStampelFrm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SYSCOMMAND:
      // The system menu's "Version..." entry; Windows then handles the command as usual.
      if (wParam == static_cast<WPARAM>(kSystemVersionCommand)) VersionMenuClick();
      break;
    case WM_CLOSE:
      presenter_.CloseRequested();
      return 0;
    case WM_DESTROY:
      if (!destroyed_) {
        destroyed_ = true;
        presenter_.FormDestroy();
      }
      break;
    case WM_LBUTTONDOWN: {
      // A click on the top panel, where no control is, refreshes the preview.
      const POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
      const RECT topPanel = ToRECT(ui::ScaleToDpi(layout::kTopPanel, dpi_));
      if (PtInRect(&topPanel, at)) presenter_.FormatEditChange();
      return 0;
    }
    case WM_PAINT:
      PaintPanels();
      return 0;
    case WM_DROPFILES: {
      // The first of what was dropped counts.
      const auto drop = reinterpret_cast<HDROP>(wParam);
      const UINT length = DragQueryFileW(drop, 0, nullptr, 0);
      std::wstring path(length, L'\0');
      if (length > 0) DragQueryFileW(drop, 0, path.data(), length + 1);
      DragFinish(drop);
      presenter_.PathDropped(platform::win32::Narrow(path));
      return 0;
    }
    case WM_CTLCOLORSTATIC: {
      HDC dc = reinterpret_cast<HDC>(wParam);
      const HWND control = reinterpret_cast<HWND>(lParam);
      COLORREF colour = GetSysColor(COLOR_BTNTEXT);
      if (control == BatchExplEdit.Handle()) colour = kTeal;
      if (control == CreditLbl.Handle()) colour = kOlive;
      SetTextColor(dc, colour);
      SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
      return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    }
    case WM_SETTINGCHANGE:
      // The regional settings changed: dates in the example follow them.
      if (lParam && std::wcscmp(reinterpret_cast<const wchar_t*>(lParam), L"intl") == 0) {
        ReloadLocaleFormats();
        presenter_.FormatEditChange();
      }
      break;
    default:
      break;
  }
  return DefaultHandling(message, wParam, lParam);
}

}  // namespace ui::win32
