#include "ui/console/Usage.h"

#include "ui/About.h"

namespace ui::console {

namespace {

struct SwitchLine {
  const char* name;
  const char* effect;
};

// Every switch, one line each. The README's table and the manual list the same ones
// (a test compares them), so a new switch goes here first.
constexpr SwitchLine kSwitches[] = {
    {"/F:format", "date-time format of the new name (default yyyy-mm-dd-hh-nn-ss_)"},
    {"/O", "prefer the capture date-time (DateTimeOriginal) to the file's own"},
    {"/D", "leave the old name out of the new one"},
    {"/N[width]", "append a running counter of at least width digits (default 3)"},
    {"/T", "set the file times to the recorded date-time"},
    {"/C", "copy instead of move"},
    {"/Y", "overwrite existing targets instead of picking a free name"},
    {"/R", "walk subdirectories too"},
    {"/S", "print each file's line as it happens"},
    {"/L", "list only: print each file's line, change nothing on disk"},
    {"/U[:file]", "undo the last run, or the run of the named journal file"},
    {"/E", "files without a date: their Takeout JSON's, else their name's"},
    {"/M", "files still without a date: their modification time"},
    {"/Z:shift", "move every date by [days.]hh:mm[:ss] (+ or -), such as +1:00"},
    {"--", "end the switches: every later argument is a path pattern"},
    {"-h, --help", "print this usage (also /?, -?, /H)"},
    {"--version", "print the version line (also /VERSION, -VERSION)"},
};

constexpr const char kIntroduction[] =
    "Renames photos and videos after the date-time recorded inside them: Exif in\n"
    "JPEG, HEIC, AVIF, PNG, WebP and camera raw files (CR3 too), the movie header\n"
    "of MP4 and MOV clips, the date chunks of AVI and WAV files.\n"
    "\n"
    "Usage: stampel [switches] pattern...\n"
    "Every argument that is not a switch is a path pattern (* and ?, letter case\n"
    "ignored); the patterns are processed in order, each with all the switches.\n"
    "\n"
    "Switches:\n";

constexpr const char kDetails[] =
    "\n"
    "In the format, 'Model', 'Size' and 'Orient' in quotes become the camera model,\n"
    "the image size and the orientation word; a backslash makes subfolders.\n"
    "/L, /U, /U:file, /E, /M and /Z: count only as written (/usr is a path); the\n"
    "other switches take any ending (/R, /recurse). zzz in the format shows the\n"
    "milliseconds of SubSecTimeOriginal and SubSecTime.\n"
    "\n"
    "With /E a file of a known kind that holds no date takes the one its Google\n"
    "Takeout JSON gives (photoTakenTime), else one its name gives (from the name's\n"
    "start, 1990 to tomorrow): IMG_20230101_120000, VID_..., PXL_20230101_120000123\n"
    "(UTC), 20230101_120000, IMG-20230101-WA0001 and VID-... (the day only),\n"
    "Screenshot_2023-01-01-12-00-00, Screenshot_20230101-120000, Screenshot\n"
    "2023-01-01 at 12.00.00, signal-2023-01-01-120000, photo_2023-01-01_12-00-00,\n"
    "FB_IMG_ and 13 digits (UTC milliseconds), 2023-01-01 12.00.00 and\n"
    "2023-01-01_12-00-00. With /M the file time comes last. Such a file's line ends\n"
    "in (date from the Takeout JSON), (date from the file name) or (date from the\n"
    "file time). /Z: moves every date, embedded or not, before it names and stamps.\n"
    "\n"
    "Files that belong together move together: a photo's sidecars and edit files\n"
    "(IMG_1.CR2.xmp, .pp3, .dop; IMG_1.xmp, .aae, .thm; GoPro's GL...LRV, Sony's\n"
    "...M01.XML; Google Takeout's .json) and the files of one base whose dates are\n"
    "at most 2 seconds apart (RAW+JPEG, a Live Photo's still and clip, the clip also\n"
    "under another name). A group is named after its first file (raw, HEIF, JPEG,\n"
    "other stills, video): one stem, one counter number, each file with its own old\n"
    "name and extension. A sidecar of more than one file stays, with a line saying\n"
    "so. The settings value Companions = 0 turns this off.\n"
    "\n"
    "On Windows, Stampel.exe /W opens the window (/W:folder at that folder); here\n"
    "stampel /W prints this text.\n"
    "\n"
    "Ctrl+C ends the whole run after the current file (a second one at once); so does\n"
    "a closed output (stampel /S '*.jpg' | head). The journal keeps every change.\n"
    "\n"
    "Examples:\n"
    "  stampel /R \"/F:yyyy\\mm\\yyyy-mm-dd_hhnnss_\" \"photos/*.jpg\"\n"
    "      sorts the photos of a folder tree into year and month folders\n"
    "  stampel /C /D /N \"/F:yyyymmdd_\" \"*.jpg\"\n"
    "      copies each photo to its date and a counter, such as 20080615_001.jpg\n"
    "  stampel /L /R \"/F:yyyy\\mm\\yyyy-mm-dd_hhnnss_\" \"photos/*.jpg\"\n"
    "      lists what that sort would do, and changes nothing\n"
    "  stampel /D /N \"/F:yyyymmdd_\" \"*.*\"\n"
    "      IMG_1.CR2, IMG_1.JPG and IMG_1.xmp become 20080615_001.CR2, .JPG, .xmp\n"
    "  stampel /L /E /M \"/Z:-0:00:37\" \"/F:yyyymmdd_hhnnss_\" \"Takeout/*.*\"\n"
    "      lists names for pictures without Exif too, every date 37 seconds earlier\n"
    "\n"
    "Settings (orientation words, model translations, Companions): settings.reg in\n"
    "  $STAMPEL_CONFIG_DIR, else $XDG_CONFIG_HOME/stampel, else ~/.config/stampel.\n"
    "Journals of the runs, for /U: $XDG_STATE_HOME/stampel/journal/,\n"
    "  else ~/.local/state/stampel/journal/.\n"
    "\n"
    "Exit codes: 0 when every file was handled; 1 when a failure stopped the run\n"
    "  (a file that cannot be opened, a journal that cannot be written, a closed\n"
    "  output); 2 when the run went through but some files could not be renamed,\n"
    "  read, stamped or undone (their lines say which); 130 after Ctrl+C.\n"
    "\n"
    "The manual: man stampel\n";

// The switch column is this wide, so that every effect starts in the same column.
constexpr size_t kNameWidth = 12;

}  // namespace

std::string UsageText() {
  std::string text = about::TitleText() + "\n" + kIntroduction;
  for (const SwitchLine& line : kSwitches) {
    std::string name = line.name;
    name.resize(kNameWidth, ' ');
    text += "  " + name + line.effect + "\n";
  }
  return text + kDetails;
}

}  // namespace ui::console
