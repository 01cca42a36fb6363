#pragma once

#include <cstdint>
#include <string>

#include "readers/ExifFile.h"

// A PNG image with an eXIf chunk (Exif data in TIFF form, before or after the image data),
// or a "Creation Time" text (tEXt or iTXt) to fall back on for the date. The tIME chunk is
// the time of the last change, not of the capture, and is not read. The chunks are passed
// by their headers; the image data is not read.
class tPNGFile : public tExifFile {
 public:
  static constexpr int kMaxChunks = 1 << 20;

  // Throws EExifException when the file has neither Exif data nor a "Creation Time".
  explicit tPNGFile(const std::string& fileName);
  explicit tPNGFile(tClassifiedFile file);

  // The Exif date-times; the "Creation Time" text when the Exif data has none.
  TDateTime GetDateTime() override;
  TDateTime GetDateTimeOriginal() override;
  // The Exif values; empty or (0, 0) without Exif data.
  std::string GetModel() override;
  tImageSize GetImageSize() override;
  bool IsPortrait() override;

  // The "Creation Time" as a date-time: its text in the Exif form or in the form of
  // Internet mail ("Sat, 15 Jun 2008 14:05:09 +0200"), the wall-clock time as written.
  static TDateTime DateFromCreationTime(const std::string& text);

  bool HasExif = false;
  std::string CreationTime;  // the text of the first "Creation Time", at most 256 bytes

 private:
  // Reads chunk headers from where the last walk stopped: up to the image data when the
  // Exif data came before it (as the format asks), else to the end.
  void Walk(bool toTheEnd);
  void ReadText(int64_t data, uint32_t length, bool international);
  int64_t next_ = 8;
  bool walkedAll_ = false;
};
