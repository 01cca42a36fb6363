#pragma once

#include <exception>
#include <string>

namespace ui::win32 {

// The error message box of a failure that nothing else handled: the last-chance handler
// and every window callback whose handler threw show failures this way.
void ShowErrorBox(const std::string& message);

// The box for an exception caught at a callback's edge; call it inside a catch block.
void ShowCurrentException();

// The caption of the error box.
inline constexpr const char* kErrorBoxCaption = "Stampel";

}  // namespace ui::win32
