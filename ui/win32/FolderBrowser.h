#pragma once

#include <optional>
#include <string>

#include "platform/win32/WinApi.h"

namespace ui::win32 {

// The shell's folder browser, modal over the owner, with the title above its tree and the
// start folder selected: file-system folders only, the resizable style, no button for
// making a new folder. The chosen folder's path as the shell gives it, or nothing when
// the user cancels.
std::optional<std::string> BrowseForFolder(HWND owner, const std::string& title,
                                           const std::string& startFolder);

}  // namespace ui::win32
