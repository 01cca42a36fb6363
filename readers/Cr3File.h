#pragma once

#include <cstdint>
#include <string>

#include "readers/ExifFile.h"

// A Canon CR3 raw file: an ISO base media file whose moov box holds Canon's uuid box with
// the metadata as separate TIFF blocks. CMT1 holds what IFD0 holds elsewhere (DateTime,
// Model), CMT2 what the Exif IFD holds (DateTimeOriginal, the pixel dimensions).
class tCR3File : public tExifFile {
 public:
  // Canon's metadata box: uuid 85c0b687-820f-11e0-8111-f4ce462b6a48.
  static const uint8_t kCanonUuid[16];

  // Throws EExifException when neither CMT1 nor CMT2 holds a TIFF header.
  explicit tCR3File(const std::string& fileName);
  explicit tCR3File(tClassifiedFile file);

  // DateTime and Model from CMT1.
  TDateTime GetDateTime() override;
  std::string GetModel() override;
  // DateTimeOriginal and the pixel dimensions from CMT2.
  TDateTime GetDateTimeOriginal() override;
  tImageSize GetImageSize() override;
  bool IsPortrait() override;

  // One TIFF block: where it starts, its byte order and its IFD0.
  struct tTiffBlock {
    bool Present = false;
    int32_t TiffOffset = 0;
    int32_t IfdOffset = 0;
    bool BigEndian = false;
  };
  tTiffBlock Cmt1, Cmt2;

 private:
  // Makes the block the one the TIFF walk reads; false when the file has none.
  bool Use(const tTiffBlock& block);
};
