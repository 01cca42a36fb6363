#include "readers/HeifFile.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <vector>

#include "readers/IsoBoxes.h"

namespace {

// Where one piece of an item lies in the file.
struct Extent {
  int64_t position = 0;
  int64_t length = 0;
};

// The children of the meta box this reader uses; Type 0 for a missing one.
struct MetaBoxes {
  tBox pitm, iinf, iloc, idat, iprp;
};

// Big-endian fields read one after another, never past the end of their box. After the
// first field that does not fit every further read fails too. A phone's item tables hold
// a thousand fields and more: a box the file holds whole is read from memory.
class Fields {
 public:
  // The box is copied: other reads in between may move what the stream holds.
  Fields(TDataStream& stream, int64_t at, int64_t end) : stream_(stream), at_(at), end_(end) {
    if (end_ - at_ > kFewBytes && end_ - at_ <= TDataStream::kMaxPeek) {
      const auto count = static_cast<size_t>(end_ - at_);
      if (const uint8_t* bytes = stream_.Peek(at_, count)) whole_.assign(bytes, bytes + count);
    }
    start_ = at_;
  }
  bool Next(int bytes, uint64_t& value) {
    value = 0;
    if (!ok_ || bytes < 0 || bytes > 8 || end_ - at_ < bytes) return ok_ = false;
    if (!whole_.empty()) {
      const uint8_t* raw = whole_.data() + (at_ - start_);
      for (int i = 0; i < bytes; ++i) value = value << 8 | raw[i];
    } else if (!ReadBeSized(stream_, at_, bytes, value)) {
      return ok_ = false;
    }
    at_ += bytes;
    return true;
  }

 private:
  static constexpr int64_t kFewBytes = 64;  // read field by field

  TDataStream& stream_;
  int64_t at_;
  int64_t end_;
  int64_t start_ = 0;
  std::vector<uint8_t> whole_;  // the bytes [start_, end_), when the file has them all
  bool ok_ = true;
};

// A full box's version; -1 when the box is too short for version and flags.
int Version(TDataStream& stream, const tBox& box) {
  uint64_t version = 0;
  if (box.Type == 0 || box.PayloadSize() < 4 || !ReadBeSized(stream, box.Payload, 1, version))
    return -1;
  return static_cast<int>(version);
}

MetaBoxes FindMetaBoxes(TDataStream& stream, const tBox& meta) {
  MetaBoxes boxes;
  tBoxWalk children = MetaChildren(stream, meta);
  tBox box;
  while (children.Next(box)) {
    tBox* slot = box.Type == FourCC("pitm")   ? &boxes.pitm
                 : box.Type == FourCC("iinf") ? &boxes.iinf
                 : box.Type == FourCC("iloc") ? &boxes.iloc
                 : box.Type == FourCC("idat") ? &boxes.idat
                 : box.Type == FourCC("iprp") ? &boxes.iprp
                                              : nullptr;
    if (slot != nullptr && slot->Type == 0) *slot = box;
  }
  return boxes;
}

uint32_t PrimaryItem(TDataStream& stream, const tBox& pitm) {
  const int version = Version(stream, pitm);
  uint64_t id = 0;
  if (version >= 0) Fields(stream, pitm.Payload + 4, pitm.End).Next(version == 0 ? 2 : 4, id);
  return static_cast<uint32_t>(id);
}

// The id of the first item of type "Exif"; false when there is none.
bool ExifItem(TDataStream& stream, const tBox& iinf, uint32_t& id) {
  const int version = Version(stream, iinf);
  if (version < 0) return false;
  tBoxWalk entries(stream, iinf, 4 + (version == 0 ? 2 : 4));
  tBox infe;
  while (entries.Find(FourCC("infe"), infe)) {
    // Entries of versions 0 and 1 carry no item type.
    const int entryVersion = Version(stream, infe);
    if (entryVersion < 2) continue;
    Fields fields(stream, infe.Payload + 4, infe.End);
    uint64_t item = 0, protection = 0, type = 0;
    if (fields.Next(entryVersion == 2 ? 2 : 4, item) && fields.Next(2, protection) &&
        fields.Next(4, type) && type == FourCC("Exif")) {
      id = static_cast<uint32_t>(item);
      return true;
    }
  }
  return false;
}

// The extents of an item as iloc gives them, as positions in the file; false when the item
// is not listed or its bytes lie out of this reader's reach (in another file or item).
bool ItemExtents(TDataStream& stream, const MetaBoxes& meta, uint32_t wanted,
                 std::vector<Extent>& extents) {
  const int version = Version(stream, meta.iloc);
  if (version < 0 || version > 2) return false;
  Fields fields(stream, meta.iloc.Payload + 4, meta.iloc.End);
  uint64_t sizes = 0, count = 0;
  if (!fields.Next(2, sizes)) return false;
  const int offsetSize = static_cast<int>(sizes >> 12 & 15);
  const int lengthSize = static_cast<int>(sizes >> 8 & 15);
  const int baseSize = static_cast<int>(sizes >> 4 & 15);
  const int indexSize = version == 0 ? 0 : static_cast<int>(sizes & 15);
  for (int size : {offsetSize, lengthSize, baseSize, indexSize})
    if (size != 0 && size != 4 && size != 8) return false;
  if (!fields.Next(version < 2 ? 2 : 4, count)) return false;
  uint32_t extentsSeen = 0;
  for (uint64_t i = 0; i < count && i < tHEIFFile::kMaxItems; ++i) {
    uint64_t id = 0, method = 0, reference = 0, base = 0, extentCount = 0;
    if (!fields.Next(version < 2 ? 2 : 4, id) || (version >= 1 && !fields.Next(2, method)) ||
        !fields.Next(2, reference) || !fields.Next(baseSize, base) || !fields.Next(2, extentCount))
      return false;
    method &= 15;
    // Construction method 0: offsets into this file; 1: into the idat box.
    const bool wantedItem = id == wanted;
    const bool reachable = reference == 0 && (method == 0 || (method == 1 && meta.idat.Type != 0));
    const int64_t from = method == 1 ? meta.idat.Payload : 0;
    const int64_t to = method == 1 ? meta.idat.End : stream.Size();
    for (uint64_t e = 0; e < extentCount; ++e) {
      uint64_t index = 0, offset = 0, length = 0;
      if (++extentsSeen > tHEIFFile::kMaxItems || !fields.Next(indexSize, index) ||
          !fields.Next(offsetSize, offset) || !fields.Next(lengthSize, length))
        return false;
      if (!wantedItem || !reachable || to <= from) continue;
      // Compared unsigned, so that no sum can wrap: an extent beyond the data is left out.
      const auto room = static_cast<uint64_t>(to - from);
      if (offset >= room || base >= room - offset) continue;
      Extent extent;
      extent.position = from + static_cast<int64_t>(base + offset);
      const auto left = static_cast<uint64_t>(to - extent.position);
      // Length 0 runs to the end of the data.
      extent.length = static_cast<int64_t>(length == 0 || length > left ? left : length);
      extents.push_back(extent);
    }
    if (wantedItem) return reachable && !extents.empty();
  }
  return false;
}

// The bytes of the extents one after another, at most kMaxExifBytes of them.
std::vector<uint8_t> Gather(TDataStream& stream, const std::vector<Extent>& extents) {
  std::vector<uint8_t> bytes;
  for (const Extent& extent : extents) {
    const size_t have = bytes.size();
    const auto count = static_cast<size_t>(
        std::min<int64_t>(extent.length, static_cast<int64_t>(tHEIFFile::kMaxExifBytes - have)));
    bytes.resize(have + count);
    stream.Seek(extent.position);
    bytes.resize(have + stream.Read(bytes.data() + have, count));
    if (bytes.size() == tHEIFFile::kMaxExifBytes) break;
  }
  return bytes;
}

bool Holds(const std::vector<uint8_t>& bytes, size_t at, const char* text, size_t length) {
  return at <= bytes.size() && bytes.size() - at >= length &&
         std::memcmp(bytes.data() + at, text, length) == 0;
}

bool TiffAt(const std::vector<uint8_t>& bytes, size_t at) {
  return Holds(bytes, at, "II*\0", 4) || Holds(bytes, at, "MM\0*", 4);
}

// Where the TIFF header lies in an Exif item: after the 4-byte offset the item starts with
// (and after the "Exif" identifier that this offset normally skips); or, as some writers
// store it, at the very start or after a bare "Exif" identifier. -1 when it is in none.
int64_t TiffInItem(const std::vector<uint8_t>& bytes) {
  if (TiffAt(bytes, 0)) return 0;
  if (Holds(bytes, 0, "Exif\0\0", 6) && TiffAt(bytes, 6)) return 6;
  if (bytes.size() < 4) return -1;
  const uint32_t offset =
      static_cast<uint32_t>(bytes[0]) << 24 | bytes[1] << 16 | bytes[2] << 8 | bytes[3];
  if (offset > bytes.size() - 4) return -1;
  const size_t at = 4 + offset;
  if (TiffAt(bytes, at)) return static_cast<int64_t>(at);
  if (Holds(bytes, at, "Exif\0\0", 6) && TiffAt(bytes, at + 6)) return static_cast<int64_t>(at + 6);
  return -1;
}

// The ispe property among those that ipma associates with the item; (0, 0) when none.
tImageSize ItemSize(TDataStream& stream, const tBox& iprp, uint32_t item) {
  tImageSize size;
  tBox ipco, ipma;
  if (iprp.Type == 0 || item == 0 || !tBoxWalk(stream, iprp).Find(FourCC("ipco"), ipco) ||
      !tBoxWalk(stream, iprp).Find(FourCC("ipma"), ipma))
    return size;
  const int version = Version(stream, ipma);
  uint32_t flags = 0;
  if (version < 0 || !ReadBe32(stream, ipma.Payload, flags)) return size;
  const bool wideIndex = (flags & 1) != 0;
  Fields fields(stream, ipma.Payload + 4, ipma.End);
  uint64_t count = 0;
  fields.Next(4, count);
  for (uint64_t i = 0; i < count && i < tHEIFFile::kMaxItems; ++i) {
    uint64_t id = 0, associations = 0;
    if (!fields.Next(version < 1 ? 2 : 4, id) || !fields.Next(1, associations)) return size;
    for (uint64_t a = 0; a < associations; ++a) {
      uint64_t entry = 0;
      if (!fields.Next(wideIndex ? 2 : 1, entry)) return size;
      if (id != item) continue;
      // The high bit marks an essential property; the rest is a 1-based index into ipco.
      const uint64_t index = entry & (wideIndex ? 0x7FFF : 0x7F);
      tBoxWalk properties(stream, ipco);
      tBox property;
      for (uint64_t n = 1; properties.Next(property); ++n) {
        if (n < index) continue;
        uint32_t width = 0, height = 0;
        if (n == index && property.Type == FourCC("ispe") && property.PayloadSize() >= 12 &&
            ReadBe32(stream, property.Payload + 4, width) &&
            ReadBe32(stream, property.Payload + 8, height))
          return tImageSize{static_cast<int32_t>(width), static_cast<int32_t>(height)};
        break;
      }
    }
    if (id == item) return size;
  }
  return size;
}

}  // namespace

tHEIFFile::tHEIFFile(const std::string& fileName)
    : tHEIFFile(tBaseFile::OpenClassified(fileName)) {}

tHEIFFile::tHEIFFile(tClassifiedFile file) : tExifFile(std::move(file)) {
  tBox meta;
  if (!tBoxWalk(*Stream, 0, Stream->Size()).Find(FourCC("meta"), meta))
    throw EExifException::NoExifDataIn(FileName);
  const MetaBoxes boxes = FindMetaBoxes(*Stream, meta);
  PrimarySize = ItemSize(*Stream, boxes.iprp, PrimaryItem(*Stream, boxes.pitm));
  uint32_t item = 0;
  std::vector<Extent> extents;
  if (!ExifItem(*Stream, boxes.iinf, item) || !ItemExtents(*Stream, boxes, item, extents))
    throw EExifException::NoExifDataIn(FileName);
  std::vector<uint8_t> bytes = Gather(*Stream, extents);
  const int64_t tiff = TiffInItem(bytes);
  if (tiff < 0) throw EExifException::NoExifDataIn(FileName);
  // The item is shown where its first piece starts (at 0 when that lies beyond the reach of
  // TiffOffset); the file's own bytes there are not read again.
  int64_t start = extents.front().position;
  if (start + tiff > std::numeric_limits<int32_t>::max()) start = 0;
  Stream->Overlay(start, std::move(bytes));
  UseTiffAt(start + tiff);
}

tImageSize tHEIFFile::GetImageSize() {
  const tImageSize size = tExifFile::GetImageSize();
  return size.Width == 0 && size.Height == 0 ? PrimarySize : size;
}

bool tHEIFFile::IsPortrait() {
  const tImageSize size = GetImageSize();
  return size.Width < size.Height;
}
