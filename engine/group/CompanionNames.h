#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// How a file's name ties it to the photo or clip it belongs to. Names are compared
// without regard to letter case.
enum class tTie : uint8_t {
  FullName,     // the file's whole name and a suffix: IMG_1.CR2.xmp (darktable), .pp3, .dop
  BaseName,     // its name without the extension and another one: IMG_1.xmp, .aae, .thm, .lrv,
                // C0001M01.XML; GoPro's GL010373.LRV for GX010373.MP4 and GH010373.MP4
  TakeoutJson,  // the JSON Google Takeout writes beside a photo, in any of its forms
};

// One companion of a file.
struct tCompanionName {
  uint32_t File = 0;  // its index in the folder's list
  tTie Tie = tTie::FullName;
  // What the companion's new name keeps after its owner's new name (full name, Takeout)
  // or new base (base name): ".xmp", ".XMP", "M01.XML", ".json".
  std::string Tail;
};

// The name without its last extension: IMG_1 of IMG_1.CR2, IMG_1.CR2 of IMG_1.CR2.xmp.
std::string_view BaseOf(std::string_view name);

// A key for the name's base, letter case aside: equal for names of one base (and, rarely,
// for others, so equal keys call for a closer look).
uint64_t BaseKey(std::string_view name);

// Names that only companions have: a file so named never has companions of its own and
// never decides, by its own date, whether another file's companion follows.
bool HasCompanionExtension(std::string_view name);

// The names Google Takeout may give the JSON of a file, in lower case: the name and
// ".supplemental-metadata" cut to any prefix (".supp", "" ...) and ".json"; the whole
// cut to 51 characters where it would be longer; a duplicate number "(1)" of the file
// moved before ".json" ("IMG_1(1).JPG" -> "img_1.jpg.supplemental-metadata(1).json").
std::vector<std::string> TakeoutJsonNames(std::string_view fileName);

// The names of one folder's files, indexed so that a file's companions and the other
// files of its base are found without going through the list.
class tFolderNames {
 public:
  explicit tFolderNames(std::vector<std::string> names);

  const std::vector<std::string>& Names() const { return names_; }
  const std::string& Name(uint32_t file) const { return names_[file]; }
  // The file of exactly this name, or kNone.
  uint32_t Find(std::string_view name) const;
  static constexpr uint32_t kNone = UINT32_MAX;
  // The other files of the file's base, letter case aside.
  std::vector<uint32_t> SameBase(uint32_t file) const;
  // Whether the folder holds any file with a companion's extension: when it does not,
  // no file has companions and CompanionsOf need not be asked.
  bool AnyCompanions() const { return !companions_.empty(); }
  // The file's companions, each once (a name that ties both ways counts as a full-name
  // sidecar). A file with a companion's extension has none.
  std::vector<tCompanionName> CompanionsOf(uint32_t file) const;
  // The Google Takeout JSON of a file of this name (first in the order of
  // TakeoutJsonNames), or kNone.
  uint32_t FindTakeoutJson(std::string_view fileName) const;

 private:
  struct Keyed {
    uint64_t key;
    uint32_t file;
    bool operator<(const Keyed& other) const {
      return key < other.key || (key == other.key && file < other.file);
    }
  };

  std::vector<std::string> names_;
  std::vector<Keyed> byName_;  // every file by the hash of its name
  std::vector<Keyed> bases_;   // every file by the hash of its lower-case base
  bool anyJson_ = false;
  // The files with a companion's extension, by their lower-case names.
  std::unordered_map<std::string, std::vector<uint32_t>> companions_;
};
