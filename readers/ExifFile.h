#pragma once

#include <cstdint>
#include <string>
#include <utility>

#include "readers/BaseFile.h"

// One 12-byte IFD entry, its fields converted from the file's byte order.
struct tIfdEntry {
  uint16_t Tag = 0;
  uint16_t DataType = 0;  // 1 BYTE, 2 ASCII, 3 SHORT, 4 LONG, ...
  uint32_t Count = 0;
  int32_t Value = 0;  // the value when it fits in 4 bytes, else its offset from TiffOffset
};

// Reads the Exif metadata that JPEG images and TIFF-based raw files carry in TIFF form.
// It walks IFD0 up to the Exif IFD pointer and then the Exif IFD; nothing is cached, each
// operation walks anew. The subclasses differ only in where they find the TIFF header.
class tExifFile : public tBaseFile {
 public:
  // Tags this reader looks for.
  static constexpr uint16_t kModel = 0x0110;
  static constexpr uint16_t kDateTime = 0x0132;
  static constexpr uint16_t kExifIfdPointer = 0x8769;
  static constexpr uint16_t kDateTimeOriginal = 0x9003;
  static constexpr uint16_t kMakerNote = 0x927C;
  static constexpr uint16_t kSubSecTime = 0x9290;          // of DateTime
  static constexpr uint16_t kSubSecTimeOriginal = 0x9291;  // of DateTimeOriginal
  static constexpr uint16_t kPixelXDimension = 0xA002;
  static constexpr uint16_t kPixelYDimension = 0xA003;
  // How many IFDs one walk may visit; real files have two, IFD0 and the Exif IFD.
  static constexpr int kMaxIfdsWalked = 16;

  // DateTime and DateTimeOriginal, each with the milliseconds of its sub-second tag
  // (SubSecTime, SubSecTimeOriginal) when it has one.
  TDateTime GetDateTime() override;
  TDateTime GetDateTimeOriginal() override;
  std::string GetModel() override;
  tImageSize GetImageSize() override;
  bool IsPortrait() override;
  // The milliseconds of a sub-second text: its leading digits as a decimal fraction of a
  // second ("49" is 490, "023" is 23, "796940" is 796), blanks around them ignored; 0
  // when it has no digits.
  static int SubSecondMilliseconds(const std::string& text);
  // From an Apple maker note ("Apple iOS", its tag 0x0011).
  std::string GetContentIdentifier() override;

  // A 16-bit or 32-bit value read little-endian, turned into the file's byte order.
  uint16_t SwapWord(uint16_t value) const;
  int32_t SwapLong(int32_t value) const;
  // The first entry with this tag in walk order, or an entry of zeros.
  tIfdEntry FindTag(uint16_t tag);
  // The same for up to kMaxTagsAtOnce tags in one walk: found[k] for tags[k].
  static constexpr int kMaxTagsAtOnce = 4;
  void FindTags(const uint16_t* tags, tIfdEntry* found, int count);
  // The first value of a BYTE, SHORT or LONG tag; 0 for other types and missing tags.
  int32_t GetTagValue(uint16_t tag);
  // The text of an ASCII tag, at most 256 characters; empty for a missing tag.
  std::string GetTagText(uint16_t tag);
  // The same for an entry found.
  std::string TextOf(const tIfdEntry& entry);

  int32_t TiffOffset = 0;  // where the TIFF header starts; TIFF offsets count from here
  int32_t IfdOffset = 0;   // IFD0, relative to TiffOffset
  bool BigEndian = false;  // "MM" byte order

 protected:
  explicit tExifFile(tClassifiedFile file) : tBaseFile(std::move(file)) {}
  // Reads the IFD0 offset that follows the byte-order mark and the 42.
  void ReadIfdOffset();
  // True when a TIFF header ("II*" and a zero byte, or "MM", a zero byte and "*") starts at
  // this position of the stream.
  bool TiffHeaderAt(int64_t position);
  // Takes the TIFF header at this position: TiffOffset, BigEndian and IfdOffset. False,
  // changing nothing, when the position lies beyond what TiffOffset holds.
  bool UseTiffAt(int64_t position);
  // The date of the date tag, moved on by the milliseconds of the sub-second tag; 0 when
  // the date tag holds no date.
  TDateTime DateWithSubSeconds(uint16_t dateTag, uint16_t subSecondTag);
  // The date moved on by the milliseconds of a sub-second entry (0 stays 0).
  TDateTime AddSubSeconds(TDateTime date, const tIfdEntry& subSeconds);

 private:
  // Positions the stream at TiffOffset + offset. Offsets that lead before the start of
  // the file find no bytes there, like offsets past its end.
  void SeekTiff(int32_t offset);
  // Up to length bytes of text at a position of the stream, up to a zero byte.
  std::string ReadTextAt(int64_t position, size_t length);
  // An entry from its 12 bytes as they lie in the file.
  tIfdEntry ParseEntry(const uint8_t* raw) const;
  // The bytes of an entry's value field in file order.
  void ValueBytes(const tIfdEntry& entry, uint8_t bytes[4]) const;
};

// A JPEG image: the TIFF header follows the first APP1 marker and its "Exif" identifier.
// When that marker starts no Exif data (an XMP or vendor block comes first, or there is no
// FF E1 in the search window), the marker segments are walked from the start of the file
// and the first APP1 segment that does start with "Exif" is taken.
class tJPEGFile : public tExifFile {
 public:
  // The most marker segments the walk passes before giving up.
  static constexpr int kMaxSegments = 4096;
  // Throws EExifException when no APP1 segment before the image data holds Exif data.
  explicit tJPEGFile(const std::string& fileName);
  explicit tJPEGFile(tClassifiedFile file);
};

// A raw file starting with "II" or "MM" but no standard TIFF signature: TIFF at offset 0.
class tRAW0File : public tExifFile {
 public:
  explicit tRAW0File(const std::string& fileName);
  explicit tRAW0File(tClassifiedFile file);
};

// A raw file with a TIFF signature in the window, possibly behind a header of its own.
class tRAW1File : public tExifFile {
 public:
  // Throws EExifException when there is no TIFF signature in the window.
  explicit tRAW1File(const std::string& fileName);
  explicit tRAW1File(tClassifiedFile file);
};
