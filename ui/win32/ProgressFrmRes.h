#pragma once

// Control identifiers of the progress window.
namespace ui::win32::progress_id {

constexpr int FileNoLbl = 101;
constexpr int FileNoEdit = 102;
constexpr int ProgressMemo = 103;  // the list of lines
constexpr int StopBtn = 104;
constexpr int CloseBtn = 105;
constexpr int StatusBar = 106;

}  // namespace ui::win32::progress_id
