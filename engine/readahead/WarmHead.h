#pragma once

#include <string>

// What warming one file's head came to.
enum class tWarmResult {
  Cached,  // the system had every byte in its cache already
  Read,    // some bytes had to come from the device
  Failed,  // the file could not be opened (gone, a folder, busy)
};

// Brings the bytes of the file that the readers will ask for (HeadBytesNeeded) into the
// system's cache, so that the pass finds them there when it reaches the file: asks the
// system for them where it takes such requests (Linux), reads and forgets them elsewhere.
// Opens the file for reading only, never waits for a pipe, and never throws.
tWarmResult WarmHead(const std::string& path);
