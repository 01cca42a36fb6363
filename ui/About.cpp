#include "ui/About.h"

#include "Version.h"

namespace about {

std::string TitleText() {
  return "Stampel  -  Exif Rename Utility  -  Version " STAMPEL_VERSION " (" STAMPEL_RELEASE_DATE
         ")";
}

std::string CreditText() { return "Freeware by the Stampel developers"; }

std::string CreditAndVersionText() { return CreditText() + " - Version 2.1.1"; }

std::string LinkText() { return "https://stampel.sourceforge.io/"; }

std::string StartText() {
  return "Run the application without any parameter to start in GUI mode.";
}

std::string DocumentationText() { return "For documentation read:"; }

std::string ManualText() { return "Stampel.pdf"; }

std::string VersionSourceText() { return "The most actual version is available at:"; }

std::string UsageText() {
  return TitleText() + "\n" + CreditText() + "\n\n" + StartText() + "\n\n" + DocumentationText() +
         " " + ManualText() + ".\n\n" + VersionSourceText() + "\n" + LinkText() + ".\n";
}

}  // namespace about
