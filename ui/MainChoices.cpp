#include "ui/MainChoices.h"

namespace ui {

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
