#include "ui/MainChoices.h"

#include "engine/pass/ClockShift.h"

namespace ui {

std::string ShiftProblem(const tMainChoices& c) {
  int64_t milliseconds = 0;
  std::string reason;
  if (c.ShiftEdit.empty() || ParseClockShift(c.ShiftEdit, milliseconds, reason)) return "";
  return reason;
}

int64_t ClockShiftOf(const tMainChoices& c) {
  int64_t milliseconds = 0;
  std::string reason;
  return !c.ShiftEdit.empty() && ParseClockShift(c.ShiftEdit, milliseconds, reason) ? milliseconds
                                                                                    : 0;
}

tRunOptions RunOptionsFrom(const tMainChoices& c) {
  tRunOptions options;
  options.Format = c.FormatEdit;
  options.Recurse = c.SubDirChk;
  options.UseCounter = c.FileNoChk;
  options.CounterWidth = 3;
  options.Overwrite = c.OverWrtChk;
  options.CopyFiles = c.CopyChk;
  options.SetFileStamp = c.FileChk;
  options.OriginalFirst = c.DateGrpBox == 0;
  options.DropOldName = c.DelOrgChk;
  options.Companions = c.CompanionChk;
  options.DatesFromElsewhere = c.ElsewhereChk;
  options.FileTimeLastResort = c.FileTimeChk;
  options.ClockShift = ClockShiftOf(c);
  return options;
}

tProgressButtonState ProgressButtonStateFor(tProgressButtonMode mode) {
  switch (mode) {
    case tProgressButtonMode::ShowAlways:
      return {true, false};
    case tProgressButtonMode::HideAlways:
      return {false, false};
    case tProgressButtonMode::Auto:
      break;
  }
  return {false, true};
}

}  // namespace ui
