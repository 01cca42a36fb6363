#include "ui/win32/VersionFrm.h"

#include <shellapi.h>

#include <utility>

#include "platform/win32/WinText.h"
#include "ui/About.h"
#include "ui/AboutLayout.h"
#include "ui/win32/Bevel.h"
#include "ui/win32/Dpi.h"
#include "ui/win32/VersionFrmRes.h"

namespace ui::win32 {

namespace {

constexpr wchar_t kClassName[] = L"StampelVersion";
// A single border that cannot be resized, with only the close box in the caption.
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_CONTROLPARENT;
constexpr wchar_t kFontFace[] = L"Tahoma";
constexpr COLORREF kOlive = RGB(128, 128, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);

// A label's designed top-left corner.
struct Place {
  int left;
  int top;
};
constexpr Place kTitle{18, 18};
constexpr Place kCredit{18, 36};
constexpr Place kBeta{24, 52};
constexpr Place kLbl1{18, 78};
constexpr Place kLbl2{18, 102};
constexpr Place kStampel{142, 101};
constexpr Place kDot1{213, 102};
constexpr Place kLbl3{18, 138};
constexpr Place kLink{30, 156};
constexpr Place kDot2{291, 158};

}  // namespace

void OpenLinkWithShell(HWND parent, const std::string& link) {
  ShellExecuteW(parent, L"open", platform::win32::Widen(link).c_str(), nullptr, nullptr,
                SW_SHOWNORMAL);
}

TVersionFrm::TVersionFrm(HWND owner) : owner_(owner), openLink_(OpenLinkWithShell) { FormCreate(); }

void TVersionFrm::FormCreate() {
  // Centred on the screen that shows the owner (or on the main screen).
  RECT screen{};
  if (owner_) {
    RECT ownerRect{};
    GetWindowRect(owner_, &ownerRect);
    screen = MonitorRectOf(ownerRect);
  } else {
    screen = MonitorRectOf(RECT{0, 0, 1, 1});
  }
  const int dpi = DpiOfRect(screen);
  const SIZE outer =
      OuterSizeForClient(ui::ScaleToDpi(ui::kAboutClientWidth, dpi),
                         ui::ScaleToDpi(ui::kAboutClientHeight, dpi), kStyle, kExStyle, dpi);
  const ui::Rect bounds = ui::CentreIn(ToRect(screen), outer.cx, outer.cy);
  CreateWindowOfClass(kClassName, kExStyle, kStyle, "Stampel", bounds.left, bounds.top,
                      bounds.width, bounds.height, owner_);
  CreateControls();

  TitleLbl.SetText(about::TitleText());
  CreditLbl.SetText(about::CreditText());
  BetaLbl.SetText("");

  ApplyDpi(DpiOfWindow(Handle()));
  SetDefaultButton(version_id::OkBtn);
  SetFocusControl(OkBtn.Handle());
}

void TVersionFrm::CreateControls() {
  HWND form = Handle();
  TitleLbl.Create(form, version_id::TitleLbl, "", SS_NOPREFIX);
  CreditLbl.Create(form, version_id::CreditLbl, "", SS_NOPREFIX);
  BetaLbl.Create(form, version_id::BetaLbl, "", SS_NOPREFIX);
  Lbl1.Create(form, version_id::Lbl1, about::StartText(), SS_NOPREFIX);
  Lbl2.Create(form, version_id::Lbl2, about::DocumentationText(), SS_NOPREFIX);
  StampelLbl.Create(form, version_id::StampelLbl, about::ManualText(), SS_NOPREFIX);
  Dot1Lbl.Create(form, version_id::Dot1Lbl, ".", SS_NOPREFIX);
  Lbl3.Create(form, version_id::Lbl3, about::VersionSourceText(), SS_NOPREFIX);
  // An ampersand in the address is shown as it is; clicks reach OnCommand.
  LinkLbl.Create(form, version_id::LinkLbl, about::LinkText(), SS_NOPREFIX | SS_NOTIFY);
  Dot2Lbl.Create(form, version_id::Dot2Lbl, ".", SS_NOPREFIX);
  OkBtn.Create(form, version_id::OkBtn, "&OK", true);

  hints_.Create(form);
  hints_.Add(LinkLbl.Handle(), "open link");
  hints_.Add(OkBtn.Handle(), "Alles klar!");
}

void TVersionFrm::ApplyDpi(int dpi) {
  dpi_ = dpi;
  // The old fonts go only after no control holds them any more.
  TFont font = CreateUiFont({kFontFace, 8, false, false}, dpi);
  TFont boldFont = CreateUiFont({kFontFace, 9, true, false}, dpi);
  TFont linkFont = CreateUiFont({kFontFace, 10.5, false, true}, dpi);
  for (TLabel* label : {&CreditLbl, &BetaLbl, &Lbl1, &Lbl2, &Dot1Lbl, &Lbl3, &Dot2Lbl}) {
    label->SetFont(font.Handle());
  }
  TitleLbl.SetFont(boldFont.Handle());
  StampelLbl.SetFont(boldFont.Handle());
  LinkLbl.SetFont(linkFont.Handle());
  OkBtn.SetFont(font.Handle());
  font_ = std::move(font);
  boldFont_ = std::move(boldFont);
  linkFont_ = std::move(linkFont);
  LayOut();
}

void TVersionFrm::LayOut() {
  const auto at = [](TLabel& label, int left, int top) { label.FitAt(left, top); };
  const auto scaled = [this](int designed) { return ui::ScaleToDpi(designed, dpi_); };
  const auto place = [&](TLabel& label, Place designed) {
    at(label, scaled(designed.left), scaled(designed.top));
  };

  place(TitleLbl, kTitle);
  place(CreditLbl, kCredit);
  place(BetaLbl, kBeta);
  place(Lbl1, kLbl1);
  place(Lbl2, kLbl2);
  at(StampelLbl, ui::ContinuationLeft(scaled(kStampel.left), Lbl2.Bounds().Right() + scaled(4)),
     scaled(kStampel.top));
  at(Dot1Lbl, ui::ContinuationLeft(scaled(kDot1.left), StampelLbl.Bounds().Right()),
     scaled(kDot1.top));
  place(Lbl3, kLbl3);
  place(LinkLbl, kLink);
  // The full stop follows the address, whatever its length.
  at(Dot2Lbl, LinkLbl.Bounds().Right(), scaled(kDot2.top));
  OkBtn.SetBounds(ui::ScaleToDpi(ui::kAboutOkBtn, dpi_));
  InvalidateRect(Handle(), nullptr, TRUE);
}

void TVersionFrm::PaintPanel() {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(Handle(), &paint);
  // The top panel: a lowered outer and a lowered inner bevel.
  RECT panel = ToRECT(ui::ScaleToDpi(ui::kAboutTopPanel, dpi_));
  const int bevel = ui::ScaleToDpi(ui::kAboutBevelWidth, dpi_);
  DrawLoweredBevel(dc, panel, bevel);
  InflateRect(&panel, -bevel, -bevel);
  DrawLoweredBevel(dc, panel, bevel);
  EndPaint(Handle(), &paint);
}

COLORREF TVersionFrm::TextColourOf(HWND label) const {
  if (label == CreditLbl.Handle()) return kOlive;
  if (label == BetaLbl.Handle()) return GetSysColor(COLOR_HOTLIGHT);
  if (label == LinkLbl.Handle()) return kBlue;
  return GetSysColor(COLOR_BTNTEXT);
}

void TVersionFrm::OnDpiChanged(int dpi) { ApplyDpi(dpi); }

void TVersionFrm::OkBtnClick() { EndModal(); }

void TVersionFrm::LinkLblClick() {
  if (openLink_) openLink_(Handle(), LinkLbl.Text());
}

void TVersionFrm::OnCommand(int id, int code) {
  if (id == version_id::OkBtn && code == BN_CLICKED) OkBtnClick();
  if (id == version_id::LinkLbl && code == STN_CLICKED) LinkLblClick();
}

LRESULT TVersionFrm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      PaintPanel();
      return 0;
    case WM_CTLCOLORSTATIC: {
      HDC dc = reinterpret_cast<HDC>(wParam);
      SetTextColor(dc, TextColourOf(reinterpret_cast<HWND>(lParam)));
      SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
      return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    }
    case WM_SETCURSOR:
      if (reinterpret_cast<HWND>(wParam) == LinkLbl.Handle()) {
        SetCursor(LoadCursorW(nullptr, IDC_HAND));
        return TRUE;
      }
      break;
    case WM_CLOSE:
      // The close box ends the dialog; the window stays for its owner to free.
      EndModal();
      return 0;
    default:
      break;
  }
  return DefaultHandling(message, wParam, lParam);
}

}  // namespace ui::win32
