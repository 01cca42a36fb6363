// The batch program as a user runs it on a folder of phone files made by real tools (HEIC
// by libheif and exiftool, MOV and MP4 by ffmpeg; tests/media/make-media.sh): the names
// it gives them. Native and, in the Windows build, Stampel.exe under Wine.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/FileOperations.h"
#include "settings/SettingsStore.h"
#include "settings/Translations.h"
#include "settings/ValueNames.h"
#include "tests/media/Program.h"
#include "tests/support/SettingsSandbox.h"
#include "tests/support/TempDir.h"
#include "tests/support/ZoneScope.h"

namespace {

using test::FromBuild;
using test::RunProgram;

class PhoneFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(zone_.Active()) << "needs TZ=" << test::kTestZone;
    namespace fs = std::filesystem;
    const fs::path media = test::Utf8Path(FromBuild(STAMPEL_MEDIA_DIR));
    for (const char* name :
         {"IMG_0001.HEIC", "IMG_0001.MOV", "VID_20240115.mp4", "VID_20240715.mp4"})
      fs::copy_file(media / name, test::Utf8Path(dir_ / name));
  }

  std::vector<std::string> Names() { return platform::ListFiles(dir_ / "*.*"); }

  // The settings key the program reads at start-up: on POSIX in the sandbox's folder, on
  // Windows the user's own key, whose value is put back afterwards.
  void SetVideoTimesAreLocal(bool local) {
    ASSERT_TRUE(store_.Open(kSettingsKeyPath));
    try {
      had_ = store_.ReadIntegerValue(values::kVideoTimesAreLocal);
      hadValue_ = true;
    } catch (const ERegistryException&) {
    }
    store_.WriteBoolValue(values::kVideoTimesAreLocal, local);
  }

  void TearDown() override {
    if (!store_.IsOpen()) return;
    if (hadValue_)
      store_.WriteIntegerValue(values::kVideoTimesAreLocal, had_);
    else
      store_.DeleteValue(values::kVideoTimesAreLocal);
  }

  test::ZoneScope zone_{test::kTestZone};
  test::SettingsSandbox sandbox_;  // POSIX: a settings folder of the test's own
  test::TempDir dir_;
  tSettingsStore store_;
  bool hadValue_ = false;
  int32_t had_ = 0;
};

std::vector<std::string> Sorted(std::vector<std::string> names) {
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace

TEST_F(PhoneFolder, NamesAfterTheMomentsTakenAndTheLivePhotoPairKeepsOneStem) {
  ASSERT_EQ(0, RunProgram({"/F:yyyy-mm-dd_hhnnss_", dir_ / "*.*"}));
  // The HEIC's Exif time and the MOV's Apple date are the same wall-clock time; the MP4s'
  // UTC noon is 07:00 in New York's winter and 08:00 in its summer.
  EXPECT_EQ((std::vector<std::string>{
                "2024-01-15_070000_VID_20240115.mp4", "2024-07-15_080000_VID_20240715.mp4",
                "2025-07-11_094438_IMG_0001.HEIC", "2025-07-11_094438_IMG_0001.MOV"}),
            Sorted(Names()));
}

TEST_F(PhoneFolder, ModelSizeAndOrientationOfPhoneFiles) {
  ASSERT_EQ(0, RunProgram({"/D", "/F:'Model' 'Size' 'Orient'_", dir_ / "*.*"}));
  // The MP4s carry no model: the keyword's text stays as it was written.
  const std::vector<std::string> names = Sorted(Names());
  EXPECT_EQ((std::vector<std::string>{"Model 48x64 P_.mp4", "Model 64x48 L_.mp4",
                                      "iPhone 15 64x48 L_.HEIC", "iPhone 15 64x48 L_.MOV"}),
            names);
}

TEST_F(PhoneFolder, VideoTimesAreLocalTakesTheMovieTimeAsItStands) {
  SetVideoTimesAreLocal(true);
  ASSERT_EQ(0, RunProgram({"/F:yyyy-mm-dd_hhnnss_", dir_ / "VID_*.mp4"}));
  EXPECT_EQ((std::vector<std::string>{"2024-01-15_120000_VID_20240115.mp4",
                                      "2024-07-15_120000_VID_20240715.mp4", "IMG_0001.HEIC",
                                      "IMG_0001.MOV"}),
            Sorted(Names()));
}
