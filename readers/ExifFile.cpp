#include "readers/ExifFile.h"

#include <cstring>
#include <limits>

#include "readers/DateConv.h"

namespace {

// TIFF field types this reader understands.
constexpr uint16_t kByte = 1;
constexpr uint16_t kAscii = 2;
constexpr uint16_t kShort = 3;
constexpr uint16_t kLong = 4;

constexpr size_t kEntryBytes = 12;
constexpr int32_t kMaxTextLength = 256;
// Past the end of any file: reads there deliver nothing.
constexpr int64_t kNowhere = std::numeric_limits<int64_t>::max() / 2;

// The first APP1 segment that starts with "Exif" and a zero byte, found by walking the
// marker segments from the start of the file; -1 when the image data, the end of the file
// or a byte that is no marker comes first.
int64_t WalkToExifSegment(TDataStream& stream) {
  int64_t at = 2;
  for (int step = 0; step < tJPEGFile::kMaxSegments; ++step) {
    const uint8_t* marker = stream.Peek(at, 2);
    if (marker == nullptr || marker[0] != 0xFF) return -1;
    const uint8_t code = marker[1];
    if (code == 0xFF) {  // a fill byte before the marker
      ++at;
      continue;
    }
    if (code == 0xD8 || code == 0x01 || (code >= 0xD0 && code <= 0xD7)) {  // no length
      at += 2;
      continue;
    }
    if (code == 0xDA || code == 0xD9) return -1;  // start of scan, end of image
    const uint8_t* length = stream.Peek(at + 2, 2);
    if (length == nullptr) return -1;
    const int bytes = length[0] << 8 | length[1];
    if (bytes < 2) return -1;
    if (code == 0xE1) {
      const uint8_t* identifier = stream.Peek(at + 4, 5);
      if (identifier != nullptr && std::memcmp(identifier, "Exif", 5) == 0) return at;
    }
    at += 2 + bytes;
  }
  return -1;
}

TDateTime DateFromText(const std::string& text) {
  // An empty text never holds a date; skipping it saves the conversion.
  return text.empty() ? 0 : tDateConv(text).DateTime;
}

}  // namespace

uint16_t tExifFile::SwapWord(uint16_t value) const {
  return BigEndian ? static_cast<uint16_t>(value >> 8 | value << 8) : value;
}

int32_t tExifFile::SwapLong(int32_t value) const {
  if (!BigEndian) return value;
  const auto v = static_cast<uint32_t>(value);
  return static_cast<int32_t>(v >> 24 | (v >> 8 & 0xFF00) | (v << 8 & 0xFF0000) | v << 24);
}

void tExifFile::SeekTiff(int32_t offset) {
  const int64_t position = static_cast<int64_t>(TiffOffset) + offset;
  Stream->Seek(position < 0 ? kNowhere : position);
}

void tExifFile::ReadIfdOffset() {
  SeekTiff(4);
  IfdOffset = SwapLong(Stream->ReadLong());
}

bool tExifFile::TiffHeaderAt(int64_t position) {
  const uint8_t* header = position >= 0 ? Stream->Peek(position, 4) : nullptr;
  return header != nullptr &&
         (std::memcmp(header, "II*\0", 4) == 0 || std::memcmp(header, "MM\0*", 4) == 0);
}

bool tExifFile::UseTiffAt(int64_t position) {
  if (position < 0 || position > std::numeric_limits<int32_t>::max()) return false;
  TiffOffset = static_cast<int32_t>(position);
  Stream->Seek(TiffOffset);
  BigEndian = Stream->ReadWord() == 0x4D4D;
  ReadIfdOffset();
  return true;
}

tIfdEntry tExifFile::ParseEntry(const uint8_t* raw) const {
  const auto word = [&](size_t at) { return static_cast<uint16_t>(raw[at] | raw[at + 1] << 8); };
  const auto longword = [&](size_t at) {
    return static_cast<int32_t>(
        static_cast<uint32_t>(raw[at]) | static_cast<uint32_t>(raw[at + 1]) << 8 |
        static_cast<uint32_t>(raw[at + 2]) << 16 | static_cast<uint32_t>(raw[at + 3]) << 24);
  };
  tIfdEntry entry;
  entry.Tag = SwapWord(word(0));
  entry.DataType = SwapWord(word(2));
  entry.Count = static_cast<uint32_t>(SwapLong(longword(4)));
  entry.Value = SwapLong(longword(8));
  return entry;
}

tIfdEntry tExifFile::FindTag(uint16_t tag) {
  tIfdEntry found;
  FindTags(&tag, &found, 1);
  return found;
}

void tExifFile::FindTags(const uint16_t* tags, tIfdEntry* found, int count) {
  // The tags compared as they lie in the file: only the entries that matter are converted.
  uint16_t wanted[kMaxTagsAtOnce];
  count = count < kMaxTagsAtOnce ? count : kMaxTagsAtOnce;
  for (int k = 0; k < count; ++k) {
    wanted[k] = SwapWord(tags[k]);
    found[k] = tIfdEntry();
  }
  int missing = count;
  // The IFDs walked so far (as offsets); a pointer back to one of them ends the walk,
  // since walking it again could find nothing new.
  int32_t walked[kMaxIfdsWalked];
  int walkedCount = 0;
  int32_t ifd = IfdOffset;
  const uint16_t pointerTag = SwapWord(kExifIfdPointer);
  for (;;) {
    for (int i = 0; i < walkedCount; ++i)
      if (walked[i] == ifd) return;
    if (walkedCount == kMaxIfdsWalked) return;
    walked[walkedCount++] = ifd;

    SeekTiff(ifd);
    const uint32_t entries = SwapWord(Stream->ReadWord());
    // Entries follow one another; most IFDs can be read straight from memory.
    const uint8_t* held = Stream->Peek(Stream->Position(), entries * kEntryBytes);
    bool jumped = false;
    for (uint32_t i = 0; i < entries && !jumped; ++i) {
      uint8_t read[kEntryBytes] = {};
      if (held == nullptr) {
        // Past the end of the file every entry reads as zeros: none can match.
        if (Stream->Position() >= Stream->Size()) return;
        Stream->Read(read, kEntryBytes);
      }
      const uint8_t* raw = held != nullptr ? held + i * kEntryBytes : read;
      const auto rawTag = static_cast<uint16_t>(raw[0] | raw[1] << 8);
      if (rawTag == pointerTag) {
        // The rest of IFD0 is never looked at: TIFF keeps tags in ascending order.
        ifd = ParseEntry(raw).Value;
        jumped = true;
        continue;
      }
      for (int k = 0; k < count; ++k) {
        if (rawTag != wanted[k] || found[k].Tag != 0) continue;
        found[k] = ParseEntry(raw);
        if (--missing == 0) return;
      }
    }
    if (!jumped) return;
  }
}

void tExifFile::ValueBytes(const tIfdEntry& entry, uint8_t bytes[4]) const {
  const auto v = static_cast<uint32_t>(entry.Value);
  for (int i = 0; i < 4; ++i) {
    const int shift = BigEndian ? 24 - 8 * i : 8 * i;
    bytes[i] = static_cast<uint8_t>(v >> shift);
  }
}

int32_t tExifFile::GetTagValue(uint16_t tag) {
  const tIfdEntry entry = FindTag(tag);
  uint8_t bytes[4];
  ValueBytes(entry, bytes);
  switch (entry.DataType) {
    case kByte:
      return bytes[0];
    case kShort:
      return BigEndian ? bytes[0] << 8 | bytes[1] : bytes[0] | bytes[1] << 8;
    case kLong:
      return entry.Value;
    default:
      return 0;
  }
}

std::string tExifFile::GetTagText(uint16_t tag) { return TextOf(FindTag(tag)); }

std::string tExifFile::TextOf(const tIfdEntry& entry) {
  if (entry.Tag == 0) return std::string();
  if (entry.DataType == kAscii && entry.Count <= 4) {
    // TIFF keeps a text of four bytes or fewer (its zero included) in the entry itself.
    uint8_t bytes[4];
    ValueBytes(entry, bytes);
    size_t length = 0;
    while (length < entry.Count && bytes[length] != 0) ++length;
    return std::string(reinterpret_cast<const char*>(bytes), length);
  }
  SeekTiff(entry.Value);
  return Stream->ReadString(kMaxTextLength);
}

int tExifFile::SubSecondMilliseconds(const std::string& text) {
  size_t at = text.find_first_not_of(' ');
  int milliseconds = 0;
  for (int place = 100; place > 0 && at < text.size() && text[at] >= '0' && text[at] <= '9';
       place /= 10, ++at)
    milliseconds += (text[at] - '0') * place;
  return milliseconds;
}

TDateTime tExifFile::AddSubSeconds(TDateTime date, const tIfdEntry& subSeconds) {
  // Dates before 1899-12-30 count their time of day away from zero: none is a photo's.
  if (date <= 0 || subSeconds.Tag == 0) return date;
  const int milliseconds = SubSecondMilliseconds(TextOf(subSeconds));
  return milliseconds == 0 ? date : date + milliseconds / 86400000.0;
}

TDateTime tExifFile::DateWithSubSeconds(uint16_t dateTag, uint16_t subSecondTag) {
  // One walk finds both: the sub-seconds cost a photo no second look at its IFDs.
  const uint16_t tags[2] = {dateTag, subSecondTag};
  tIfdEntry found[2];
  FindTags(tags, found, 2);
  return AddSubSeconds(DateFromText(TextOf(found[0])), found[1]);
}

TDateTime tExifFile::GetDateTime() { return DateWithSubSeconds(kDateTime, kSubSecTime); }

TDateTime tExifFile::GetDateTimeOriginal() {
  return DateWithSubSeconds(kDateTimeOriginal, kSubSecTimeOriginal);
}

std::string tExifFile::GetModel() { return TrimControls(GetTagText(kModel)); }

tImageSize tExifFile::GetImageSize() {
  return tImageSize{GetTagValue(kPixelXDimension), GetTagValue(kPixelYDimension)};
}

bool tExifFile::IsPortrait() {
  return GetTagValue(kPixelXDimension) < GetTagValue(kPixelYDimension);
}

std::string tExifFile::GetContentIdentifier() {
  // "Apple iOS", a zero, a version word and the byte order, then an IFD whose offsets
  // count from the start of the note.
  constexpr uint16_t kAppleContentIdentifier = 0x0011;
  constexpr int64_t kAppleHeaderBytes = 14;
  const tIfdEntry note = FindTag(kMakerNote);
  if (note.Tag != kMakerNote || note.Count < kAppleHeaderBytes + 2) return std::string();
  const int64_t start = static_cast<int64_t>(TiffOffset) + static_cast<uint32_t>(note.Value);
  const uint8_t* header = Stream->Peek(start, kAppleHeaderBytes);
  if (header == nullptr || std::memcmp(header, "Apple iOS\0", 10) != 0) return std::string();
  const bool big = header[12] == 'M' && header[13] == 'M';
  const auto word = [big](const uint8_t* p) {
    return static_cast<uint16_t>(big ? p[0] << 8 | p[1] : p[0] | p[1] << 8);
  };
  const auto longword = [big](const uint8_t* p) {
    return big ? static_cast<uint32_t>(p[0]) << 24 | static_cast<uint32_t>(p[1]) << 16 |
                     static_cast<uint32_t>(p[2]) << 8 | p[3]
               : static_cast<uint32_t>(p[3]) << 24 | static_cast<uint32_t>(p[2]) << 16 |
                     static_cast<uint32_t>(p[1]) << 8 | p[0];
  };
  const uint8_t* countBytes = Stream->Peek(start + kAppleHeaderBytes, 2);
  if (countBytes == nullptr) return std::string();
  const uint16_t count = word(countBytes);
  for (uint16_t i = 0; i < count; ++i) {
    const uint8_t* raw = Stream->Peek(
        start + kAppleHeaderBytes + 2 + static_cast<int64_t>(i) * kEntryBytes, kEntryBytes);
    if (raw == nullptr) return std::string();
    if (word(raw) != kAppleContentIdentifier) continue;
    const uint32_t length = longword(raw + 4);
    if (word(raw + 2) != kAscii || length == 0 || length > kMaxTextLength) return std::string();
    const std::string text = length <= 4
                                 ? std::string(reinterpret_cast<const char*>(raw + 8), length)
                                 : ReadTextAt(start + longword(raw + 8), length);
    return TrimControls(text.substr(0, text.find('\0')));
  }
  return std::string();
}

std::string tExifFile::ReadTextAt(int64_t position, size_t length) {
  Stream->Seek(position);
  return Stream->ReadString(static_cast<int32_t>(length));
}

// --- where the TIFF header is --------------------------------------------------------

tJPEGFile::tJPEGFile(const std::string& fileName)
    : tJPEGFile(tBaseFile::OpenClassified(fileName)) {}

tJPEGFile::tJPEGFile(tClassifiedFile file) : tExifFile(std::move(file)) {
  // The first FF E1 in the window wins when it is followed by "Exif", even when it lies
  // inside other data; only when it is not is the segment structure walked.
  int64_t marker = Stream->Find(std::string("\xFF\xE1", 2));
  bool exif = false;
  if (marker >= 0) {
    Stream->Seek(marker + 2);
    Stream->ReadWord();  // the segment length
    exif = Stream->ReadString(5) == "Exif";
  }
  if (!exif) marker = WalkToExifSegment(*Stream);
  if (marker < 0 || !UseTiffAt(marker + 10)) throw EExifException::NoExifDataIn(FileName);
}

tRAW0File::tRAW0File(const std::string& fileName)
    : tRAW0File(tBaseFile::OpenClassified(fileName)) {}

tRAW0File::tRAW0File(tClassifiedFile file) : tExifFile(std::move(file)) {
  TiffOffset = 0;
  Stream->Seek(0);
  BigEndian = Stream->ReadWord() == 0x4D4D;
  ReadIfdOffset();
}

tRAW1File::tRAW1File(const std::string& fileName)
    : tRAW1File(tBaseFile::OpenClassified(fileName)) {}

tRAW1File::tRAW1File(tClassifiedFile file) : tExifFile(std::move(file)) {
  // The little-endian signature is searched over the whole window first.
  TiffOffset = Stream->Find(std::string("II*\0", 4));
  BigEndian = false;
  if (TiffOffset < 0) {
    TiffOffset = Stream->Find(std::string("MM\0*", 4));
    BigEndian = true;
  }
  if (TiffOffset < 0) throw EExifException::NoExifDataIn(FileName);
  ReadIfdOffset();
}
