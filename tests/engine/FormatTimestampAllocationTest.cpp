// Counts the heap allocations of this test program, to show that formatting allocates
// nothing but its result.
#include <gtest/gtest.h>

#include <cstdlib>
#include <new>
#include <string>

#include "engine/format/FormatTimestamp.h"

namespace {

// Per thread: other threads of the program (the pass's read-ahead) allocate as they like.
thread_local int allocations = 0;

void* Allocate(std::size_t size) {
  ++allocations;
  if (void* block = std::malloc(size == 0 ? 1 : size)) return block;
  throw std::bad_alloc();
}

}  // namespace

void* operator new(std::size_t size) { return Allocate(size); }
void* operator new[](std::size_t size) { return Allocate(size); }
// The forms that must not throw (std::stable_sort's buffer) come from the same heap as the
// rest: every block here is freed by the deletes below.
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  ++allocations;
  return std::malloc(size == 0 ? 1 : size);
}
void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept {
  return operator new(size, tag);
}
void operator delete(void* block) noexcept { std::free(block); }
void operator delete[](void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }
void operator delete[](void* block, std::size_t) noexcept { std::free(block); }

namespace {

// Allocations made by one call, the result's own excepted.
int AllocationsOf(const std::string& format, const tLocaleFormats& locale) {
  const int before = allocations;
  const std::string result = FormatTimestamp(format, 39614.5867709259, locale);
  const int made = allocations - before;
  // A result longer than the string's inner buffer needs one block of its own.
  return result.size() > std::string().capacity() ? made - 1 : made;
}

}  // namespace

TEST(FormatTimestampAllocation, ScanningAllocatesNothing) {
  tLocaleFormats locale;
  locale.ShortDatePattern = "dddd, d. mmmm yyyy";
  locale.LongTimePattern = "hh:mm:ss";
  const std::string formats[] = {
      "yyyy-mm-dd-hh-nn-ss_",
      "",
      "dddddd tt c 'quoted text' \"more\" am/pm ampm aaaa mmmm",
      std::string(400, '-') + "dddddd",
      "hh h:nn:ss.zzz a/p yy/mm/dd",
  };
  for (const std::string& format : formats) {
    SCOPED_TRACE(format);
    EXPECT_EQ(0, AllocationsOf(format, locale));
  }
  // The counter does count: a long result is one allocation.
  const std::string dashes(100, '-');
  const int before = allocations;
  const std::string result = FormatTimestamp(dashes, 1, locale);
  EXPECT_EQ(1, allocations - before);
}
