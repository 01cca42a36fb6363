#pragma once

#include <cstdint>
#include <string>

#include "readers/ExifFile.h"

// A HEIF image (HEIC, AVIF and the other HEIF brands). Its Exif data is an item of type
// "Exif", found through the meta box: iinf names the item, iloc says where its bytes lie
// (anywhere in the file, in the meta box's idat, possibly in several extents). The item's
// bytes are shown to the TIFF walk as one run; only the meta box and the item are read.
class tHEIFFile : public tExifFile {
 public:
  // The longest Exif item read; the rest of a longer one is left out.
  static constexpr size_t kMaxExifBytes = 1 << 20;
  // The most iloc items and extents looked at.
  static constexpr uint32_t kMaxItems = 1 << 16;

  // Throws EExifException when the file has no Exif item with a TIFF header.
  explicit tHEIFFile(const std::string& fileName);
  explicit tHEIFFile(tClassifiedFile file);

  // The Exif pixel dimensions; the primary image's size (its ispe property) when the Exif
  // data has neither of them.
  tImageSize GetImageSize() override;
  bool IsPortrait() override;

  // The ispe size of the primary item; (0, 0) when there is none.
  tImageSize PrimarySize;
};
