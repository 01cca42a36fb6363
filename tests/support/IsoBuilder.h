#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace test {

// --- ISO base media boxes -----------------------------------------------------------------
// A box: big-endian size (header included), type, payload.
std::string Box(const std::string& type, const std::string& payload);
// The same with size 1 and a 64-bit size after the type.
std::string LargeBox(const std::string& type, const std::string& payload);
// A box with a size field that need not match the payload (0: to the end).
std::string BoxSized(const std::string& type, uint32_t size, const std::string& payload);
// A full box: version, 24-bit flags, payload.
std::string FullBox(const std::string& type, uint8_t version, uint32_t flags,
                    const std::string& payload);
// "ftyp" with a major brand, minor version 0 and compatible brands.
std::string Ftyp(const std::string& major, const std::vector<std::string>& compatible = {});
// A big-endian number of 0, 2, 4 or 8 bytes.
std::string BeSized(uint64_t value, int bytes);

// --- HEIF -----------------------------------------------------------------------------
// How an Exif item is stored; each field is one way real files differ.
struct HeifExif {
  enum class Header { Offset, BareExif, None };
  std::string tiff;                // the TIFF block
  Header header = Header::Offset;  // the 4-byte offset and "Exif\0\0", "Exif\0\0" only, neither
  int ilocVersion = 1;             // 0, 1 or 2
  int offsetSize = 4, lengthSize = 4, baseSize = 0, indexSize = 0;  // 0, 4 or 8 each
  bool inIdat = false;             // construction method 1: the item lies in idat
  int extents = 1;                 // the item in this many pieces, out of order in the file
  bool atEnd = true;               // after the image data (as phones write it), else before
  bool quickTimeMeta = false;      // meta without version and flags
  uint32_t width = 0, height = 0;  // the primary item's ispe; 0 and 0: none
  size_t imageBytes = 256;         // the size of the mdat that holds the image
};
// A HEIF file: ftyp heic, meta (hdlr, pitm, iinf, iloc, iprp, idat), mdat.
std::string HeifFile(const HeifExif& exif);

// --- Canon CR3 -------------------------------------------------------------------------
// ftyp "crx ", moov with Canon's uuid box holding CMT1 and CMT2 (each left out when empty).
std::string Cr3File(const std::string& cmt1, const std::string& cmt2, size_t imageBytes = 256);

// --- MP4 and QuickTime -------------------------------------------------------------------
struct Mp4Track {
  std::string handler = "vide";
  uint32_t width = 0, height = 0;  // pixels (stored as 16.16)
  int version = 0;                 // tkhd version
};
struct Mp4Spec {
  std::string brand = "isom";  // empty: no ftyp, as early QuickTime files
  int mvhdVersion = 0;
  uint64_t created = 0;  // seconds since 1904
  std::vector<Mp4Track> tracks;
  std::string appleDate, appleModel;   // keys/ilst entries, left out when empty
  std::string appleContentIdentifier;  // a Live Photo clip's key, left out when empty
  bool metaInUdta = false;             // moov/udta/meta (full box) instead of moov/meta
  bool moovAtEnd = true;               // after the media data
  size_t mediaBytes = 256;
  size_t sampleTableBytes = 40;  // per track: a long clip's tables are large
};
std::string Mp4File(const Mp4Spec& spec);
// A movie time: seconds from 1904-01-01 00:00 to this UTC moment.
uint64_t MovieSeconds(int year, int month, int day, int hour, int minute, int second);

// --- PNG --------------------------------------------------------------------------------
// A chunk with its length and CRC.
std::string PngChunk(const std::string& type, const std::string& data);
// The signature, IHDR of the given size, the chunks, IEND.
std::string PngFile(uint32_t width, uint32_t height, const std::string& chunks);
// Image data split into IDAT chunks of `chunkBytes`.
std::string PngImageData(size_t bytes, size_t chunkBytes);

}  // namespace test
