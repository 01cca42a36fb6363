#pragma once

#include <cstdint>
#include <string>

#include "readers/BaseFile.h"

// Reads the recording date, a model text and the frame size of RIFF AVI clips and WAVE
// sounds. It does not walk the chunk tree: each chunk is read where its identifier first
// occurs in the search window.
class tRIFFFile : public tBaseFile {
 public:
  using tBaseFile::tBaseFile;

  // IDIT, or else ICRD + " " + etim; 0 when none of them is there.
  TDateTime GetDateTime() override;
  // RIFF files carry one date: the same as GetDateTime.
  TDateTime GetDateTimeOriginal() override;
  // ISFT, or else emdl.
  std::string GetModel() override;
  // The frame size of the avih main header; (-1, -1) when there is none.
  tImageSize GetImageSize() override;
  bool IsPortrait() override;

 private:
  // The text of the chunk whose identifier first occurs in the window, at most 4094
  // characters; false when the identifier is not there.
  bool FindChunkText(const char* id, std::string& text);
};
