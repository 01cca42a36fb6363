#pragma once

#include <cstdint>
#include <string>

// The options of one run, passed unchanged to every recursive call of the rename pass.
struct tRunOptions {
  std::string Format = "yyyy-mm-dd-hh-nn-ss_";  // the timestamp format text
  bool Recurse = false;                         // walk subdirectories
  bool DropOldName = false;                     // leave the old name out of the target
  bool OriginalFirst = false;                   // prefer the capture date-time to the file's own
  bool SetFileStamp = false;                    // set the file times to the chosen date-time
  bool CopyFiles = false;                       // copy instead of move
  bool Overwrite = false;    // replace existing targets instead of finding a free name
  bool UseCounter = false;   // append the running counter
  int32_t CounterWidth = 3;  // the counter's minimum number of digits
  bool Companions = true;    // sidecars, RAW+JPEG pairs and Live Photo halves move together
  // Files that hold no date of their own take one, in this order: with DatesFromElsewhere
  // (/E) from their Google Takeout JSON, then from their name; with FileTimeLastResort
  // (/M) from their modification time.
  bool DatesFromElsewhere = false;
  bool FileTimeLastResort = false;
  int64_t ClockShift = 0;  // /Z: milliseconds every date of the run is moved by
};
