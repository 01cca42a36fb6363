#include "ui/win32/SetupFrm.h"

#include <utility>

#include "settings/Translations.h"
#include "ui/SetupLayout.h"
#include "ui/win32/Bevel.h"
#include "ui/win32/Dpi.h"
#include "ui/win32/SetupFrmRes.h"

namespace ui::win32 {

namespace {

namespace layout = ui::setup_layout;
namespace id = setup_id;

constexpr wchar_t kClassName[] = L"StampelSetup";
// A dialog border that cannot be resized, with the close box.
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
constexpr wchar_t kFontFace[] = L"Tahoma";

}  // namespace

TSetupFrm::TSetupFrm(HWND owner) : owner_(owner), rows_(ModelTranslations) { FormCreate(); }

void TSetupFrm::FormCreate() {
  RECT ownerRect{0, 0, 1, 1};
  if (owner_) GetWindowRect(owner_, &ownerRect);
  const int dpi = owner_ ? DpiOfWindow(owner_) : DpiOfRect(ownerRect);
  const SIZE outer =
      OuterSizeForClient(ui::ScaleToDpi(layout::kClientWidth, dpi),
                         ui::ScaleToDpi(layout::kClientHeight, dpi), kStyle, kExStyle, dpi);
  // Centred on the main window (on the screen without one).
  const ui::Rect area = owner_ ? ToRect(ownerRect) : ToRect(MonitorRectOf(ownerRect));
  const ui::Rect bounds{area.left + (area.width - outer.cx) / 2,
                        area.top + (area.height - outer.cy) / 2, outer.cx, outer.cy};
  CreateWindowOfClass(kClassName, kExStyle, kStyle, "Stampel Translations", bounds.left, bounds.top,
                      bounds.width, bounds.height, owner_);
  CreateControls();
  ApplyDpi(DpiOfWindow(Handle()));

  // The words and the grid from the tables; the first row's model cell is the current one.
  LandscapeEdit.SetText(LandscapeWord);
  PortraitEdit.SetText(PortraitWord);
  ModelLst.SelectCell(0, 0);

  SetDefaultButton(id::OkBtn);
  SetCancelButton(id::CancelBtn);
  SetFocusControl(OkBtn.Handle());
}

void TSetupFrm::CreateControls() {
  HWND form = Handle();
  // Creation order is the tab order.
  InfoLbl.Create(form, id::InfoLbl,
                 "Enter the values to be used for translation. These values are valid for both, "
                 "GUI and Batch modes!",
                 SS_NOPREFIX);
  ModelTransGrpBox.Create(form, id::ModelTransGrpBox, "&Model Translation");
  Label1.Create(form, id::Label1, "Values for the 'MODEL' keyword:", SS_NOPREFIX);
  ModelLst.Create(form, id::ModelLst, id::ModelCellEdit, rows_, "Model", "Translation");
  OrientTransGrpBox.Create(form, id::OrientTransGrpBox, "&Orientation Translation");
  OrientInfoLbl.Create(form, id::OrientInfoLbl, "Values for the 'ORIENT' keyword:", SS_NOPREFIX);
  LandscapeLbl.Create(form, id::LandscapeLbl, "For &Landscape:");
  LandscapeEdit.Create(form, id::LandscapeEdit);
  PortraitLbl.Create(form, id::PortraitLbl, "For &Portrait:");
  PortraitEdit.Create(form, id::PortraitEdit);
  OkBtn.Create(form, id::OkBtn, "OK", true);
  CancelBtn.Create(form, id::CancelBtn, "Cancel");
  for (TEdit* box : {&LandscapeEdit, &PortraitEdit})
    SendMessageW(box->Handle(), EM_LIMITTEXT, layout::kMaxWordLength, 0);

  hints_.Create(form);
  hints_.Add(ModelLst.ListHandle(), "list of translations for the 'Model' keyword");
  hints_.Add(ModelLst.EditHandle(), "list of translations for the 'Model' keyword");
  hints_.Add(LandscapeEdit.Handle(), "value for landscape orientation (default : L)");
  hints_.Add(PortraitEdit.Handle(), "value for portrait orientation (default : P)");
  hints_.Add(OkBtn.Handle(), "Ok, that's it!");
  hints_.Add(CancelBtn.Handle(), "close this screen");
}

void TSetupFrm::ApplyDpi(int dpi) {
  dpi_ = dpi;
  // The old fonts go only after no control holds them any more.
  TFont font = CreateUiFont({kFontFace, 8, false, false, false}, dpi);
  TFont infoFont = CreateUiFont({kFontFace, 9, false, false, false}, dpi);
  for (TControl* control : std::initializer_list<TControl*>{
           &ModelTransGrpBox, &Label1, &OrientTransGrpBox, &OrientInfoLbl, &LandscapeLbl,
           &LandscapeEdit, &PortraitLbl, &PortraitEdit, &OkBtn, &CancelBtn}) {
    control->SetFont(font.Handle());
  }
  ModelLst.SetFont(font.Handle());
  InfoLbl.SetFont(infoFont.Handle());
  font_ = std::move(font);
  infoFont_ = std::move(infoFont);
  LayOut();
}

void TSetupFrm::LayOut() {
  const auto scaled = [this](const ui::Rect& r) { return ui::ScaleToDpi(r, dpi_); };
  const auto label = [&](TLabel& control, const ui::Rect& designed) {
    const ui::Rect at = scaled(designed);
    control.FitAt(at.left, at.top);
  };
  InfoLbl.SetBounds(scaled(layout::kInfoLbl));  // word-wrapped in its box
  ModelTransGrpBox.SetBounds(scaled(layout::kModelTransGrpBox));
  label(Label1, layout::kLabel1);
  ModelLst.SetBounds(scaled(layout::kModelLst));
  ModelLst.SetColumnWidths(ui::ScaleToDpi(layout::kKeyColumnWidth, dpi_),
                           ui::ScaleToDpi(layout::kValueColumnWidth, dpi_));
  OrientTransGrpBox.SetBounds(scaled(layout::kOrientTransGrpBox));
  label(OrientInfoLbl, layout::kOrientInfoLbl);
  label(LandscapeLbl, layout::kLandscapeLbl);
  LandscapeEdit.SetBounds(scaled(layout::kLandscapeEdit));
  label(PortraitLbl, layout::kPortraitLbl);
  PortraitEdit.SetBounds(scaled(layout::kPortraitEdit));
  FormResize();
  InvalidateRect(Handle(), nullptr, TRUE);
}

void TSetupFrm::FormResize() {
  if (!CancelBtn.Handle()) return;
  RECT client{};
  GetClientRect(Handle(), &client);
  const int width = ui::ScaleToDpi(layout::kButtonWidth, dpi_);
  const int height = ui::ScaleToDpi(layout::kButtonHeight, dpi_);
  const int top = ui::ScaleToDpi(layout::kButtonTop, dpi_);
  const int gap = ui::ScaleToDpi(4, dpi_);
  // The bottom panel spans the client area: Cancel at its right end, OK left of it.
  const int cancelLeft = client.right - width - gap;
  CancelBtn.SetBounds({cancelLeft, top, width, height});
  OkBtn.SetBounds({cancelLeft - width - gap, top, width, height});
}

void TSetupFrm::OnDpiChanged(int dpi) { ApplyDpi(dpi); }

void TSetupFrm::PaintPanels() {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(Handle(), &paint);
  RECT panel = ToRECT(ui::ScaleToDpi(layout::kMainPanel, dpi_));
  const int bevel = ui::ScaleToDpi(1, dpi_);
  DrawLoweredBevel(dc, panel, bevel);
  InflateRect(&panel, -bevel, -bevel);
  DrawLoweredBevel(dc, panel, bevel);
  EndPaint(Handle(), &paint);
}

bool TSetupFrm::Execute() {
  confirmed_ = false;
  ShowModal();
  return confirmed_;
}

void TSetupFrm::LandscapeEditExit() {
  LandscapeEdit.SetText(ui::OrientationWordOnExit(LandscapeEdit.Text(), "L"));
}

void TSetupFrm::PortraitEditExit() {
  PortraitEdit.SetText(ui::OrientationWordOnExit(PortraitEdit.Text(), "P"));
}

void TSetupFrm::OkBtnClick() {
  // The cell being edited counts; a key the grid refuses keeps the dialog open.
  if (!ModelLst.CommitEditor()) return;
  // Enter can press OK while a box is still being edited: a blank word is never stored.
  LandscapeEditExit();
  PortraitEditExit();
  StoreTranslations(LandscapeEdit.Text(), PortraitEdit.Text(), rows_.Lines());
  confirmed_ = true;
  EndModal();
}

void TSetupFrm::CancelBtnClick() { EndModal(); }

void TSetupFrm::OnCommand(int command, int code) {
  switch (command) {
    case id::OkBtn:
      if (code == BN_CLICKED) OkBtnClick();
      return;
    case id::CancelBtn:
      if (code == BN_CLICKED) CancelBtnClick();
      return;
    case id::LandscapeEdit:
      if (code == EN_KILLFOCUS) LandscapeEditExit();
      return;
    case id::PortraitEdit:
      if (code == EN_KILLFOCUS) PortraitEditExit();
      return;
    case id::ModelCellEdit:
      ModelLst.HandleEditCommand(code);
      return;
    default:
      return;
  }
}

LRESULT TSetupFrm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      PaintPanels();
      return 0;
    case WM_NOTIFY: {
      LRESULT result = 0;
      if (ModelLst.HandleNotify(*reinterpret_cast<const NMHDR*>(lParam), result)) return result;
      break;
    }
    case TKeyValueGrid::kCheckLater:
      ModelLst.CheckAfterFocusChange();
      return 0;
    case WM_CTLCOLORSTATIC: {
      HDC dc = reinterpret_cast<HDC>(wParam);
      SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
      SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
      return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    }
    case WM_CLOSE:
      // The close box is Cancel; the window stays for its owner to free.
      CancelBtnClick();
      return 0;
    default:
      break;
  }
  return DefaultHandling(message, wParam, lParam);
}

}  // namespace ui::win32
