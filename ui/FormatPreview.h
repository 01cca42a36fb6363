#pragma once

#include <array>
#include <string>

#include "platform/DateTime.h"
#include "ui/MainChoices.h"

// The main window's sample formats, and the two read-only displays that follow every
// change: the batch line that would do the same job and an example file name.
namespace ui {

// The captions of the sample formats, in item order: items 0 to 5 fill the first of the
// group's two columns, 6 to 10 the second.
inline constexpr std::array<const char*, 11> kSampleFormats = {
    "yyyy-mm-dd-hh-nn-ss_", "yy-mm-dd-hh-nn-ss_", "yyyy-mm-dd_", "hh-nn-ss_", "Model_", "Orient_",
    "yyyymmdd_hhnnss_",     "yymmdd_hhnnss_",     "yyyymmdd_",   "hhnnss_",   "Size_"};

// The text a chosen sample puts into the format box: its caption without "&", except that
// the keyword samples become quoted text ("'Model'_", "'Size'_", "'Orient'_"), which the
// format language copies unchanged for the name composition to replace.
std::string SampleFormatText(const std::string& caption);

// The old-name and counter parts of the example name.
inline constexpr const char* kExampleOldName = "IMGP1234";
inline constexpr const char* kExampleCounter = "042";

// The check marks of the Date Selection and Switches menu items, mirroring the controls.
struct tMenuChecks {
  bool OrgTSMenu = false;
  bool IntTSMenu = false;
  bool FileMenu = false;
  bool DelOrgMenu = false;
  bool FileNoMenu = false;
  bool OverWrtMenu = false;
  bool CopyMenu = false;
  bool SubDirMenu = false;
  bool DisplayMenu = false;

  bool operator==(const tMenuChecks&) const = default;
};

struct tPreview {
  std::string batchLine;  // for BatchExplEdit
  std::string example;    // for ExplLbl
  tMenuChecks checks;
};

// /F:"format" path, then " /O", " /T", " /D", " /N", " /Y", " /C", " /R", " /S", " /E",
// " /M" for the choices that are on, in that order, and " /Z:" and the shift box's text
// when it holds one.
std::string BatchLine(const tMainChoices& choices);

// The format applied to the moment moved by the clock shift, then "IMGP1234" unless the
// old name is left out,
// "042" with the counter, and the extension of the path pattern's last component. The
// keywords are not replaced and no character is blanked: it shows what the format does.
std::string ExampleName(const tMainChoices& choices, TDateTime now);

tMenuChecks MenuChecksFor(const tMainChoices& choices);

// Everything FormatEditChange recomputes.
tPreview PreviewFor(const tMainChoices& choices, TDateTime now);

}  // namespace ui
