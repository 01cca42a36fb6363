#pragma once

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>

#include "platform/DateTime.h"
#include "readers/DataStream.h"

// What a file holds, judged by its leading bytes and the signatures near its start. The
// container formats of phones and current cameras follow the first six codes: fkHEIF (HEIC,
// AVIF and other HEIF images), fkCR3 (Canon raw), fkMP4 (MP4, QuickTime MOV, 3GP, M4V and
// other ISO base media files), fkPNG and fkWEBP.
enum tFileKind : uint8_t {
  fkJPEG,
  fkAVI,
  fkWAVE,
  fkRAW0,
  fkRAW1,
  fkUnknown,
  fkHEIF,
  fkCR3,
  fkMP4,
  fkPNG,
  fkWEBP
};

// Width and height in pixels.
struct tImageSize {
  int32_t Width = 0;
  int32_t Height = 0;
  friend bool operator==(const tImageSize&, const tImageSize&) = default;
};

// A file holds no metadata container a reader can use.
class EExifException : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
  // "No Exif data in file '<fileName>'".
  static EExifException NoExifDataIn(const std::string& fileName);
  // The kind the file was found to be when its reader found no metadata in it (a JPEG
  // without Exif, a PNG screenshot); fkUnknown when the file is of no known kind.
  tFileKind Kind = fkUnknown;
};

// A file opened once and classified: what every reader is built on, so that detection
// and reading share one open file and one copy of its first bytes.
struct tClassifiedFile {
  std::string FileName;
  std::unique_ptr<TDataStream> Stream;
  tFileKind FileKind = fkUnknown;
};

// A file of a known kind that holds no metadata the readers use: its date, if it has one,
// comes from elsewhere (its name, a JSON beside it, its file time); no model, no size.
class tBareFile;

// The common base of the metadata readers: two date-times, the camera model, the image
// size and a portrait test. A reader holds its file open, shared, until it is destroyed.
// Every operation may be called any number of times in any order.
class tBaseFile {
 public:
  // Classifies a file by its content. Throws EExifException for a file of no known kind
  // and lets EFOpenError and EReadError through.
  static tFileKind GetFileKind(const std::string& fileName);
  // The same on a stream already open on fileName (the name is only for the message).
  static tFileKind GetFileKind(TDataStream& stream, const std::string& fileName);
  // Opens the file (on the real file system, or on the one given) and classifies it; the
  // exceptions are those of GetFileKind.
  static tClassifiedFile OpenClassified(const std::string& fileName);
  static tClassifiedFile OpenClassified(platform::FileSystem& files, const std::string& fileName);

  // Opens and classifies the file; EExifException and EFOpenError pass.
  explicit tBaseFile(const std::string& fileName);
  // Takes over a file opened and classified before; its Stream must be open.
  explicit tBaseFile(tClassifiedFile file);
  virtual ~tBaseFile() = default;
  tBaseFile(const tBaseFile&) = delete;
  tBaseFile& operator=(const tBaseFile&) = delete;

  // The file's own date-time; 0 when it has none.
  virtual TDateTime GetDateTime() = 0;
  // The moment of capture; 0 when the file has none.
  virtual TDateTime GetDateTimeOriginal() = 0;
  // The camera model without leading and trailing blanks and control characters.
  virtual std::string GetModel() = 0;
  virtual tImageSize GetImageSize() = 0;
  // Width smaller than height; false when they are equal or the file has no size.
  virtual bool IsPortrait() = 0;
  // The identifier Apple gives both halves of a Live Photo (the still's maker note, the
  // clip's metadata); empty when the file has none.
  virtual std::string GetContentIdentifier() { return std::string(); }

  tFileKind FileKind;
  std::string FileName;  // as passed, for messages
  std::unique_ptr<TDataStream> Stream;
};

// The text without the characters of code 32 or below at either end.
std::string TrimControls(const std::string& text);

class tBareFile : public tBaseFile {
 public:
  explicit tBareFile(tClassifiedFile file) : tBaseFile(std::move(file)) {}
  TDateTime GetDateTime() override { return 0; }
  TDateTime GetDateTimeOriginal() override { return 0; }
  std::string GetModel() override { return std::string(); }
  tImageSize GetImageSize() override { return tImageSize(); }
  bool IsPortrait() override { return false; }
};
