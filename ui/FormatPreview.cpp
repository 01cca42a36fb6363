#include "ui/FormatPreview.h"

#include "engine/format/FormatTimestamp.h"
#include "platform/AsciiCase.h"
#include "platform/Path.h"

namespace ui {

std::string SampleFormatText(const std::string& caption) {
  std::string text;
  for (char c : caption)
    if (c != '&') text += c;
  const std::string upper = platform::AsciiUpper(text);
  if (upper == "MODEL_") return "'Model'_";
  if (upper == "SIZE_") return "'Size'_";
  if (upper == "ORIENT_") return "'Orient'_";
  return text;
}

std::string BatchLine(const tMainChoices& c) {
  std::string line = "/F:\"" + c.FormatEdit + "\" " + c.FilePathEdit;
  const auto piece = [&line](bool present, const char* text) {
    if (present) line += text;
  };
  piece(c.DateGrpBox == 0, " /O");
  piece(c.FileChk, " /T");
  piece(c.DelOrgChk, " /D");
  piece(c.FileNoChk, " /N");
  piece(c.OverWrtChk, " /Y");
  piece(c.CopyChk, " /C");
  piece(c.SubDirChk, " /R");
  piece(c.DisplayChk, " /S");
  piece(c.ElsewhereChk, " /E");
  piece(c.FileTimeChk, " /M");
  if (!c.ShiftEdit.empty()) line += " /Z:" + c.ShiftEdit;
  return line;
}

std::string ExampleName(const tMainChoices& c, TDateTime now) {
  const TDateTime shifted = now + static_cast<double>(ClockShiftOf(c)) / 86400000.0;
  return FormatTimestamp(c.FormatEdit, shifted) + (c.DelOrgChk ? "" : kExampleOldName) +
         (c.FileNoChk ? kExampleCounter : "") + platform::ExtractFileExt(c.FilePathEdit);
}

tMenuChecks MenuChecksFor(const tMainChoices& c) {
  tMenuChecks checks;
  checks.OrgTSMenu = c.DateGrpBox == 0;
  checks.IntTSMenu = c.DateGrpBox == 1;
  checks.FileMenu = c.FileChk;
  checks.DelOrgMenu = c.DelOrgChk;
  checks.FileNoMenu = c.FileNoChk;
  checks.OverWrtMenu = c.OverWrtChk;
  checks.CopyMenu = c.CopyChk;
  checks.SubDirMenu = c.SubDirChk;
  checks.DisplayMenu = c.DisplayChk;
  return checks;
}

tPreview PreviewFor(const tMainChoices& choices, TDateTime now) {
  return {BatchLine(choices), ExampleName(choices, now), MenuChecksFor(choices)};
}

}  // namespace ui
