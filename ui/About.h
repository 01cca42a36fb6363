#pragma once

#include <string>

// The texts of the about and usage window; on Linux the help words print them.
namespace about {

// "Stampel  -  Exif Rename Utility  -  Version 2.1.1 (2008-06-15)"
std::string TitleText();
// The credit line under the title.
std::string CreditText();
// The program's home page, opened by the window's link.
std::string LinkText();
// The whole window as plain text, one label line after another.
std::string UsageText();

}  // namespace about
