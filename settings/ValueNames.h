#pragma once

#include <string>

// The names of the values under the settings key.
namespace values {

inline constexpr const char* kOrientationLandscape = "OrientationLandscape";
inline constexpr const char* kOrientationPortrait = "OrientationPortrait";
inline constexpr const char* kLastPath = "LastPath";
inline constexpr const char* kLastFormatSelection = "LastFormatSelection";
inline constexpr const char* kLastFormat = "LastFormat";
inline constexpr const char* kLastOrgDateTime = "LastOrgDateTime";
inline constexpr const char* kLastDelOrgName = "LastDelOrgName";
inline constexpr const char* kLastTSMod = "LastTSMod";
inline constexpr const char* kLastFileNumber = "LastFileNumber";
inline constexpr const char* kLastFileCopy = "LastFileCopy";
inline constexpr const char* kLastSubDirCycle = "LastSubDirCycle";
inline constexpr const char* kLastOverwrite = "LastOverwrite";
inline constexpr const char* kLastProgressDisplay = "LastProgressDisplay";
inline constexpr const char* kDisplayProgressButton = "DisplayProgressButton";
inline constexpr const char* kVideoTimesAreLocal = "VideoTimesAreLocal";
inline constexpr const char* kCompanions = "Companions";
inline constexpr const char* kLastDatesFromElsewhere = "LastDatesFromElsewhere";
inline constexpr const char* kLastFileTimeDates = "LastFileTimeDates";
inline constexpr const char* kLastClockShift = "LastClockShift";

// ModelTranslation0 .. ModelTranslation63, FormatHistory0 .. 9, FilepathHistory0 .. 9.
inline std::string ModelTranslation(int n) { return "ModelTranslation" + std::to_string(n); }
inline std::string FormatHistory(int n) { return "FormatHistory" + std::to_string(n); }
inline std::string FilepathHistory(int n) { return "FilepathHistory" + std::to_string(n); }

}  // namespace values
