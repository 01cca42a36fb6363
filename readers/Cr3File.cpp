#include "readers/Cr3File.h"

#include <cstring>

#include "readers/IsoBoxes.h"

const uint8_t tCR3File::kCanonUuid[16] = {0x85, 0xC0, 0xB6, 0x87, 0x82, 0x0F, 0x11, 0xE0,
                                          0x81, 0x11, 0xF4, 0xCE, 0x46, 0x2B, 0x6A, 0x48};

tCR3File::tCR3File(const std::string& fileName) : tCR3File(tBaseFile::OpenClassified(fileName)) {}

tCR3File::tCR3File(tClassifiedFile file) : tExifFile(std::move(file)) {
  tBox moov, box;
  tBoxWalk top(*Stream, 0, Stream->Size());
  if (top.Find(FourCC("moov"), moov)) {
    tBoxWalk children(*Stream, moov);
    bool canon = false;
    while (!canon && children.Find(FourCC("uuid"), box))
      canon = std::memcmp(box.Uuid, kCanonUuid, sizeof kCanonUuid) == 0;
    if (canon) {
      tBoxWalk blocks(*Stream, box);
      tBox cmt;
      while (blocks.Next(cmt)) {
        tTiffBlock* block = cmt.Type == FourCC("CMT1")   ? &Cmt1
                            : cmt.Type == FourCC("CMT2") ? &Cmt2
                                                         : nullptr;
        if (block == nullptr || block->Present || !TiffHeaderAt(cmt.Payload) ||
            !UseTiffAt(cmt.Payload))
          continue;
        *block = tTiffBlock{true, TiffOffset, IfdOffset, BigEndian};
      }
    }
  }
  if (!Cmt1.Present && !Cmt2.Present) throw EExifException::NoExifDataIn(FileName);
}

bool tCR3File::Use(const tTiffBlock& block) {
  TiffOffset = block.TiffOffset;
  IfdOffset = block.IfdOffset;
  BigEndian = block.BigEndian;
  return block.Present;
}

TDateTime tCR3File::GetDateTime() {
  // The date is IFD0's, its sub-seconds the Exif IFD's.
  const TDateTime date = Use(Cmt1) ? tExifFile::GetDateTime() : 0;
  return date > 0 && Use(Cmt2) ? AddSubSeconds(date, FindTag(kSubSecTime)) : date;
}

std::string tCR3File::GetModel() { return Use(Cmt1) ? tExifFile::GetModel() : std::string(); }

TDateTime tCR3File::GetDateTimeOriginal() {
  return Use(Cmt2) ? tExifFile::GetDateTimeOriginal() : 0;
}

tImageSize tCR3File::GetImageSize() { return Use(Cmt2) ? tExifFile::GetImageSize() : tImageSize{}; }

bool tCR3File::IsPortrait() { return Use(Cmt2) && tExifFile::IsPortrait(); }
