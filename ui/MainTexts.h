#pragma once

// The fixed texts of the main window: captions, hints, menu items and the messages of a
// run. The Win32 window shows them; the window logic and the tests read them from here.
namespace ui::main_text {

inline constexpr const char* kCaption = "Stampel";

// The top row reads like a command line: Stampel /F:"format".
inline constexpr const char* kStampelLbl = "Stampe&l";
inline constexpr const char* kLabel2 = "/F:\"";
inline constexpr const char* kLabel3 = "\"";
inline constexpr const char* kFormatEditHint = "file's format to return";
inline constexpr const char* kSearchBtn = "S&earch";
inline constexpr const char* kSearchBtnHint = "search for a path";
inline constexpr const char* kFilePathEditHint =
    "path and filename (with wildcards) of the files to rename";
inline constexpr const char* kFormatGrpBox = "S&ample Formats (examples)";
inline constexpr const char* kFormatGrpBoxHint = "format (examples) of the timestamp to create";
inline constexpr const char* kDateGrpBox = "Date Selection";
inline constexpr const char* kOriginalTimestamp = "Original Timestamp (/&O)";
inline constexpr const char* kInternalTimestamp = "&Internal Timestamp";
inline constexpr const char* kDateGrpBoxHint = "type of date to use";
inline constexpr const char* kSwitchesGrpBox = "Switches";

inline constexpr const char* kFileChk = "Set File Modification Timestamp (/&T)";
inline constexpr const char* kFileChkHint = "set the file's modification timestamp";
inline constexpr const char* kDelOrgChk = "Delete the Original Filename Part (/&D)";
inline constexpr const char* kDelOrgChkHint = "delete the original filename part";
inline constexpr const char* kFileNoChk = "Pad File with Counter (/&N3)";
inline constexpr const char* kFileNoChkHint = "pad a running number at the end of the file";
inline constexpr const char* kOverWrtChk = "Overwrite Existing Files (/&Y)";
inline constexpr const char* kOverWrtChkHint = "automatically overwrite existing files";
inline constexpr const char* kCopyChk = "Copy File instead of Move File (/&C)";
inline constexpr const char* kCopyChkHint = "copy source file instead of move";
inline constexpr const char* kSubDirChk = "Process all Subdirectories (/&R)";
inline constexpr const char* kSubDirChkHint = "cycle through sub-directories";
inline constexpr const char* kDisplayChk = "Show Activity while Processing (/&S)";
inline constexpr const char* kDisplayChkHint = "displays a processing window";
inline constexpr const char* kCompanionChk = "Move Sidecars and Pairs Along";
inline constexpr const char* kCompanionChkHint =
    "edit files, sidecars, RAW+JPEG pairs and Live Photo halves keep their photo's name";
inline constexpr const char* kElsewhereChk = "Date from &JSON or Name (/E)";
inline constexpr const char* kElsewhereChkHint =
    "files without a date take the one of their Google Takeout JSON, or of their name";
inline constexpr const char* kFileTimeChk = "File Time as Last Resort (/&M)";
inline constexpr const char* kFileTimeChkHint =
    "files still without a date take their modification time";
inline constexpr const char* kShiftLbl = "Clock Shift (/&Z):";
inline constexpr const char* kShiftEditHint =
    "move every date by [+|-][days.]hh:mm[:ss], such as +1:00 or -0:00:37; empty for none";

inline constexpr const char* kLabel8 = "Example:";
inline constexpr const char* kBatchExplEditHint = "example batch input line";
inline constexpr const char* kExplLblHint = "a formatted file example";
inline constexpr const char* kShowProgressBtnHint = "show/hide the progress window";
inline constexpr const char* kRunBtn = "R&un Stampel";
inline constexpr const char* kRunBtnHint = "yes, run Stampel with these parameters!";
inline constexpr const char* kQuitBtn = "Quit";
inline constexpr const char* kQuitBtnHint = "oops, good bye  :)";

// The main menu.
inline constexpr const char* kFileMainMain = "&File";
inline constexpr const char* kRunMenu = "R&un Stampel...";
inline constexpr const char* kPreviewMenu = "&Preview...";
inline constexpr const char* kUndoMenu = "Undo &Last Run...";
inline constexpr const char* kQuitMenu = "&Quit";
inline constexpr const char* kOptionsMainMenu = "O&ptions";
inline constexpr const char* kSearchMenu = "S&earch...";
inline constexpr const char* kDateSelMenu = "&Date Selection";
inline constexpr const char* kSwitchesMenu = "&Switches";
// The Copy and Subdirectories items carry no accelerator, unlike their check boxes.
inline constexpr const char* kCopyMenu = "Copy File instead of Move File (/C)";
inline constexpr const char* kSubDirMenu = "Process all Subdirectories (/R)";
inline constexpr const char* kToggleProgBtnMenu = "Toggle &Progress Button";
inline constexpr const char* kShowAlwaysMenu = "&Show Always";
inline constexpr const char* kHideAlwaysMenu = "&Hide Always";
inline constexpr const char* kAutoHideMenu = "&Auto";
inline constexpr const char* kTranslationsMenu = "&Translations...";
inline constexpr const char* kHelpMainMenu = "&Help";
inline constexpr const char* kVersionMenu = "&Version...";
// The entry added to the window's system menu, and its command.
inline constexpr const char* kSystemVersionMenu = "Version...";
inline constexpr int kSystemVersionCommand = 42;

// A run and the folder search.
inline constexpr const char* kFilesRenamed = " files renamed.";
inline constexpr const char* kQuitQuestion = "Quit program?";
inline constexpr const char* kBrowseTitle = "Select the Directory to process:";
inline constexpr const char* kShiftRefused = "Nothing was renamed: the clock shift (/Z) ";
inline constexpr const char* kNothingToUndo =
    "There is no run to undo: no run has moved or copied files yet.";

}  // namespace ui::main_text
