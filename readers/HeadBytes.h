#pragma once

#include <cstddef>
#include <cstdint>

// How many bytes from the start of a file the readers will ask for, judged from its first
// bytes (the data stream's first piece, or the whole file when it is shorter). A JPEG
// whose Exif marker lies in that piece, or a TIFF-based file, is nearly always read no
// further; any other file is searched through the whole search window.
int64_t HeadBytesNeeded(const uint8_t* head, size_t count);
