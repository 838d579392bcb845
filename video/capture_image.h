#pragma once
// Encoding a captured picture as a BMP, JPEG (quality 90) or PNG file image
// in memory. Plain C++ over libjpeg and libpng; safe on any thread.
#include <cstdint>
#include <string>
#include <vector>

namespace video {

// The formats of CaptureType: 0 BMP, 1 JPEG, 2 PNG.
enum class CaptureFormat { Bmp = 0, Jpeg = 1, Png = 2 };

// A picture as rows of 4-byte B, G, R, X pixels, top row first, no padding.
struct CapturePicture {
  int widthPx = 0;
  int heightPx = 0;
  std::vector<uint8_t> bgrx;
};

// True when the picture has a size and exactly width x height x 4 bytes.
bool pictureConsistent(const CapturePicture& picture);

// The whole file image of the picture in the format: a 24-bit bottom-up BMP,
// a baseline JPEG at quality 90, or an 8-bit RGB PNG. False (bytes cleared)
// for an inconsistent picture or an encoder failure.
bool encodePicture(const CapturePicture& picture, CaptureFormat format, std::string& bytes);

}  // namespace video
