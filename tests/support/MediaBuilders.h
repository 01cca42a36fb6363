#pragma once

#include <cstdint>
#include <string>

namespace test {

// --- JPEG ---------------------------------------------------------------------------
// A marker segment: FF, marker, big-endian length (payload + 2), payload.
std::string JpegSegment(uint8_t marker, const std::string& payload);
// The APP1 segment that carries a TIFF block: "Exif", two zero bytes, the block.
std::string ExifApp1(const std::string& tiff);
// FF D8, the segments, some entropy-coded bytes, FF D9.
std::string JpegFile(const std::string& segments, size_t imageBytes = 64);

// --- RIFF ---------------------------------------------------------------------------
// Identifier, little-endian size, data, a pad byte when the size is odd.
std::string RiffChunk(const std::string& id, const std::string& data);
// The same with a size field that need not match the data.
std::string RiffChunkSized(const std::string& id, uint32_t size, const std::string& data);
std::string RiffList(const std::string& type, const std::string& chunks);
// "RIFF", size, form type ("AVI " or "WAVE"), chunks.
std::string RiffFile(const std::string& form, const std::string& chunks);
// The 56-byte AVI main header with this frame size.
std::string AviMainHeader(int32_t width, int32_t height);

// --- files as cameras write them, for benchmarks and seeds ----------------------------
// A camera JPEG: JFIF APP0, Exif APP1 with IFD0, Exif IFD, maker note and thumbnail,
// quantisation tables and about 2 MB of image data.
std::string CameraJpeg();
// A big-endian TIFF-based raw file (as Nikon writes them) of about 4 MB.
std::string CameraRaw();
// An AVI clip with avih, IDIT and ISFT in its header list and about 2 MB of frames.
std::string CameraAvi();
// A phone's HEIC: about 2 MB of image data with the Exif item (the camera JPEG's TIFF
// block) after it, as phones write them.
std::string CameraHeic();
// A phone's clip: 30 MB of media data, then a moov with two tracks whose sample tables
// take 256 KB, and Apple's keys.
std::string CameraMp4();

}  // namespace test
