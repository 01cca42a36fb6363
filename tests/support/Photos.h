#pragma once

#include <cstdint>
#include <string>
#include <utility>

#include "tests/support/TiffBuilder.h"

namespace test {

// What a camera JPEG carries for the rename pass; empty texts and zero sizes are left out.
struct PhotoInfo {
  PhotoInfo(std::string dateTime = "", std::string original = "", std::string model = "",
            uint32_t width = 0, uint32_t height = 0, std::string salt = "")
      : dateTime(std::move(dateTime)),
        original(std::move(original)),
        model(std::move(model)),
        width(width),
        height(height),
        salt(std::move(salt)) {}

  std::string dateTime;           // 0x0132 in IFD0, "YYYY:MM:DD HH:MM:SS"
  std::string original;           // 0x9003 in the Exif IFD
  std::string model;              // 0x0110 in IFD0
  uint32_t width = 0;             // 0xA002
  uint32_t height = 0;            // 0xA003
  std::string salt;               // a comment segment that makes otherwise equal files differ
  std::string contentIdentifier;  // an Apple maker note with a Live Photo's identifier
};

// A small JPEG with an Exif block holding the given values.
std::string Photo(const PhotoInfo& info);
// The TIFF block of those values, as the other builders take it.
std::string PhotoTiff(const PhotoInfo& info, ByteOrder order);
// A camera raw (TIFF-based, big-endian, as a NEF or CR2 is) holding the given values.
std::string Raw(const PhotoInfo& info);
// Apple's maker note: "Apple iOS", and an IFD with the content identifier (tag 0x0011).
std::string AppleMakerNote(const std::string& identifier);

}  // namespace test
