#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// clang-format off
#include "platform/win32/WinApi.h"
#include <commctrl.h>
// clang-format on

#include "ui/MainPresenter.h"
#include "ui/RunLines.h"
#include "ui/win32/Controls.h"
#include "ui/win32/Fonts.h"
#include "ui/win32/Hints.h"
#include "ui/win32/MainMenu.h"
#include "ui/win32/MainWindowLink.h"
#include "ui/win32/Window.h"

namespace ui::win32 {

class TProgressFrm;

// The main window: every choice of a batch command line as a control, the equivalent
// batch line and an example name, the run and the folder search. It restores its choices
// when it is created and saves them when it is destroyed. Its logic is TMainPresenter;
// this class binds the controls to it.
class TStampelFrm final : public TWindow, public MainWindowLink, private ui::tMainView {
 public:
  // Creates the window, hidden, with its choices restored from the store; its runs read
  // files with the readers' options.
  explicit TStampelFrm(tSettingsStore& store, tReaderOptions readers = {});
  // Saves the choices and destroys the window.
  ~TStampelFrm() override;

  // The progress window that runs show and the Show Progress button toggles.
  void SetProgressForm(TProgressFrm* progress);
  // What closing the window does once the window has hidden (the interactive mode ends
  // its message loop); by default nothing more.
  void SetOnClosed(std::function<void()> closed) { onClosed_ = std::move(closed); }
  // Replaces the folder browser and the Yes/No questions (tests answer them).
  using FolderPicker = std::function<std::optional<std::string>(const std::string& start)>;
  void SetFolderPicker(FolderPicker picker) { pickFolder_ = std::move(picker); }
  using Question = std::function<bool(const std::string& text)>;
  void SetQuestion(Question question) { ask_ = std::move(question); }

  // Shows the window and gives the format box the focus.
  void Show();

  ui::TMainPresenter& Presenter() { return presenter_; }
  // Where the runs' lines go: the progress window (tests look at them on the way).
  ui::tProgressLines& RunLines() { return lines_; }
  HMENU MenuHandle() const { return menu_.Handle(); }

  // MainWindowLink, for the progress window.
  HWND MainWindowHandle() const override { return Handle(); }
  void SetShowProgressCaption(const std::string& caption) override;

  // Handlers that are not the presenter's.
  void ShowProgressBtnClick();
  void VersionMenuClick();
  void TranslationsMenuClick();

 private:
  // tMainView.
  ui::tMainChoices Choices() const override;
  void ShowChoices(const ui::tMainChoices& choices) override;
  void SetFormatText(const std::string& text) override;
  void SetPathText(const std::string& text) override;
  void SetHistories(const std::vector<std::string>& formats,
                    const std::vector<std::string>& paths) override;
  void ShowPreview(const ui::tPreview& preview) override;
  void SetRunControlsEnabled(bool enabled) override;
  void SetShowProgressBtnVisible(bool visible) override;
  void CheckProgressButtonMode(ui::tProgressButtonMode mode) override;
  void ShowProgressWindow(bool visible) override;
  void SetFilesDone(const std::string& text) override;
  bool Ask(const std::string& text) override;
  void Tell(const std::string& text) override;
  std::optional<std::string> BrowseForFolder(const std::string& startFolder) override;
  void CloseWindow() override;
  tRunEvents& RunEvents() override { return lines_; }
  void SetStopTarget(tCancelToken* token) override;
  void ShowStopped() override;

  // TWindow.
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnCommand(int id, int code) override;
  void OnDpiChanged(int dpi) override;

  void CreateControls();
  void AddHints();
  void ApplyDpi(int dpi);
  void LayOut();
  void FitClientArea();
  void PaintPanels();
  void OnComboChange(TComboBox& box, int code);
  void OnSampleClicked();
  void SelectDate(int index);
  void ToggleSwitch(int checkId);
  TCheckButton& SwitchCheck(int checkId);

  tSettingsStore& store_;
  ui::tProgressLines lines_;  // the runs' lines, in the progress window
  ui::TMainPresenter presenter_;
  TProgressFrm* progress_ = nullptr;
  std::function<void()> onClosed_;
  FolderPicker pickFolder_;
  Question ask_;
  int dpi_ = 96;
  int shownSample_ = 0;  // the sample selection as of the last click, to see a change
  bool destroyed_ = false;
  HWND focusBeforeRun_ = nullptr;

  TFont font_;
  TFont boldFont_;
  TFont fixedFont_;
  THints hints_;
  TMainMenu menu_;
  HIMAGELIST searchGlyph_ = nullptr;

  TLabel StampelLbl;
  TLabel Label2;
  TLabel Label3;
  TComboBox FormatEdit;
  TButton SearchBtn;
  TComboBox FilePathEdit;
  TGroupBox FormatGrpBox;
  std::array<TCheckButton, 11> Samples;
  TGroupBox DateGrpBox;
  TCheckButton OrgTSRadio;
  TCheckButton IntTSRadio;
  TGroupBox SwitchesGrpBox;
  TCheckButton FileChk;
  TCheckButton DelOrgChk;
  TCheckButton FileNoChk;
  TCheckButton OverWrtChk;
  TCheckButton CopyChk;
  TCheckButton SubDirChk;
  TCheckButton DisplayChk;
  TCheckButton CompanionChk;
  TCheckButton ElsewhereChk;
  TCheckButton FileTimeChk;
  TLabel ShiftLbl;
  TEdit ShiftEdit;
  TLabel Label8;
  TEdit BatchExplEdit;
  TLabel ExplLbl;
  TLabel FilesDoneLbl;
  TButton ShowProgressBtn;
  TButton RunBtn;
  TButton QuitBtn;
  TLabel CreditLbl;
};

}  // namespace ui::win32
