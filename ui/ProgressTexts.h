#pragma once

// The fixed texts of the progress window, and of the main window's button that shows it.
namespace ui {

inline constexpr const char* kProgressCaption = "Stampel Progress";
inline constexpr const char* kFilesProcessedCaption = "Files Processed:";
inline constexpr const char* kStopCaption = "&Stop";
inline constexpr const char* kStopHint = "stop processing";
inline constexpr const char* kCloseCaption = "&Close";
inline constexpr const char* kCloseHint = "close this screen";
// The alert line of the Stop button.
inline constexpr const char* kStoppedLine = "Stopped...";

// The main window's Show Progress button offers the opposite of what the window is.
inline constexpr const char* ShowProgressCaption(bool progressVisible) {
  return progressVisible ? "Hide Progress" : "Show Progress";
}

}  // namespace ui
