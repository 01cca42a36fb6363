#pragma once

#include <string>

#include "readers/ExifFile.h"

// A WebP image: a RIFF file of form "WEBP" whose EXIF chunk holds the Exif data in TIFF
// form (after the image data, as the format's writers put it). The chunks are passed by
// their headers.
class tWEBPFile : public tExifFile {
 public:
  static constexpr int kMaxChunks = 1 << 16;

  // Throws EExifException when the file has no EXIF chunk with a TIFF header.
  explicit tWEBPFile(const std::string& fileName);
  explicit tWEBPFile(tClassifiedFile file);
};
