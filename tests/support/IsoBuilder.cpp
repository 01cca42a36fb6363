#include "tests/support/IsoBuilder.h"

#include <algorithm>
#include <array>

#include "tests/support/ByteWriter.h"

namespace test {

namespace {

const std::string kCanonUuid = Bytes({0x85, 0xC0, 0xB6, 0x87, 0x82, 0x0F, 0x11, 0xE0, 0x81, 0x11,
                                      0xF4, 0xCE, 0x46, 0x2B, 0x6A, 0x48});

std::string Be64(uint64_t value) {
  return Be32(static_cast<uint32_t>(value >> 32)) + Be32(static_cast<uint32_t>(value));
}

std::string Handler(const std::string& type) {
  return FullBox("hdlr", 0, 0, Be32(0) + type + std::string(12, '\0') + std::string(1, '\0'));
}

// Days from 1970-01-01 to a date of the proleptic Gregorian calendar.
int64_t DaysFrom1970(int year, int month, int day) {
  year -= month <= 2;
  const int64_t era = (year >= 0 ? year : year - 399) / 400;
  const int64_t yearOfEra = year - era * 400;
  const int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + dayOfEra - 719468;
}

}  // namespace

std::string BeSized(uint64_t value, int bytes) {
  std::string out;
  for (int i = bytes - 1; i >= 0; --i) out += static_cast<char>(value >> (8 * i) & 0xFF);
  return out;
}

std::string Box(const std::string& type, const std::string& payload) {
  return Be32(static_cast<uint32_t>(8 + payload.size())) + type + payload;
}

std::string LargeBox(const std::string& type, const std::string& payload) {
  return Be32(1) + type + Be64(16 + payload.size()) + payload;
}

std::string BoxSized(const std::string& type, uint32_t size, const std::string& payload) {
  return Be32(size) + type + payload;
}

std::string FullBox(const std::string& type, uint8_t version, uint32_t flags,
                    const std::string& payload) {
  return Box(type, BeSized(version, 1) + BeSized(flags, 3) + payload);
}

std::string Ftyp(const std::string& major, const std::vector<std::string>& compatible) {
  std::string payload = major + Be32(0);
  for (const std::string& brand : compatible) payload += brand;
  return Box("ftyp", payload);
}

// --- HEIF ------------------------------------------------------------------------------

namespace {

struct Piece {
  uint64_t position;  // in the file, or in idat
  uint64_t length;
};

std::string Iloc(const HeifExif& exif, const Piece& image, const std::vector<Piece>& pieces,
                 uint64_t base) {
  const int v = exif.ilocVersion;
  std::string p = BeSized(static_cast<uint64_t>(exif.offsetSize << 4 | exif.lengthSize), 1);
  p += BeSized(static_cast<uint64_t>(exif.baseSize << 4 | (v == 0 ? 0 : exif.indexSize)), 1);
  p += BeSized(2, v < 2 ? 2 : 4);
  const auto item = [&](uint32_t id, int method, uint64_t itemBase, const std::vector<Piece>& at) {
    std::string entry = BeSized(id, v < 2 ? 2 : 4);
    if (v >= 1) entry += BeSized(static_cast<uint64_t>(method), 2);
    entry += BeSized(0, 2) + BeSized(itemBase, exif.baseSize) + BeSized(at.size(), 2);
    for (const Piece& piece : at) {
      if (v >= 1) entry += BeSized(0, exif.indexSize);
      entry += BeSized(piece.position - itemBase, exif.offsetSize) +
               BeSized(piece.length, exif.lengthSize);
    }
    return entry;
  };
  // Without offset fields the base offset says where the (single) extent lies.
  const uint64_t imageBase = exif.offsetSize == 0 ? image.position : (exif.baseSize ? base : 0);
  p += item(1, 0, imageBase, {image});
  const uint64_t exifBase =
      exif.offsetSize == 0 ? pieces.front().position : (exif.baseSize && !exif.inIdat ? base : 0);
  p += item(2, exif.inIdat ? 1 : 0, exifBase, pieces);
  return FullBox("iloc", static_cast<uint8_t>(v), 0, p);
}

}  // namespace

std::string HeifFile(const HeifExif& exif) {
  std::string item;
  if (exif.header == HeifExif::Header::Offset) item = Be32(6) + std::string("Exif\0\0", 6);
  if (exif.header == HeifExif::Header::BareExif) item = std::string("Exif\0\0", 6);
  item += exif.tiff;
  // The item in pieces, stored last piece first so that no two follow one another.
  const int count = std::max(1, exif.extents);
  std::vector<std::string> parts;
  for (int i = 0; i < count; ++i) {
    const size_t from = item.size() * i / count, to = item.size() * (i + 1) / count;
    parts.push_back(item.substr(from, to - from));
  }
  std::string stored;
  std::vector<uint64_t> within(parts.size());  // where each piece lies in `stored`
  for (size_t i = parts.size(); i-- > 0;) {
    within[i] = stored.size();
    stored += parts[i] + std::string(3, '\x55');
  }
  const std::string image(exif.imageBytes, '\x66');

  const auto build = [&](uint64_t mdatData, uint64_t& metaSize) {
    const uint64_t storedAt = exif.inIdat ? 0 : (exif.atEnd ? mdatData + image.size() : mdatData);
    const uint64_t imageAt = exif.inIdat || exif.atEnd ? mdatData : mdatData + stored.size();
    std::vector<Piece> pieces;
    for (size_t i = 0; i < parts.size(); ++i) {
      // Length 0 without length fields: the extent runs to the end of the file or idat.
      pieces.push_back({storedAt + within[i], exif.lengthSize == 0 ? 0 : parts[i].size()});
    }
    std::string children = Handler("pict") + FullBox("pitm", 0, 0, Be16(1));
    std::string infe = FullBox("infe", 2, 0, Be16(1) + Be16(0) + "hvc1" + std::string(1, '\0'));
    infe += FullBox("infe", 2, 0, Be16(2) + Be16(0) + "Exif" + std::string(1, '\0'));
    children += FullBox("iinf", 0, 0, Be16(2) + infe);
    children += Iloc(exif, {imageAt, image.size()}, pieces, mdatData);
    std::string ipco, ipma;
    if (exif.width != 0 || exif.height != 0) {
      ipco = FullBox("ispe", 0, 0, Be32(exif.width) + Be32(exif.height));
      ipma = FullBox("ipma", 0, 0, Be32(1) + Be16(1) + Bytes({1, 0x81}));
    }
    children += Box("iprp", Box("ipco", ipco) + ipma);
    if (exif.inIdat) children += Box("idat", stored);
    const std::string meta =
        exif.quickTimeMeta ? Box("meta", children) : FullBox("meta", 0, 0, children);
    metaSize = meta.size();
    return meta;
  };
  const std::string ftyp = Ftyp("heic", {"mif1", "heic"});
  uint64_t metaSize = 0;
  build(0, metaSize);  // the sizes do not depend on the offsets
  const uint64_t mdatData = ftyp.size() + metaSize + 8;
  const std::string meta = build(mdatData, metaSize);
  const std::string mdat = exif.inIdat ? image : (exif.atEnd ? image + stored : stored + image);
  return ftyp + meta + Box("mdat", mdat);
}

// --- CR3 -------------------------------------------------------------------------------

std::string Cr3File(const std::string& cmt1, const std::string& cmt2, size_t imageBytes) {
  std::string canon = Box("CNCV", "CanonCR3_001/00.09.00/00.00.00");
  if (!cmt1.empty()) canon += Box("CMT1", cmt1);
  if (!cmt2.empty()) canon += Box("CMT2", cmt2);
  canon += Box("THMB", std::string(64, '\x33'));
  const std::string moov =
      Box("moov", Box("uuid", kCanonUuid + canon) + FullBox("mvhd", 0, 0, std::string(96, '\0')));
  return Ftyp("crx ", {"crx ", "isom"}) + moov + Box("mdat", std::string(imageBytes, '\x77'));
}

// --- MP4 -------------------------------------------------------------------------------

uint64_t MovieSeconds(int year, int month, int day, int hour, int minute, int second) {
  const int64_t days = DaysFrom1970(year, month, day) - DaysFrom1970(1904, 1, 1);
  return static_cast<uint64_t>(days * 86400 + hour * 3600 + minute * 60 + second);
}

std::string Mp4File(const Mp4Spec& spec) {
  const std::string rest = std::string(80, '\0');  // rate, volume, matrix, next track id
  const std::string mvhd =
      spec.mvhdVersion == 1
          ? FullBox("mvhd", 1, 0,
                    Be64(spec.created) + Be64(spec.created) + Be32(600) + Be64(6000) + rest)
          : FullBox("mvhd", 0, 0,
                    Be32(static_cast<uint32_t>(spec.created)) +
                        Be32(static_cast<uint32_t>(spec.created)) + Be32(600) + Be32(6000) + rest);
  std::string moov = mvhd;
  uint32_t id = 1;
  for (const Mp4Track& track : spec.tracks) {
    std::string times = track.version == 1 ? Be64(0) + Be64(0) + Be32(id) + Be32(0) + Be64(6000)
                                           : Be32(0) + Be32(0) + Be32(id) + Be32(0) + Be32(6000);
    const std::string matrix = Be32(0x10000) + Be32(0) + Be32(0) + Be32(0) + Be32(0x10000) +
                               Be32(0) + Be32(0) + Be32(0) + Be32(0x40000000);
    const std::string tkhd =
        FullBox("tkhd", static_cast<uint8_t>(track.version), 3,
                times + std::string(8, '\0') + Be16(0) + Be16(0) + Be16(0) + Be16(0) + matrix +
                    Be32(track.width << 16) + Be32(track.height << 16));
    const std::string mdia =
        Box("mdia", FullBox("mdhd", 0, 0, std::string(20, '\0')) + Handler(track.handler) +
                        Box("minf", Box("stbl", std::string(spec.sampleTableBytes, '\0'))));
    moov += Box("trak", tkhd + mdia);
    ++id;
  }
  std::vector<std::pair<std::string, std::string>> entries;
  if (!spec.appleDate.empty())
    entries.push_back({"com.apple.quicktime.creationdate", spec.appleDate});
  if (!spec.appleModel.empty()) entries.push_back({"com.apple.quicktime.model", spec.appleModel});
  if (!spec.appleContentIdentifier.empty())
    entries.push_back({"com.apple.quicktime.content.identifier", spec.appleContentIdentifier});
  if (!entries.empty()) {
    // An entry nobody reads comes first, so that the wanted keys are not number 1.
    entries.insert(entries.begin(), {"com.apple.quicktime.software", "18.5"});
    std::string keys = Be32(static_cast<uint32_t>(entries.size()));
    std::string list;
    for (size_t i = 0; i < entries.size(); ++i) {
      keys += Be32(static_cast<uint32_t>(8 + entries[i].first.size())) + "mdta" + entries[i].first;
      list += Box(Be32(static_cast<uint32_t>(i + 1)),
                  Box("data", Be32(1) + Be32(0) + entries[i].second));
    }
    const std::string children = Handler("mdta") + FullBox("keys", 0, 0, keys) + Box("ilst", list);
    moov += spec.metaInUdta ? Box("udta", FullBox("meta", 0, 0, children)) : Box("meta", children);
  }
  const std::string movie = Box("moov", moov);
  const std::string media = Box("mdat", std::string(spec.mediaBytes, '\x11'));
  const std::string ftyp = spec.brand.empty() ? "" : Ftyp(spec.brand, {spec.brand});
  return ftyp + (spec.moovAtEnd ? Box("wide", "") + media + movie : movie + media);
}

// --- PNG -------------------------------------------------------------------------------

namespace {

uint32_t Crc32(const std::string& bytes) {
  static const std::array<uint32_t, 256> table = [] {
    std::array<uint32_t, 256> t{};
    for (uint32_t n = 0; n < 256; ++n) {
      uint32_t c = n;
      for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      t[n] = c;
    }
    return t;
  }();
  uint32_t c = 0xFFFFFFFFu;
  for (char b : bytes) c = table[(c ^ static_cast<uint8_t>(b)) & 0xFF] ^ (c >> 8);
  return c ^ 0xFFFFFFFFu;
}

}  // namespace

std::string PngChunk(const std::string& type, const std::string& data) {
  return Be32(static_cast<uint32_t>(data.size())) + type + data + Be32(Crc32(type + data));
}

std::string PngFile(uint32_t width, uint32_t height, const std::string& chunks) {
  const std::string ihdr = Be32(width) + Be32(height) + Bytes({8, 2, 0, 0, 0});
  return "\x89PNG\r\n\x1A\n" + PngChunk("IHDR", ihdr) + chunks + PngChunk("IEND", "");
}

std::string PngImageData(size_t bytes, size_t chunkBytes) {
  std::string chunks;
  for (size_t done = 0; done < bytes; done += chunkBytes)
    chunks += PngChunk("IDAT", std::string(std::min(chunkBytes, bytes - done), '\x78'));
  return chunks;
}

}  // namespace test
