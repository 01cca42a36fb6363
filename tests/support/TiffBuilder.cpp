#include "tests/support/TiffBuilder.h"

#include "tests/support/ByteWriter.h"

namespace test {

namespace {

constexpr uint16_t kAscii = 2;

}  // namespace

std::string TiffBuilder::U16(uint16_t value) const {
  return order_ == ByteOrder::Little ? Le16(value) : Be16(value);
}

std::string TiffBuilder::U32(uint32_t value) const {
  return order_ == ByteOrder::Little ? Le32(value) : Be32(value);
}

TiffBuilder& TiffBuilder::Ascii(uint16_t tag, const std::string& text) {
  const std::string bytes = text + '\0';
  const auto count = static_cast<uint32_t>(bytes.size());
  if (bytes.size() > 4) return AsciiOutside(tag, bytes, count);
  // Left-justified in the value field, as a number in the file's byte order.
  std::string field = bytes;
  field.resize(4, '\0');
  uint32_t value = 0;
  for (int i = 0; i < 4; ++i) {
    const auto byte = static_cast<uint8_t>(field[static_cast<size_t>(i)]);
    value |= static_cast<uint32_t>(byte) << (order_ == ByteOrder::Big ? 24 - 8 * i : 8 * i);
  }
  return Raw(tag, kAscii, count, value);
}

TiffBuilder& TiffBuilder::AsciiOutside(uint16_t tag, const std::string& bytes, uint32_t count) {
  return Outside(tag, kAscii, count, bytes);
}

TiffBuilder& TiffBuilder::Byte(uint16_t tag, uint8_t value) {
  return Raw(tag, 1, 1, order_ == ByteOrder::Big ? static_cast<uint32_t>(value) << 24 : value);
}

TiffBuilder& TiffBuilder::Short(uint16_t tag, uint16_t value) {
  return Raw(tag, 3, 1, order_ == ByteOrder::Big ? static_cast<uint32_t>(value) << 16 : value);
}

TiffBuilder& TiffBuilder::Long(uint16_t tag, uint32_t value) { return Raw(tag, 4, 1, value); }

TiffBuilder& TiffBuilder::Raw(uint16_t tag, uint16_t type, uint32_t count, uint32_t value) {
  Current().push_back(Entry{tag, type, count, value, {}});
  return *this;
}

TiffBuilder& TiffBuilder::Outside(uint16_t tag, uint16_t type, uint32_t count,
                                  const std::string& bytes) {
  Current().push_back(Entry{tag, type, count, 0, bytes.empty() ? std::string(1, '\0') : bytes});
  return *this;
}

TiffBuilder& TiffBuilder::ExifIfd() {
  ifd0_.push_back(Entry{0x8769, 4, 1, 0, {}, true});
  inExif_ = true;
  hasExif_ = true;
  return *this;
}

TiffBuilder& TiffBuilder::Magic(uint16_t value) {
  magic_ = value;
  return *this;
}

uint32_t TiffBuilder::IfdSize(const std::vector<Entry>& entries) const {
  return static_cast<uint32_t>(2 + 12 * entries.size() + 4);
}

uint32_t TiffBuilder::ExifIfdOffset() const { return Ifd0Offset() + IfdSize(ifd0_); }

std::string TiffBuilder::Bytes() const {
  std::string out = order_ == ByteOrder::Little ? "II" : "MM";
  out += U16(magic_) + U32(Ifd0Offset());
  uint32_t dataOffset = ExifIfdOffset() + (hasExif_ ? IfdSize(exif_) : 0);
  std::string data;
  const auto writeIfd = [&](const std::vector<Entry>& entries) {
    out += U16(static_cast<uint16_t>(entries.size()));
    for (const Entry& e : entries) {
      uint32_t value = e.value;
      if (e.pointer) {
        value = ExifIfdOffset();
      } else if (!e.data.empty()) {
        value = dataOffset + static_cast<uint32_t>(data.size());
        data += e.data;
        if (data.size() % 2 != 0) data += '\0';  // TIFF keeps values on word boundaries
      }
      out += U16(e.tag) + U16(e.type) + U32(e.count) + U32(value);
    }
    out += U32(0);  // no next IFD
  };
  writeIfd(ifd0_);
  if (hasExif_) writeIfd(exif_);
  return out + data;
}

}  // namespace test
