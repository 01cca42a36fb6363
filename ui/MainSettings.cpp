#include "ui/MainSettings.h"

#include "settings/ValueNames.h"
#include "ui/FormatPreview.h"

namespace ui {

namespace {

constexpr int kDateItems = 2;

// A text value; one that is empty, or that is not text at all, gives the default.
std::string TextOrDefault(tSettingsStore& store, const char* name, const char* fallback) {
  std::string text;
  try {
    text = store.ReadStringValue(name);
  } catch (const ERegistryException&) {
  }
  return text.empty() ? fallback : text;
}

// A number or boolean keeps the control's state when it cannot be read.
template <typename Read, typename Value>
void ReadInto(Read read, Value& value) {
  try {
    value = read();
  } catch (const ERegistryException&) {
  }
}

// Non-empty texts in order; a value that is not text ends the list.
void ReadHistory(tSettingsStore& store, std::string (*name)(int), std::vector<std::string>& list) {
  try {
    for (int n = 0; n < kHistoryLength; ++n) {
      std::string text = store.ReadStringValue(name(n));
      if (!text.empty()) list.push_back(std::move(text));
    }
  } catch (const ERegistryException&) {
  }
}

}  // namespace

int ClampSelection(int index, int itemCount) {
  if (index < 0) return -1;
  return index < itemCount ? index : itemCount - 1;
}

void RestoreMainChoices(tSettingsStore& store, tMainChoices& c,
                        const std::function<void(tMainChoices&)>& sampleChosen) {
  if (!store.IsOpen()) return;
  const auto number = [&store](const char* name) { return store.ReadIntegerValue(name); };
  const auto flag = [&store](const char* name) { return store.ReadBoolValue(name); };

  c.FilePathEdit = TextOrDefault(store, values::kLastPath, kDefaultPath);

  int selection = c.FormatGrpBox;
  ReadInto([&] { return number(values::kLastFormatSelection); }, selection);
  selection = ClampSelection(selection, static_cast<int>(kSampleFormats.size()));
  if (selection != c.FormatGrpBox) {
    c.FormatGrpBox = selection;
    if (sampleChosen && selection >= 0) sampleChosen(c);
  }
  // After the selection: the text the user had wins over the sample's.
  c.FormatEdit = TextOrDefault(store, values::kLastFormat, kDefaultFormat);

  int date = c.DateGrpBox;
  ReadInto([&] { return number(values::kLastOrgDateTime); }, date);
  c.DateGrpBox = ClampSelection(date, kDateItems);

  ReadInto([&] { return flag(values::kLastDelOrgName); }, c.DelOrgChk);
  ReadInto([&] { return flag(values::kLastTSMod); }, c.FileChk);
  ReadInto([&] { return flag(values::kLastFileNumber); }, c.FileNoChk);
  ReadInto([&] { return flag(values::kLastFileCopy); }, c.CopyChk);
  ReadInto([&] { return flag(values::kLastSubDirCycle); }, c.SubDirChk);
  ReadInto([&] { return flag(values::kLastOverwrite); }, c.OverWrtChk);
  ReadInto([&] { return flag(values::kLastProgressDisplay); }, c.DisplayChk);
  ReadInto([&] { return flag(values::kCompanions); }, c.CompanionChk);
  ReadInto([&] { return flag(values::kLastDatesFromElsewhere); }, c.ElsewhereChk);
  ReadInto([&] { return flag(values::kLastFileTimeDates); }, c.FileTimeChk);
  ReadInto([&] { return store.ReadStringValue(values::kLastClockShift); }, c.ShiftEdit);

  ReadHistory(store, values::FormatHistory, c.FormatHistory);
  ReadHistory(store, values::FilepathHistory, c.FilepathHistory);
  if (c.FilepathHistory.empty()) c.FilepathHistory = kDefaultPathPatterns;
}

tProgressButtonMode RestoreProgressButtonMode(tSettingsStore& store) {
  if (!store.IsOpen()) return tProgressButtonMode::Auto;
  int stored = 0;
  ReadInto([&] { return store.ReadIntegerValue(values::kDisplayProgressButton); }, stored);
  if (stored == static_cast<int>(tProgressButtonMode::ShowAlways))
    return tProgressButtonMode::ShowAlways;
  if (stored == static_cast<int>(tProgressButtonMode::HideAlways))
    return tProgressButtonMode::HideAlways;
  return tProgressButtonMode::Auto;
}

void SaveMainChoices(tSettingsStore& store, const tMainChoices& c) {
  if (!store.IsOpen()) return;
  store.WriteStringValue(values::kLastPath, c.FilePathEdit);
  store.WriteStringValue(values::kLastFormat, c.FormatEdit);
  store.WriteIntegerValue(values::kLastFormatSelection, c.FormatGrpBox);
  store.WriteIntegerValue(values::kLastOrgDateTime, c.DateGrpBox);
  store.WriteBoolValue(values::kLastDelOrgName, c.DelOrgChk);
  store.WriteBoolValue(values::kLastTSMod, c.FileChk);
  store.WriteBoolValue(values::kLastFileNumber, c.FileNoChk);
  store.WriteBoolValue(values::kLastFileCopy, c.CopyChk);
  store.WriteBoolValue(values::kLastSubDirCycle, c.SubDirChk);
  store.WriteBoolValue(values::kLastOverwrite, c.OverWrtChk);
  store.WriteBoolValue(values::kLastProgressDisplay, c.DisplayChk);
  store.WriteBoolValue(values::kCompanions, c.CompanionChk);
  store.WriteBoolValue(values::kLastDatesFromElsewhere, c.ElsewhereChk);
  store.WriteBoolValue(values::kLastFileTimeDates, c.FileTimeChk);
  store.WriteStringValue(values::kLastClockShift, c.ShiftEdit);
  const auto writeList = [&store](std::string (*name)(int), const std::vector<std::string>& list) {
    for (size_t i = 0; i < list.size() && i < kHistoryLength; ++i)
      store.WriteStringValue(name(static_cast<int>(i)), list[i]);
  };
  writeList(values::FormatHistory, c.FormatHistory);
  writeList(values::FilepathHistory, c.FilepathHistory);
}

}  // namespace ui
