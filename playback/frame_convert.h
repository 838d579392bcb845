#pragma once
// Turns one decoded picture (planar YUV or 32-bit BGRx) into a 32-bit BGRx
// picture of any size, scaling and converting in one pass with libyuv.
// Plain C++; one converter per consumer (it keeps scratch buffers).
#include <cstdint>
#include <vector>

#include "playback/engine.h"
#include "playback/plane_scale.h"

namespace libyuv {
struct YuvConstants;
}

namespace playback {

enum class PixelLayout {
  I420,  // Y, U, V planes, chroma halved both ways
  YV12,  // Y, V, U planes, chroma halved both ways
  NV12,  // Y plane, interleaved UV plane halved both ways
  I422,  // Y, U, V planes, chroma halved horizontally
  I444,  // Y, U, V planes, full chroma
  BGRx,  // one plane, 4 bytes per pixel
};

// Which YUV to RGB matrix the picture was made with.
enum class YuvMatrix { Bt601, Bt601Full, Bt709, Bt709Full };

struct PlanarFrame {
  PixelLayout layout = PixelLayout::I420;
  int widthPx = 0;
  int heightPx = 0;
  const uint8_t* planes[3] = {nullptr, nullptr, nullptr};
  int strides[3] = {0, 0, 0};  // bytes per row of each plane
  YuvMatrix matrix = YuvMatrix::Bt601;
};

class FrameConverter {
 public:
  // Fills the target's rows with the frame, scaled bilinearly when the sizes
  // differ by more than 1 % on a side, and by taking the nearest source pixel
  // when they differ by less. frameId names the frame (0: unnamed); converting the
  // same named frame to the same size again reuses the scaled planes of the last call, so only the
  // rows asked for are converted. False (target untouched) for empty or inconsistent input.
  bool convert(const PlanarFrame& frame, const FrameTarget& target, uint64_t frameId = 0);

 private:
  bool convertNearest(PixelLayout layout, const uint8_t* const planes[3], const int strides[3],
                      int widthPx, int heightPx, const FrameTarget& target, int clipLeft,
                      int clipTop, int clipWidth, int clipHeight,
                      const libyuv::YuvConstants* constants);

  std::vector<uint8_t> scratch_;   // scaled planes, reused for every frame
  std::vector<uint8_t> scratch2_;  // NV12 unpacked to three planes
  PlaneScaler planeScalers_[3];    // one per plane: each keeps its column table
  // Target rows or columns [target, target + length) taken from the source's
  // [source, source + length), for a nearest-pixel conversion.
  struct Run {
    int target, source, length;
  };
  static void nearestRuns(int from, int count, int targetSize, int sourceSize,
                          std::vector<Run>& runs);
  std::vector<Run> rowRuns_, columnRuns_;
  // The frame and size scratch_ holds, valid after a scaled conversion.
  uint64_t scaledId_ = 0;
  int scaledWidthPx_ = 0, scaledHeightPx_ = 0;
};

}  // namespace playback
