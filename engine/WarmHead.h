#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// What warming one file's head came to.
enum class WarmResult {
  Cached,  // the system had every byte in its cache already
  Read,    // some bytes had to come from the device
  Failed,  // the file could not be opened (gone, a folder, busy)
};

// How many bytes from the start of a file the readers will ask for, judged from its first
// bytes (the data stream's first piece, or the whole file when it is shorter). A JPEG
// whose Exif marker lies in that piece, or a TIFF-based file, is nearly always read no
// further; any other file is searched through the whole search window.
int64_t HeadBytesNeeded(const uint8_t* head, size_t count);

// Brings those bytes of the file into the system's cache, so that the pass finds them
// there when it reaches the file: asks the system for them where it takes such requests
// (Linux), reads and forgets them elsewhere. Opens the file for reading only; never throws.
WarmResult WarmHead(const std::string& path);
