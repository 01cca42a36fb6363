#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace test {

enum class ByteOrder { Little, Big };

// Writes a TIFF block: header, IFD0, optionally an Exif IFD, then the values that do not
// fit in an entry. Entries stay in the order they are added (so a test can put a tag
// after the Exif pointer); after ExifIfd() they go to the Exif IFD.
//
//   TiffBuilder(ByteOrder::Big).Ascii(0x0110, "D70").ExifIfd().Short(0xA002, 4000).Bytes()
class TiffBuilder {
 public:
  explicit TiffBuilder(ByteOrder order) : order_(order) {}

  // A text with its terminating zero: inside the entry when it fits in 4 bytes.
  TiffBuilder& Ascii(uint16_t tag, const std::string& text);
  // A text stored at an offset even when it is short; count as given.
  TiffBuilder& AsciiOutside(uint16_t tag, const std::string& bytes, uint32_t count);
  TiffBuilder& Byte(uint16_t tag, uint8_t value);
  TiffBuilder& Short(uint16_t tag, uint16_t value);
  TiffBuilder& Long(uint16_t tag, uint32_t value);
  // Any entry, its value field given as a number in the file's byte order.
  TiffBuilder& Raw(uint16_t tag, uint16_t type, uint32_t count, uint32_t value);
  // Several values of one type at an offset, e.g. two SHORTs: the first one counts.
  TiffBuilder& Outside(uint16_t tag, uint16_t type, uint32_t count, const std::string& bytes);
  // Adds the Exif IFD pointer (0x8769) here; later entries go to the Exif IFD.
  TiffBuilder& ExifIfd();
  // Replaces the number after the byte-order mark (normally 42).
  TiffBuilder& Magic(uint16_t value);

  std::string Bytes() const;
  // Offsets from the start of the block, valid for Bytes().
  uint32_t Ifd0Offset() const { return 8; }
  uint32_t ExifIfdOffset() const;

  std::string U16(uint16_t value) const;
  std::string U32(uint32_t value) const;

 private:
  struct Entry {
    uint16_t tag, type;
    uint32_t count;
    uint32_t value;        // used when data is empty and the entry is no pointer
    std::string data;      // bytes stored outside the entry
    bool pointer = false;  // the Exif IFD pointer, filled in by Bytes()
  };
  std::vector<Entry>& Current() { return inExif_ ? exif_ : ifd0_; }
  uint32_t IfdSize(const std::vector<Entry>& entries) const;

  ByteOrder order_;
  uint16_t magic_ = 42;
  bool inExif_ = false;
  bool hasExif_ = false;
  std::vector<Entry> ifd0_;
  std::vector<Entry> exif_;
};

}  // namespace test
