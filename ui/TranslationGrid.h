#pragma once

#include <string>
#include <vector>

// The rows of the translations dialog's grid: each row is one line "model=translation" of
// the model translations. The dialog edits them cell by cell; this class keeps the rows and
// the grid's rules.
namespace ui {

// The most rows the grid holds: as many as the settings keep.
inline constexpr size_t kMaxTranslationRows = 64;

struct tTranslationRow {
  std::string key;    // the model text, before the line's first "="
  std::string value;  // the translation, after it
  // False for a line that had no "=" and was not edited: it stays as it was.
  bool hasEquals = true;

  bool Blank() const { return key.empty() && value.empty(); }
};

// Why a key cannot stand in its row.
enum class tKeyCheck { Accepted, Duplicate, HoldsEquals };

class tTranslationGrid {
 public:
  // The rows of the lines, in order (at most the first 64).
  explicit tTranslationGrid(const std::vector<std::string>& lines);

  // The grid always shows a row to type into: with no line, one blank row.
  size_t RowCount() const { return rows_.size(); }
  const tTranslationRow& Row(size_t row) const { return rows_[row]; }

  // A key is refused when it holds "=" or when another row has it already (letter case
  // ignored, as the translation lookup ignores it); empty keys are never duplicates.
  tKeyCheck CheckKey(size_t row, const std::string& key) const;
  // The message that tells the user why, naming the key.
  static std::string RefusalMessage(tKeyCheck check, const std::string& key);

  // Set a cell; the key only when CheckKey accepts it (false otherwise).
  bool SetKey(size_t row, const std::string& key);
  void SetValue(size_t row, const std::string& value);

  bool CanAddRow() const { return rows_.size() < kMaxTranslationRows; }
  // A blank row before the given one (RowCount() appends); false at the limit.
  bool InsertRow(size_t before);
  // Removes a row; the last one left is emptied instead.
  void DeleteRow(size_t row);

  // The grid's lines, in row order: key "=" value, a blank row being "="; blank rows at
  // the end are no lines (a row added and left empty), so an empty grid gives none.
  std::vector<std::string> Lines() const;

 private:
  std::vector<tTranslationRow> rows_;
};

// The text an orientation box keeps when the user leaves it: the default word when only
// blanks and control characters are left, otherwise the text as typed.
std::string OrientationWordOnExit(const std::string& text, const std::string& defaultWord);

}  // namespace ui
