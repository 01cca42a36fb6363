#pragma once

#include <string>

// The texts of the about and usage window; on Linux the help words print them.
namespace about {

// "Stampel  -  Exif Rename Utility  -  Version 2.1.1 (2008-06-15)"
std::string TitleText();
// The credit line under the title.
std::string CreditText();
// The credit line with the version, as the main window shows it.
std::string CreditAndVersionText();
// The program's home page, opened by the window's link.
std::string LinkText();

// The window's usage lines, label by label.
std::string StartText();          // how to start the interactive mode
std::string DocumentationText();  // "For documentation read:", followed by the manual
std::string ManualText();         // the manual's file name
std::string VersionSourceText();  // "The most actual version is available at:", then the link

// The whole window as plain text, one label line after another.
std::string UsageText();

}  // namespace about
