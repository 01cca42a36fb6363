#include "ui/TranslationGrid.h"

#include "platform/AsciiCase.h"

namespace ui {

tTranslationGrid::tTranslationGrid(const std::vector<std::string>& lines) {
  for (const std::string& line : lines) {
    if (rows_.size() == kMaxTranslationRows) break;
    const size_t equals = line.find('=');
    if (equals == std::string::npos)
      rows_.push_back({line, "", false});
    else
      rows_.push_back({line.substr(0, equals), line.substr(equals + 1), true});
  }
  if (rows_.empty()) rows_.push_back({});
}

tKeyCheck tTranslationGrid::CheckKey(size_t row, const std::string& key) const {
  if (key.find('=') != std::string::npos) return tKeyCheck::HoldsEquals;
  if (key.empty()) return tKeyCheck::Accepted;
  for (size_t other = 0; other < rows_.size(); ++other) {
    if (other != row && platform::SameIgnoringCase(rows_[other].key, key))
      return tKeyCheck::Duplicate;
  }
  return tKeyCheck::Accepted;
}

std::string tTranslationGrid::RefusalMessage(tKeyCheck check, const std::string& key) {
  switch (check) {
    case tKeyCheck::Duplicate:
      return "The model \"" + key +
             "\" is in the list already. Each model can have one translation.";
    case tKeyCheck::HoldsEquals:
      return "The model \"" + key + "\" cannot be used: a model text must not contain \"=\".";
    case tKeyCheck::Accepted:
      break;
  }
  return std::string();
}

bool tTranslationGrid::SetKey(size_t row, const std::string& key) {
  if (row >= rows_.size() || CheckKey(row, key) != tKeyCheck::Accepted) return false;
  if (rows_[row].key != key) {
    rows_[row].key = key;
    rows_[row].hasEquals = true;
  }
  return true;
}

void tTranslationGrid::SetValue(size_t row, const std::string& value) {
  if (row >= rows_.size() || rows_[row].value == value) return;
  rows_[row].value = value;
  rows_[row].hasEquals = true;
}

bool tTranslationGrid::InsertRow(size_t before) {
  if (!CanAddRow() || before > rows_.size()) return false;
  rows_.insert(rows_.begin() + static_cast<std::ptrdiff_t>(before), tTranslationRow{});
  return true;
}

void tTranslationGrid::DeleteRow(size_t row) {
  if (row >= rows_.size()) return;
  if (rows_.size() == 1) {
    rows_[0] = {};
    return;
  }
  rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(row));
}

std::vector<std::string> tTranslationGrid::Lines() const {
  size_t end = rows_.size();
  while (end > 0 && rows_[end - 1].Blank()) --end;
  std::vector<std::string> lines;
  for (size_t i = 0; i < end; ++i) {
    const tTranslationRow& row = rows_[i];
    lines.push_back(row.hasEquals ? row.key + "=" + row.value : row.key);
  }
  return lines;
}

std::string OrientationWordOnExit(const std::string& text, const std::string& defaultWord) {
  for (unsigned char c : text)
    if (c > ' ') return text;
  return defaultWord;
}

}  // namespace ui
