#include "ui/About.h"

namespace about {

std::string TitleText() { return "Stampel  -  Exif Rename Utility  -  Version 2.1.1 (2008-06-15)"; }

std::string CreditText() { return "Freeware by the Stampel developers"; }

std::string LinkText() { return "https://stampel.sourceforge.io/"; }

std::string UsageText() {
  return TitleText() + "\n" + CreditText() + "\n\n" +
         "Run the application without any parameter to start in GUI mode.\n\n" +
         "For documentation read: Stampel.pdf.\n\n" +
         "The most actual version is available at:\n" + LinkText() + ".\n";
}

}  // namespace about
