#pragma once

#include <functional>
#include <string>
#include <vector>

#include "settings/SettingsStore.h"
#include "ui/MainChoices.h"

// What the main window remembers between runs of the program, read when it is created
// and written when it is destroyed. Only an open store is read or written.
namespace ui {

// The path box's list when nothing was remembered.
inline const std::vector<std::string> kDefaultPathPatterns = {"*.jpg", "*.mrw", "*.nef",
                                                              "*.pef", "*.raw", "*.avi"};
inline constexpr const char* kDefaultPath = "*.jpg";
inline constexpr const char* kDefaultFormat = "yyyy-mm-dd-hh-nn-ss_";
inline constexpr int kHistoryLength = 10;

// Reads the remembered choices over the designed ones, in this order: path, sample
// selection (sampleChosen runs when it selects another sample, as a click would), format,
// date selection, the seven check boxes, the format list, the path list (or the default
// patterns). A value that is absent or of the wrong type leaves what the control holds,
// except that an empty path or format gives its default.
void RestoreMainChoices(tSettingsStore& store, tMainChoices& choices,
                        const std::function<void(tMainChoices&)>& sampleChosen);

// The remembered Show Progress button mode: Show Always or Hide Always when stored so,
// Auto for any other value and when it cannot be read.
tProgressButtonMode RestoreProgressButtonMode(tSettingsStore& store);

// Writes the choices in this order: path, format, sample selection, date selection, the
// seven check boxes, then each entry of the format list and of the path list under its
// number. Numbers past a list's end are left as they are.
void SaveMainChoices(tSettingsStore& store, const tMainChoices& choices);

// A radio group's selection as it can hold it: nothing below 0, the last item above it.
int ClampSelection(int index, int itemCount);

}  // namespace ui
