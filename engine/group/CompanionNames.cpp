#include "engine/group/CompanionNames.h"

#include <algorithm>
#include <array>

#include "platform/AsciiCase.h"

namespace {

constexpr char kTakeoutSuffix[] = ".supplemental-metadata";
// Takeout cuts a JSON's name to this many characters.
constexpr size_t kTakeoutNameLimit = 51;

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

std::string Lowered(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) c = Lower(c);
  return lower;
}

bool EndsWithLower(std::string_view lower, std::string_view ending) {
  return lower.size() >= ending.size() && lower.substr(lower.size() - ending.size()) == ending;
}

// FNV-1a over the lower-case bytes.
uint64_t Hash(std::string_view text, bool lower) {
  uint64_t hash = 14695981039346656037ull;
  for (char c : text) {
    hash ^= static_cast<uint8_t>(lower ? Lower(c) : c);
    hash *= 1099511628211ull;
  }
  return hash;
}

// Characters, not bytes: a UTF-8 continuation byte does not start one.
size_t Characters(std::string_view text) {
  return static_cast<size_t>(std::count_if(
      text.begin(), text.end(), [](char c) { return (static_cast<uint8_t>(c) & 0xC0) != 0x80; }));
}

// The first `count` characters of the text.
std::string_view FirstCharacters(std::string_view text, size_t count) {
  size_t at = 0;
  for (size_t seen = 0; at < text.size(); ++at) {
    if ((static_cast<uint8_t>(text[at]) & 0xC0) == 0x80) continue;
    if (seen++ == count) break;
  }
  return text.substr(0, at);
}

// "(12)" at the end of the base: the number Takeout gives a second file of one name.
size_t DuplicateNumberLength(std::string_view base) {
  if (base.size() < 3 || base.back() != ')') return 0;
  size_t open = base.size() - 2;
  while (open > 0 && base[open] >= '0' && base[open] <= '9') --open;
  return base[open] == '(' && open < base.size() - 2 ? base.size() - open : 0;
}

constexpr std::array<std::string_view, 7> kCompanionExtensions = {".xmp", ".pp3", ".dop", ".json",
                                                                  ".aae", ".thm", ".lrv"};

}  // namespace

std::string_view BaseOf(std::string_view name) {
  const size_t dot = name.rfind('.');
  return dot == std::string_view::npos ? name : name.substr(0, dot);
}

bool HasCompanionExtension(std::string_view name) {
  // Asked of every name of a folder: one look at the extension, no copies.
  const size_t dot = name.rfind('.');
  if (dot == std::string_view::npos || dot == 0 || name.size() - dot > 5) return false;
  char lower[5];
  const size_t length = name.size() - dot;
  for (size_t i = 0; i < length; ++i) lower[i] = Lower(name[dot + i]);
  const std::string_view extension(lower, length);
  if (extension == ".xml")
    return dot > 3 && platform::SameIgnoringCase(name.substr(dot - 3, 3), "m01");
  return std::find(kCompanionExtensions.begin(), kCompanionExtensions.end(), extension) !=
         kCompanionExtensions.end();
}

uint64_t BaseKey(std::string_view name) { return Hash(BaseOf(name), true); }

std::vector<std::string> TakeoutJsonNames(std::string_view fileName) {
  std::vector<std::string> names;
  const std::string lower = Lowered(fileName);
  const std::string_view base = BaseOf(lower);
  // The file's name as Takeout took it, and the number it put before ".json".
  std::vector<std::pair<std::string, std::string>> forms = {{lower, ""}};
  if (const size_t number = DuplicateNumberLength(base))
    forms.emplace_back(std::string(base.substr(0, base.size() - number)) +
                           std::string(std::string_view(lower).substr(base.size())),
                       std::string(base.substr(base.size() - number)));
  for (const auto& [name, number] : forms) {
    const std::string full = name + kTakeoutSuffix;
    const size_t room = kTakeoutNameLimit - 5;  // ".json" comes after the cut
    for (size_t length = name.size(); length <= full.size(); ++length) {
      const std::string_view kept = std::string_view(full).substr(0, length);
      if (Characters(kept) + Characters(number) > room) break;
      names.push_back(std::string(kept) + number + ".json");
    }
    // Too long: cut with the number counted, or cut before the number was added.
    if (Characters(name) + Characters(number) > room)
      names.push_back(std::string(FirstCharacters(full, room - Characters(number))) + number +
                      ".json");
    if (!number.empty() && Characters(full) + Characters(number) > room)
      names.push_back(std::string(FirstCharacters(full, room)) + number + ".json");
  }
  std::sort(names.begin(), names.end());
  names.erase(std::unique(names.begin(), names.end()), names.end());
  return names;
}

tFolderNames::tFolderNames(std::vector<std::string> names) : names_(std::move(names)) {
  byName_.reserve(names_.size());
  bases_.reserve(names_.size());
  for (uint32_t i = 0; i < names_.size(); ++i) {
    const std::string& name = names_[i];
    byName_.push_back({Hash(name, false), i});
    bases_.push_back({BaseKey(name), i});
    if (HasCompanionExtension(name)) {
      companions_[Lowered(name)].push_back(i);
      anyJson_ = anyJson_ || EndsWithLower(Lowered(name), ".json");
    }
  }
  std::sort(byName_.begin(), byName_.end());
  std::sort(bases_.begin(), bases_.end());
}

uint32_t tFolderNames::Find(std::string_view name) const {
  const uint64_t key = Hash(name, false);
  for (auto it = std::lower_bound(byName_.begin(), byName_.end(), Keyed{key, 0});
       it != byName_.end() && it->key == key; ++it)
    if (names_[it->file] == name) return it->file;
  return kNone;
}

std::vector<uint32_t> tFolderNames::SameBase(uint32_t file) const {
  std::vector<uint32_t> found;
  const std::string_view base = BaseOf(names_[file]);
  const uint64_t key = BaseKey(names_[file]);
  for (auto it = std::lower_bound(bases_.begin(), bases_.end(), Keyed{key, 0});
       it != bases_.end() && it->key == key; ++it)
    if (it->file != file && platform::SameIgnoringCase(BaseOf(names_[it->file]), base))
      found.push_back(it->file);
  return found;
}

std::vector<tCompanionName> tFolderNames::CompanionsOf(uint32_t file) const {
  std::vector<tCompanionName> found;
  const std::string& name = names_[file];
  if (companions_.empty() || HasCompanionExtension(name)) return found;
  const auto add = [&](const std::string& candidate, tTie tie, size_t ownerLength) {
    const auto hit = companions_.find(candidate);
    if (hit == companions_.end()) return;
    for (uint32_t companion : hit->second) {
      if (companion == file || std::any_of(found.begin(), found.end(),
                                           [&](const auto& c) { return c.File == companion; }))
        continue;
      const std::string& other = names_[companion];
      found.push_back(
          {companion, tie,
           tie == tTie::TakeoutJson ? std::string(".json") : other.substr(ownerLength)});
    }
  };
  const std::string lower = Lowered(name);
  for (const char* suffix : {".xmp", ".pp3", ".dop"})
    add(lower + suffix, tTie::FullName, name.size());
  if (anyJson_)
    for (const std::string& json : TakeoutJsonNames(name)) add(json, tTie::TakeoutJson, 0);
  const std::string base(BaseOf(lower));
  for (const char* extension : {".xmp", ".aae", ".thm", ".lrv", "m01.xml"})
    add(base + extension, tTie::BaseName, base.size());
  // GoPro: GX010373.MP4 and GH010373.MP4 (HERO6 and later, HERO5) leave GL010373.LRV.
  if (base.size() > 2 && base[0] == 'g' && (base[1] == 'x' || base[1] == 'h'))
    add("gl" + base.substr(2) + ".lrv", tTie::BaseName, base.size());
  return found;
}

uint32_t tFolderNames::FindTakeoutJson(std::string_view fileName) const {
  if (!anyJson_) return kNone;
  for (const std::string& json : TakeoutJsonNames(fileName)) {
    const auto hit = companions_.find(json);
    if (hit != companions_.end()) return hit->second.front();
  }
  return kNone;
}
