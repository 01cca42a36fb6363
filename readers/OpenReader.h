#pragma once

#include <memory>
#include <string>

#include "readers/BaseFile.h"

namespace platform {
class FileSystem;
}

// What the user's settings change in the readers.
struct tReaderOptions {
  // The movie header times of video files hold the camera's local time instead of UTC,
  // as some cameras write them (the file format says UTC).
  bool VideoTimesAreLocal = false;
};

// Opens the file once, classifies it and returns the reader its kind calls for:
// tJPEGFile, tRIFFFile (AVI and WAVE), tRAW0File, tRAW1File, tHEIFFile, tCR3File,
// tMP4File, tPNGFile or tWEBPFile. Throws EExifException for a file of no known kind or
// without the Exif container its kind promises, EFOpenError for a file that cannot be
// opened and EReadError for one that cannot be read; an EExifException of a file whose
// kind is known but whose container holds no metadata says that kind (Kind). Without a
// file system: the real one.
std::unique_ptr<tBaseFile> OpenReader(const std::string& fileName);
std::unique_ptr<tBaseFile> OpenReader(platform::FileSystem& files, const std::string& fileName,
                                      const tReaderOptions& options);

// The file as a tBareFile, for a file of a known kind whose reader found no metadata: its
// date comes from elsewhere. The exceptions are those of OpenReader.
std::unique_ptr<tBaseFile> OpenBare(platform::FileSystem& files, const std::string& fileName);
