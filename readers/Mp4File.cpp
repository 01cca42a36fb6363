#include "readers/Mp4File.h"

#include <algorithm>

#include "platform/TimeZone.h"
#include "readers/DateConv.h"
#include "readers/IsoBoxes.h"

namespace {

constexpr TDateTime k1904 = 1462;   // 1904-01-01 as a TDateTime
constexpr TDateTime k1970 = 25569;  // 1970-01-01
constexpr uint64_t kSecondsPerDay = 86400;
constexpr TDateTime kYear10000 = 2958466;
// The most metadata keys looked at, and the longest text taken from a value.
constexpr uint64_t kMaxKeys = 1024;
constexpr size_t kMaxValueBytes = 256;

const char kCreationDateKey[] = "com.apple.quicktime.creationdate";
const char kModelKey[] = "com.apple.quicktime.model";
const char kContentIdentifierKey[] = "com.apple.quicktime.content.identifier";

// The text of an ilst entry: its first data box, when that holds UTF-8 text (well-known
// type 1, or 0 as some writers leave it), up to its first zero byte.
std::string EntryText(TDataStream& stream, const tBox& entry) {
  tBox data;
  uint32_t type = 0;
  if (!tBoxWalk(stream, entry).Find(FourCC("data"), data) || data.PayloadSize() < 8 ||
      !ReadBe32(stream, data.Payload, type) || (type & 0xFFFFFF) > 1)
    return std::string();
  const auto count = static_cast<size_t>(std::min<int64_t>(data.PayloadSize() - 8, kMaxValueBytes));
  const std::string text = ReadBytes(stream, data.Payload + 8, count);
  return text.substr(0, text.find('\0'));
}

}  // namespace

tMP4File::tMP4File(const std::string& fileName, bool videoTimesAreLocal)
    : tMP4File(tBaseFile::OpenClassified(fileName), videoTimesAreLocal) {}

tMP4File::tMP4File(tClassifiedFile file, bool videoTimesAreLocal)
    : tBaseFile(std::move(file)), videoTimesAreLocal_(videoTimesAreLocal) {
  // The top-level boxes are passed by their headers: the media data is never read.
  tBox moov;
  if (!tBoxWalk(*Stream, 0, Stream->Size()).Find(FourCC("moov"), moov))
    throw EExifException::NoExifDataIn(FileName);
  tBoxWalk children(*Stream, moov);
  tBox box;
  bool header = false, video = false;
  while (children.Next(box)) {
    if (box.Type == FourCC("mvhd") && !header) {
      ReadMovieHeader(box);
      header = true;
    } else if (box.Type == FourCC("trak") && !video) {
      video = ReadTrack(box);
    } else if (box.Type == FourCC("meta")) {
      ReadMetadata(box);
    } else if (box.Type == FourCC("udta")) {
      tBox meta;
      tBoxWalk inner(*Stream, box);
      while (inner.Find(FourCC("meta"), meta)) ReadMetadata(meta);
    }
  }
}

void tMP4File::ReadMovieHeader(const tBox& mvhd) {
  uint64_t version = 0;
  if (mvhd.PayloadSize() < 12 || !ReadBeSized(*Stream, mvhd.Payload, 1, version)) return;
  // Version 1 keeps its times in 64 bits.
  if (version == 1) {
    if (mvhd.PayloadSize() >= 20) ReadBe64(*Stream, mvhd.Payload + 4, CreationTime);
  } else {
    uint32_t seconds = 0;
    ReadBe32(*Stream, mvhd.Payload + 4, seconds);
    CreationTime = seconds;
  }
}

bool tMP4File::ReadTrack(const tBox& trak) {
  tBox box, tkhd, mdia;
  bool hasHeader = false, hasMedia = false;
  tBoxWalk children(*Stream, trak);
  while (children.Next(box)) {
    if (box.Type == FourCC("tkhd") && !hasHeader) hasHeader = true, tkhd = box;
    if (box.Type == FourCC("mdia") && !hasMedia) hasMedia = true, mdia = box;
  }
  // The media handler says what the track holds: "vide" for video.
  tBox hdlr;
  uint32_t handler = 0;
  if (!hasHeader || !hasMedia || !tBoxWalk(*Stream, mdia).Find(FourCC("hdlr"), hdlr) ||
      hdlr.PayloadSize() < 12 || !ReadBe32(*Stream, hdlr.Payload + 8, handler) ||
      handler != FourCC("vide"))
    return false;
  uint64_t version = 0;
  ReadBeSized(*Stream, tkhd.Payload, 1, version);
  // Width and height close the header as 16.16 fixed-point numbers.
  const int64_t at = tkhd.Payload + (version == 1 ? 88 : 76);
  uint32_t width = 0, height = 0;
  if (tkhd.End - at < 8 || !ReadBe32(*Stream, at, width) || !ReadBe32(*Stream, at + 4, height))
    return false;
  VideoSize = tImageSize{static_cast<int32_t>(width >> 16), static_cast<int32_t>(height >> 16)};
  return true;
}

void tMP4File::ReadMetadata(const tBox& meta) {
  tBoxWalk children = MetaChildren(*Stream, meta);
  tBox box, keys, ilst;
  bool hasKeys = false, hasList = false;
  while (children.Next(box)) {
    if (box.Type == FourCC("keys") && !hasKeys) hasKeys = true, keys = box;
    if (box.Type == FourCC("ilst") && !hasList) hasList = true, ilst = box;
  }
  if (!hasKeys || !hasList) return;
  // Keys are numbered from 1 in their order; each is a size, a namespace and the name.
  uint32_t count = 0;
  if (!ReadBe32(*Stream, keys.Payload + 4, count)) return;
  uint32_t dateKey = 0, modelKey = 0, identifierKey = 0;
  int64_t at = keys.Payload + 8;
  for (uint32_t n = 1; n <= count && n <= kMaxKeys; ++n) {
    uint32_t size = 0;
    if (keys.End - at < 8 || !ReadBe32(*Stream, at, size) || size < 8 || size > keys.End - at)
      break;
    // Longer names than the wanted ones need not be read.
    const std::string name = ReadBytes(*Stream, at + 8, std::min<size_t>(size - 8, 64));
    if (name == kCreationDateKey && dateKey == 0) dateKey = n;
    if (name == kModelKey && modelKey == 0) modelKey = n;
    if (name == kContentIdentifierKey && identifierKey == 0) identifierKey = n;
    at += size;
  }
  // The list's entries are boxes whose type is the number of their key.
  tBoxWalk entries(*Stream, ilst);
  while (entries.Next(box)) {
    if (box.Type == dateKey && dateKey != 0 && AppleCreationDate.empty())
      AppleCreationDate = EntryText(*Stream, box);
    if (box.Type == modelKey && modelKey != 0 && AppleModel.empty())
      AppleModel = EntryText(*Stream, box);
    if (box.Type == identifierKey && identifierKey != 0 && AppleContentIdentifier.empty())
      AppleContentIdentifier = EntryText(*Stream, box);
  }
}

TDateTime tMP4File::FromMovieTime(uint64_t seconds) {
  if (seconds == 0) return 0;
  // Some cameras write a time counted from 1970 instead of 1904: below 1970 in the movie
  // time base such a time is taken as counting from 1970 (no clip is that old).
  const TDateTime base = seconds < kSecondsTo1970 ? k1970 : k1904;
  const uint64_t days = seconds / kSecondsPerDay;
  if (days >= static_cast<uint64_t>(kYear10000 - base)) return 0;
  TDateTime time = 0;
  const auto rest = static_cast<int>(seconds % kSecondsPerDay);
  platform::TryEncodeTime(rest / 3600, rest / 60 % 60, rest % 60, 0, time);
  // Built like the calendar encoding, so that equal moments compare equal.
  return base + static_cast<TDateTime>(days) + time;
}

TDateTime tMP4File::GetDateTime() {
  if (!AppleCreationDate.empty()) {
    const TDateTime written = tDateConv(AppleCreationDate).DateTime;
    if (written != 0) return written;
  }
  const TDateTime header = FromMovieTime(CreationTime);
  return videoTimesAreLocal_ ? header : platform::LocalFromUtc(header);
}

TDateTime tMP4File::GetDateTimeOriginal() { return GetDateTime(); }

std::string tMP4File::GetModel() { return TrimControls(AppleModel); }

std::string tMP4File::GetContentIdentifier() { return TrimControls(AppleContentIdentifier); }

tImageSize tMP4File::GetImageSize() { return VideoSize; }

bool tMP4File::IsPortrait() { return VideoSize.Width < VideoSize.Height; }
