#pragma once

#include <memory>
#include <string>

#include "readers/BaseFile.h"

// Opens the file once, classifies it and returns the reader its kind calls for:
// tJPEGFile, tRIFFFile (AVI and WAVE), tRAW0File, tRAW1File, tHEIFFile, tCR3File,
// tMP4File, tPNGFile or tWEBPFile. Returns nullptr for
// fkUnknown (classification cut short by a read error). Throws EExifException for a file
// of no known kind or without the Exif container its kind promises, and EFOpenError for
// a file that cannot be opened.
std::unique_ptr<tBaseFile> OpenReader(const std::string& fileName);
