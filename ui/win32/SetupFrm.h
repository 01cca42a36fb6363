#pragma once

#include "ui/TranslationGrid.h"
#include "ui/win32/Controls.h"
#include "ui/win32/Fonts.h"
#include "ui/win32/Hints.h"
#include "ui/win32/KeyValueGrid.h"
#include "ui/win32/Window.h"

namespace ui::win32 {

// The translations dialog: the model translations in a grid and the two orientation
// words, for batch and window runs alike. It fills itself from the tables in memory;
// only OK changes them (and the settings). Always modal.
class TSetupFrm final : public TWindow {
 public:
  // owner: the window it is centred on and shown over (the main window).
  explicit TSetupFrm(HWND owner);

  // Shows the dialog and returns when it is closed: true for OK.
  bool Execute();

  void OkBtnClick();
  void CancelBtnClick();
  void LandscapeEditExit();
  void PortraitEditExit();

  const ui::tTranslationGrid& Rows() const { return rows_; }

 private:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnCommand(int id, int code) override;
  void OnDpiChanged(int dpi) override;

  void FormCreate();
  void CreateControls();
  void ApplyDpi(int dpi);
  void LayOut();
  void FormResize();
  void PaintPanels();

  HWND owner_;
  int dpi_ = 96;
  bool confirmed_ = false;
  ui::tTranslationGrid rows_;
  TFont font_;
  TFont infoFont_;
  THints hints_;

  TLabel InfoLbl;
  TGroupBox ModelTransGrpBox;
  TLabel Label1;
  TKeyValueGrid ModelLst;
  TGroupBox OrientTransGrpBox;
  TLabel OrientInfoLbl;
  TLabel LandscapeLbl;
  TEdit LandscapeEdit;
  TLabel PortraitLbl;
  TEdit PortraitEdit;
  TButton OkBtn;
  TButton CancelBtn;
};

}  // namespace ui::win32
