#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <thread>

#include "platform/FileOperations.h"
#include "platform/Prefetch.h"
#include "platform/win32/PrefetchGuard.h"
#include "platform/win32/WinApi.h"
#include "platform/win32/WinText.h"
#include "tests/support/TempDir.h"

using platform::win32::Widen;
using test::TempDir;
using test::WriteBytes;

TEST(PrefetchWin, AReplacingMoveWaitsForAPrefetchOfItsTarget) {
  TempDir dir;
  WriteBytes(dir / "new.jpg", "new");
  WriteBytes(dir / "old.jpg", "old");
  auto prefetch = std::make_unique<platform::PrefetchFile>(dir / "old.jpg");
  ASSERT_TRUE(prefetch->IsOpen());
  std::atomic<bool> done{false};
  int code = -1;
  std::thread mover([&] {
    code = platform::MoveFileSafely(dir / "new.jpg", dir / "old.jpg", true);
    done = true;
  });
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  EXPECT_FALSE(done) << "Windows refuses to replace an open file: the move must wait";
  prefetch.reset();
  mover.join();
  EXPECT_EQ(0, code);
  EXPECT_EQ("new", test::ReadBytes(dir / "old.jpg"));
}

TEST(PrefetchWin, NoPrefetchOpensAFileWhoseNameIsClaimed) {
  TempDir dir;
  WriteBytes(dir / "IMG_1.JPG", "x");
  {
    // Another folder's spelling of the name, in other letter case: still held off.
    const platform::win32::PrefetchClaim claim(Widen("Z:\\elsewhere\\img_1.jpg"));
    EXPECT_FALSE(platform::PrefetchFile(dir / "IMG_1.JPG").IsOpen());
  }
  EXPECT_TRUE(platform::PrefetchFile(dir / "IMG_1.JPG").IsOpen());
}

TEST(PrefetchWin, AFileOperationStillReportsItsOwnError) {
  TempDir dir;
  EXPECT_FALSE(platform::RemoveFile(dir / "missing.jpg"));
  EXPECT_EQ(ERROR_FILE_NOT_FOUND, platform::LastErrorCode());
  EXPECT_EQ(ERROR_FILE_NOT_FOUND, platform::MoveFileSafely(dir / "missing.jpg", dir / "x", false));
}
