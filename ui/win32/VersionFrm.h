#pragma once

#include <functional>
#include <string>

#include "ui/win32/Controls.h"
#include "ui/win32/Fonts.h"
#include "ui/win32/Hints.h"
#include "ui/win32/Window.h"

namespace ui::win32 {

// The about and usage window: the program's name and version, how to start the
// interactive mode, the manual's name and the home page as a link. Always modal.
class TVersionFrm final : public TWindow {
 public:
  // owner: the window it is shown over (the main window), or nullptr.
  explicit TVersionFrm(HWND owner);

  // Shows the window centred on the screen and returns when the user closed it.
  void Execute() { ShowModal(); }

  // What opens the link; the shell's "open" unless replaced (tests watch it).
  using LinkOpener = std::function<void(HWND parent, const std::string& link)>;
  void SetLinkOpener(LinkOpener opener) { openLink_ = std::move(opener); }

  void OkBtnClick();
  void LinkLblClick();

 private:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnCommand(int id, int code) override;
  void OnDpiChanged(int dpi) override;

  void FormCreate();
  void CreateControls();
  void ApplyDpi(int dpi);
  void LayOut();
  void PaintPanel();
  COLORREF TextColourOf(HWND label) const;

  HWND owner_;
  int dpi_ = 96;
  LinkOpener openLink_;
  TFont font_;
  TFont boldFont_;
  TFont linkFont_;
  THints hints_;

  TLabel TitleLbl;
  TLabel CreditLbl;
  TLabel BetaLbl;
  TLabel Lbl1;
  TLabel Lbl2;
  TLabel StampelLbl;
  TLabel Dot1Lbl;
  TLabel Lbl3;
  TLabel LinkLbl;
  TLabel Dot2Lbl;
  TButton OkBtn;
};

// The shell opens the link with the verb "open"; what comes of it is not looked at.
void OpenLinkWithShell(HWND parent, const std::string& link);

}  // namespace ui::win32
