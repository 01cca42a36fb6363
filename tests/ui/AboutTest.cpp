#include <gtest/gtest.h>

#include "ui/About.h"
#include "ui/AboutLayout.h"

namespace {

TEST(About, TitleKeepsTheDoubleBlanksAroundTheDashes) {
  EXPECT_EQ("Stampel  -  Exif Rename Utility  -  Version 2.1.1 (2008-06-15)", about::TitleText());
}

TEST(About, UsageTextReadsTheWindowsLabelsInOrder) {
  EXPECT_EQ(about::TitleText() + "\n" + about::CreditText() + "\n\n" +
                "Run the application without any parameter to start in GUI mode.\n\n" +
                "For documentation read: Stampel.pdf.\n\n" +
                "The most actual version is available at:\n" + about::LinkText() + ".\n",
            about::UsageText());
}

TEST(About, LinkIsAWebAddress) {
  EXPECT_EQ(0u, about::LinkText().rfind("https://", 0));
  EXPECT_EQ(std::string::npos, about::LinkText().find(' '));
}

TEST(AboutLayout, ContinuedLabelKeepsItsPlaceUnlessTheOneBeforeReachesFurther) {
  EXPECT_EQ(213, ui::ContinuationLeft(213, 212));
  EXPECT_EQ(213, ui::ContinuationLeft(213, 213));
  EXPECT_EQ(230, ui::ContinuationLeft(213, 230));
}

TEST(AboutLayout, CentresAWindowInTheScreen) {
  EXPECT_EQ((ui::Rect{753, 374, 413, 331}), ui::CentreIn({0, 0, 1920, 1080}, 413, 331));
  EXPECT_EQ((ui::Rect{2673, 346, 414, 332}), ui::CentreIn({1920, 0, 1920, 1024}, 414, 332));
}

}  // namespace
