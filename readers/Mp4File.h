#pragma once

#include <cstdint>
#include <string>

#include "readers/BaseFile.h"

struct tBox;

// A video clip in an ISO base media or QuickTime file: MP4, MOV, 3GP, M4V (and M4A sound).
// The constructor finds the moov box wherever it lies (often at the end of a large file),
// reads the movie header, the first video track's header and Apple's key/value metadata,
// and skips everything else, the media data above all.
class tMP4File : public tBaseFile {
 public:
  // Seconds from 1904-01-01 (the movie time base) to 1970-01-01.
  static constexpr uint64_t kSecondsTo1970 = 2082844800;

  // Throws EExifException when the file has no moov box. videoTimesAreLocal: the movie
  // header holds the camera's local time instead of UTC, as some cameras write it.
  explicit tMP4File(const std::string& fileName, bool videoTimesAreLocal = false);
  explicit tMP4File(tClassifiedFile file, bool videoTimesAreLocal = false);

  // Apple's creation date as its local wall-clock time, as written (its offset from UTC
  // plays no part); otherwise the movie header's creation time, which the format keeps in
  // UTC, as the local time of this computer at that moment, or as it stands when video
  // times are local. 0 when the file has neither.
  TDateTime GetDateTime() override;
  // Clips carry one date: the same as GetDateTime.
  TDateTime GetDateTimeOriginal() override;
  // Apple's model entry; empty when there is none.
  std::string GetModel() override;
  // The width and height of the first video track's header; (0, 0) when there is none.
  tImageSize GetImageSize() override;
  bool IsPortrait() override;
  // com.apple.quicktime.content.identifier: a Live Photo's clip names its still by it.
  std::string GetContentIdentifier() override;

  // A movie time (seconds since 1904-01-01; earlier times as written by mistake counting
  // from 1970-01-01) as a date-time in the same zone; 0 for 0.
  static TDateTime FromMovieTime(uint64_t seconds);

  // What the constructor found.
  uint64_t CreationTime = 0;           // mvhd, seconds
  std::string AppleCreationDate;       // com.apple.quicktime.creationdate
  std::string AppleModel;              // com.apple.quicktime.model
  std::string AppleContentIdentifier;  // com.apple.quicktime.content.identifier
  tImageSize VideoSize;

 private:
  bool videoTimesAreLocal_;
  void ReadMovieHeader(const tBox& mvhd);
  // True when the track is the first video track and its size was taken.
  bool ReadTrack(const tBox& trak);
  // The keys and ilst boxes of a meta box (moov/meta or moov/udta/meta).
  void ReadMetadata(const tBox& meta);
};
