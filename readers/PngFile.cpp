#include "readers/PngFile.h"

#include <algorithm>
#include <cstring>

#include "readers/DateConv.h"
#include "readers/IsoBoxes.h"

namespace {

constexpr size_t kMaxTextBytes = 256;
constexpr size_t kMaxKeywordBytes = 80;
const std::string kCreationTime = "Creation Time";

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// Reads the characters of `text` from `at` on while they satisfy `accept`, at most `most`.
std::string Take(const std::string& text, size_t& at, size_t most, bool (*accept)(char)) {
  std::string part;
  while (at < text.size() && part.size() < most && accept(text[at])) part += text[at++];
  return part;
}

void SkipBlanks(const std::string& text, size_t& at) {
  while (at < text.size() && text[at] == ' ') ++at;
}

// "[Www, ]D Mmm YYYY HH:MM:SS" in the Exif form; empty when the text is not of that form.
std::string ExifFormOfMailDate(const std::string& text) {
  size_t at = 0;
  SkipBlanks(text, at);
  if (text.size() > at + 3 && text[at + 3] == ',') at += 4;
  SkipBlanks(text, at);
  const std::string day = Take(text, at, 2, IsDigit);
  SkipBlanks(text, at);
  const std::string month = Take(text, at, 3, IsLetter);
  SkipBlanks(text, at);
  const std::string year = Take(text, at, 4, IsDigit);
  SkipBlanks(text, at);
  const std::string time = text.substr(at, 8);
  if (day.empty() || month.size() != 3 || year.size() != 4 || time.size() < 5) return "";
  int number = 0;
  try {
    number = tDateConv().MonthFromName(month);
  } catch (const EConvertError&) {
    return "";
  }
  const std::string twoDigits = (number < 10 ? "0" : "") + std::to_string(number);
  return year + ":" + twoDigits + ":" + (day.size() == 1 ? "0" : "") + day + " " + time;
}

// A chunk's length and type. Beyond the file's first bytes, which the stream holds, the
// eight bytes are read alone: the walk passes image data chunk by chunk, and loading a
// block around each header would read most of a large file.
bool ChunkHeader(TDataStream& stream, int64_t at, uint32_t& length, uint32_t& type) {
  uint8_t bytes[8];
  if (at + 8 <= TDataStream::kHeadBytes) {
    const uint8_t* held = stream.Peek(at, 8);
    if (held == nullptr) return false;
    std::memcpy(bytes, held, 8);
  } else {
    stream.Seek(at);
    if (stream.ReadDirect(bytes, 8) != 8) return false;
  }
  length = static_cast<uint32_t>(bytes[0]) << 24 | bytes[1] << 16 | bytes[2] << 8 | bytes[3];
  type = static_cast<uint32_t>(bytes[4]) << 24 | bytes[5] << 16 | bytes[6] << 8 | bytes[7];
  return true;
}

}  // namespace

tPNGFile::tPNGFile(const std::string& fileName) : tPNGFile(tBaseFile::OpenClassified(fileName)) {}

tPNGFile::tPNGFile(tClassifiedFile file) : tExifFile(std::move(file)) {
  Walk(false);
  if (!HasExif) Walk(true);
  if (!HasExif && CreationTime.empty()) throw EExifException::NoExifDataIn(FileName);
}

void tPNGFile::Walk(bool toTheEnd) {
  // Each chunk: a big-endian length, the type, the data and a 4-byte check value.
  for (int chunks = 0; !walkedAll_; ++chunks) {
    uint32_t length = 0, type = 0;
    if (chunks >= kMaxChunks || !ChunkHeader(*Stream, next_, length, type) || length > 0x7FFFFFFF ||
        type == FourCC("IEND")) {
      walkedAll_ = true;
      break;
    }
    if (type == FourCC("IDAT") && HasExif && !toTheEnd) return;
    const int64_t data = next_ + 8;
    if (type == FourCC("eXIf") && !HasExif) {
      // Some writers put the "Exif" identifier of JPEG's APP1 segment in front.
      const std::string prefix = ReadBytes(*Stream, data, 6);
      const int64_t tiff = prefix == std::string("Exif\0\0", 6) ? data + 6 : data;
      HasExif = TiffHeaderAt(tiff) && UseTiffAt(tiff);
    } else if ((type == FourCC("tEXt") || type == FourCC("iTXt")) && CreationTime.empty()) {
      ReadText(data, length, type == FourCC("iTXt"));
    }
    next_ = data + length + 4;
  }
}

void tPNGFile::ReadText(int64_t data, uint32_t length, bool international) {
  const std::string bytes =
      ReadBytes(*Stream, data, std::min<size_t>(length, kMaxKeywordBytes + 64 + kMaxTextBytes));
  const size_t keywordEnd = bytes.find('\0');
  if (keywordEnd == std::string::npos || bytes.compare(0, keywordEnd, kCreationTime) != 0) return;
  size_t text = keywordEnd + 1;
  if (international) {
    // A compression flag and method, then a language tag and a translated keyword.
    if (text + 2 > bytes.size() || bytes[text] != 0) return;  // compressed: not read
    const size_t language = bytes.find('\0', text + 2);
    const size_t translated =
        language == std::string::npos ? language : bytes.find('\0', language + 1);
    if (translated == std::string::npos) return;
    text = translated + 1;
  }
  // The text runs to the end of the chunk (it has no zero byte of its own).
  const size_t end = std::min<size_t>(length, bytes.size());
  if (text >= end) return;
  CreationTime = bytes.substr(text, std::min(end - text, kMaxTextBytes));
  CreationTime = CreationTime.substr(0, CreationTime.find('\0'));
}

TDateTime tPNGFile::DateFromCreationTime(const std::string& text) {
  if (text.empty()) return 0;
  const std::string mail = ExifFormOfMailDate(text);
  return tDateConv(mail.empty() ? text : mail).DateTime;
}

TDateTime tPNGFile::GetDateTime() {
  const TDateTime exif = HasExif ? tExifFile::GetDateTime() : 0;
  if (exif != 0) return exif;
  Walk(true);
  return DateFromCreationTime(CreationTime);
}

TDateTime tPNGFile::GetDateTimeOriginal() {
  const TDateTime exif = HasExif ? tExifFile::GetDateTimeOriginal() : 0;
  if (exif != 0) return exif;
  Walk(true);
  return DateFromCreationTime(CreationTime);
}

std::string tPNGFile::GetModel() { return HasExif ? tExifFile::GetModel() : std::string(); }

tImageSize tPNGFile::GetImageSize() { return HasExif ? tExifFile::GetImageSize() : tImageSize{}; }

bool tPNGFile::IsPortrait() { return HasExif && tExifFile::IsPortrait(); }
