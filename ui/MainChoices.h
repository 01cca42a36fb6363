#pragma once

#include <string>
#include <vector>

#include "engine/pass/RunOptions.h"

namespace ui {

// What the main window's controls hold, named after the controls. The window reads it
// from its controls whenever the logic needs it; the designed values are the state of a
// window whose settings could not be restored.
struct tMainChoices {
  std::string FormatEdit;                    // the format box's text
  std::string FilePathEdit;                  // the path pattern box's text
  std::vector<std::string> FormatHistory;    // the format box's list, newest first
  std::vector<std::string> FilepathHistory;  // the path box's list, newest first
  int FormatGrpBox = 0;                      // selected sample, -1 for none
  int DateGrpBox = 0;                        // 0: original timestamp first, 1: internal
  bool FileChk = false;                      // set the file time (/T)
  bool DelOrgChk = false;                    // leave the old name out (/D)
  bool FileNoChk = false;                    // append the counter (/N)
  bool OverWrtChk = false;                   // overwrite existing targets (/Y)
  bool CopyChk = false;                      // copy instead of move (/C)
  bool SubDirChk = false;                    // walk subdirectories (/R)
  bool DisplayChk = true;                    // show the progress window during a run (/S)
  bool CompanionChk = true;                  // files that belong together move together
  bool ElsewhereChk = false;                 // dates from Takeout JSON and names (/E)
  bool FileTimeChk = false;                  // the file time as the last resort (/M)
  std::string ShiftEdit;                     // the clock shift as typed (/Z:), empty for none

  bool operator==(const tMainChoices&) const = default;
};

// The run options the controls stand for; the main window's counter is always 3 wide. A
// shift that cannot be read counts as none here: ShiftProblem tells the user first.
tRunOptions RunOptionsFrom(const tMainChoices& choices);

// Why the shift box's text is no clock shift, or empty text when it is one or is empty.
std::string ShiftProblem(const tMainChoices& choices);
// The clock shift in milliseconds; 0 for an empty box or a text that is no shift.
int64_t ClockShiftOf(const tMainChoices& choices);

// The Show Progress button's modes, with the numbers the settings store keeps.
enum class tProgressButtonMode { ShowAlways = 1, HideAlways = 2, Auto = 3 };

// What a mode does to the button and to the Auto flag; the menu check marks the mode.
struct tProgressButtonState {
  bool buttonVisible = false;  // now, outside a run
  bool autoProgressButton = true;
};
tProgressButtonState ProgressButtonStateFor(tProgressButtonMode mode);

}  // namespace ui
