// The main window's side of its logic: the choices read from and put into the controls,
// and the displays, buttons and questions the logic asks for.

#include "platform/win32/WinText.h"
#include "ui/MainTexts.h"
#include "ui/ProgressTexts.h"
#include "ui/win32/FolderBrowser.h"
#include "ui/win32/ProgressFrm.h"
#include "ui/win32/StampelFrm.h"

namespace ui::win32 {

ui::tMainChoices TStampelFrm::Choices() const {
  ui::tMainChoices c;
  c.FormatEdit = FormatEdit.Text();
  c.FilePathEdit = FilePathEdit.Text();
  c.FormatHistory = FormatEdit.Items();
  c.FilepathHistory = FilePathEdit.Items();
  c.FormatGrpBox = -1;
  for (size_t i = 0; i < Samples.size(); ++i)
    if (Samples[i].Checked()) c.FormatGrpBox = static_cast<int>(i);
  c.DateGrpBox = OrgTSRadio.Checked() ? 0 : IntTSRadio.Checked() ? 1 : -1;
  c.FileChk = FileChk.Checked();
  c.DelOrgChk = DelOrgChk.Checked();
  c.FileNoChk = FileNoChk.Checked();
  c.OverWrtChk = OverWrtChk.Checked();
  c.CopyChk = CopyChk.Checked();
  c.SubDirChk = SubDirChk.Checked();
  c.DisplayChk = DisplayChk.Checked();
  c.CompanionChk = CompanionChk.Checked();
  c.ElsewhereChk = ElsewhereChk.Checked();
  c.FileTimeChk = FileTimeChk.Checked();
  c.ShiftEdit = ShiftEdit.Text();
  return c;
}

void TStampelFrm::ShowChoices(const ui::tMainChoices& c) {
  FormatEdit.SetItems(c.FormatHistory);
  FilePathEdit.SetItems(c.FilepathHistory);
  FormatEdit.SetText(c.FormatEdit);
  FilePathEdit.SetText(c.FilePathEdit);
  for (size_t i = 0; i < Samples.size(); ++i)
    Samples[i].SetChecked(static_cast<int>(i) == c.FormatGrpBox);
  shownSample_ = c.FormatGrpBox;
  OrgTSRadio.SetChecked(c.DateGrpBox == 0);
  IntTSRadio.SetChecked(c.DateGrpBox == 1);
  FileChk.SetChecked(c.FileChk);
  DelOrgChk.SetChecked(c.DelOrgChk);
  FileNoChk.SetChecked(c.FileNoChk);
  OverWrtChk.SetChecked(c.OverWrtChk);
  CopyChk.SetChecked(c.CopyChk);
  SubDirChk.SetChecked(c.SubDirChk);
  DisplayChk.SetChecked(c.DisplayChk);
  CompanionChk.SetChecked(c.CompanionChk);
  ElsewhereChk.SetChecked(c.ElsewhereChk);
  FileTimeChk.SetChecked(c.FileTimeChk);
  ShiftEdit.SetText(c.ShiftEdit);
}

void TStampelFrm::SetFormatText(const std::string& text) { FormatEdit.SetText(text); }

void TStampelFrm::SetPathText(const std::string& text) { FilePathEdit.SetText(text); }

void TStampelFrm::SetHistories(const std::vector<std::string>& formats,
                               const std::vector<std::string>& paths) {
  FormatEdit.SetItems(formats);
  FilePathEdit.SetItems(paths);
}

void TStampelFrm::ShowPreview(const ui::tPreview& preview) {
  BatchExplEdit.SetText(preview.batchLine);
  ExplLbl.SetText(preview.example);
  menu_.SetChecks(preview.checks);
}

void TStampelFrm::SetRunControlsEnabled(bool enabled) {
  if (!enabled) focusBeforeRun_ = GetFocus();
  RunBtn.SetEnabled(enabled);
  QuitBtn.SetEnabled(enabled);
  menu_.SetRunItemsEnabled(enabled);
  // The button pressed lost the focus when it was disabled; it gets it back.
  if (enabled && focusBeforeRun_ && IsWindow(focusBeforeRun_) && GetFocus() == nullptr &&
      GetForegroundWindow() == Handle()) {
    SetFocus(focusBeforeRun_);
  }
}

void TStampelFrm::SetShowProgressBtnVisible(bool visible) { ShowProgressBtn.SetVisible(visible); }

void TStampelFrm::CheckProgressButtonMode(ui::tProgressButtonMode mode) {
  menu_.CheckProgressButtonMode(mode);
}

void TStampelFrm::ShowProgressWindow(bool visible) {
  if (!progress_) return;
  if (visible)
    progress_->Show();
  else
    progress_->Hide();
}

void TStampelFrm::SetFilesDone(const std::string& text) { FilesDoneLbl.SetText(text); }

bool TStampelFrm::Ask(const std::string& text) {
  if (ask_) return ask_(text);
  using platform::win32::Widen;
  return MessageBoxW(Handle(), Widen(text).c_str(), Widen(ui::main_text::kCaption).c_str(),
                     MB_YESNO | MB_ICONQUESTION) == IDYES;
}

void TStampelFrm::Tell(const std::string& text) {
  using platform::win32::Widen;
  MessageBoxW(Handle(), Widen(text).c_str(), Widen(ui::main_text::kCaption).c_str(),
              MB_OK | MB_ICONINFORMATION);
}

std::optional<std::string> TStampelFrm::BrowseForFolder(const std::string& startFolder) {
  if (pickFolder_) return pickFolder_(startFolder);
  return ui::win32::BrowseForFolder(Handle(), ui::main_text::kBrowseTitle, startFolder);
}

void TStampelFrm::SetProgressForm(TProgressFrm* progress) {
  progress_ = progress;
  lines_.SetSink(progress);
}

void TStampelFrm::SetStopTarget(tCancelToken* token) {
  if (progress_) progress_->SetStopTarget(token);
}

void TStampelFrm::ShowStopped() {
  if (progress_) progress_->AddAlertLine(ui::kStoppedLine, 0);
}

void TStampelFrm::CloseWindow() {
  ShowWindow(Handle(), SW_HIDE);
  if (onClosed_) onClosed_();
}

}  // namespace ui::win32
