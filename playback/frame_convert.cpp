#include "playback/frame_convert.h"

#include <libyuv.h>

namespace playback {

namespace {

const libyuv::YuvConstants* constantsFor(YuvMatrix m) {
  switch (m) {
    case YuvMatrix::Bt601Full:
      return &libyuv::kYuvJPEGConstants;
    case YuvMatrix::Bt709:
      return &libyuv::kYuvH709Constants;
    case YuvMatrix::Bt709Full:
      return &libyuv::kYuvF709Constants;
    case YuvMatrix::Bt601:
      break;
  }
  return &libyuv::kYuvI601Constants;
}

// Chroma plane size for a layout at a given luma size.
void chromaSize(PixelLayout layout, int w, int h, int& cw, int& ch) {
  switch (layout) {
    case PixelLayout::I444:
      cw = w;
      ch = h;
      return;
    case PixelLayout::I422:
      cw = (w + 1) / 2;
      ch = h;
      return;
    default:
      cw = (w + 1) / 2;
      ch = (h + 1) / 2;
  }
}

struct Planes {
  const uint8_t* y;
  const uint8_t* u;
  const uint8_t* v;
  int sy, su, sv;
};

// Converts three planes of the frame's own layout (I420, I422 or I444) at the
// target size into the target.
bool toBgrx(PixelLayout layout, const Planes& p, const FrameTarget& t,
            const libyuv::YuvConstants* k) {
  switch (layout) {
    case PixelLayout::I444:
      return libyuv::I444ToARGBMatrix(p.y, p.sy, p.u, p.su, p.v, p.sv, t.pixels, t.strideBytes, k,
                                      t.widthPx, t.heightPx) == 0;
    case PixelLayout::I422:
      return libyuv::I422ToARGBMatrix(p.y, p.sy, p.u, p.su, p.v, p.sv, t.pixels, t.strideBytes, k,
                                      t.widthPx, t.heightPx) == 0;
    default:
      return libyuv::I420ToARGBMatrix(p.y, p.sy, p.u, p.su, p.v, p.sv, t.pixels, t.strideBytes, k,
                                      t.widthPx, t.heightPx) == 0;
  }
}

}  // namespace

bool FrameConverter::convert(const PlanarFrame& f, const FrameTarget& t) {
  if (!t.pixels || t.widthPx <= 0 || t.heightPx <= 0 || t.strideBytes < t.widthPx * 4) return false;
  if (f.widthPx <= 0 || f.heightPx <= 0 || !f.planes[0]) return false;
  const bool sameSize = f.widthPx == t.widthPx && f.heightPx == t.heightPx;

  if (f.layout == PixelLayout::BGRx) {
    if (f.strides[0] < f.widthPx * 4) return false;
    if (sameSize)
      return libyuv::ARGBCopy(f.planes[0], f.strides[0], t.pixels, t.strideBytes, t.widthPx,
                              t.heightPx) == 0;
    return libyuv::ARGBScale(f.planes[0], f.strides[0], f.widthPx, f.heightPx, t.pixels,
                             t.strideBytes, t.widthPx, t.heightPx, libyuv::kFilterBilinear) == 0;
  }
  if (!f.planes[1] || (f.layout != PixelLayout::NV12 && !f.planes[2])) return false;
  const libyuv::YuvConstants* k = constantsFor(f.matrix);

  Planes src{f.planes[0], f.planes[1], f.planes[2], f.strides[0], f.strides[1], f.strides[2]};
  PixelLayout layout = f.layout;
  if (layout == PixelLayout::YV12) {
    std::swap(src.u, src.v);
    std::swap(src.su, src.sv);
    layout = PixelLayout::I420;
  }
  if (layout == PixelLayout::NV12) {
    if (sameSize)
      return libyuv::NV12ToARGBMatrix(src.y, src.sy, src.u, src.su, t.pixels, t.strideBytes, k,
                                      t.widthPx, t.heightPx) == 0;
    // Unpack the interleaved chroma once, then scale as I420.
    int cw = 0, ch = 0;
    chromaSize(PixelLayout::I420, f.widthPx, f.heightPx, cw, ch);
    const size_t ySize = size_t(f.widthPx) * f.heightPx, cSize = size_t(cw) * ch;
    scratch2_.resize(ySize + 2 * cSize);
    uint8_t* y = scratch2_.data();
    uint8_t* u = y + ySize;
    uint8_t* v = u + cSize;
    if (libyuv::NV12ToI420(src.y, src.sy, src.u, src.su, y, f.widthPx, u, cw, v, cw, f.widthPx,
                           f.heightPx) != 0)
      return false;
    src = {y, u, v, f.widthPx, cw, cw};
    layout = PixelLayout::I420;
  }
  if (sameSize) return toBgrx(layout, src, t, k);

  // Scale the planes first: scaling down before converting touches fewer pixels.
  int cw = 0, ch = 0;
  chromaSize(layout, t.widthPx, t.heightPx, cw, ch);
  const size_t ySize = size_t(t.widthPx) * t.heightPx, cSize = size_t(cw) * ch;
  scratch_.resize(ySize + 2 * cSize);
  uint8_t* y = scratch_.data();
  uint8_t* u = y + ySize;
  uint8_t* v = u + cSize;
  int r = -1;
  const auto filter = libyuv::kFilterBilinear;
  switch (layout) {
    case PixelLayout::I444:
      r = libyuv::I444Scale(src.y, src.sy, src.u, src.su, src.v, src.sv, f.widthPx, f.heightPx, y,
                            t.widthPx, u, cw, v, cw, t.widthPx, t.heightPx, filter);
      break;
    case PixelLayout::I422:
      r = libyuv::I422Scale(src.y, src.sy, src.u, src.su, src.v, src.sv, f.widthPx, f.heightPx, y,
                            t.widthPx, u, cw, v, cw, t.widthPx, t.heightPx, filter);
      break;
    default:
      r = libyuv::I420Scale(src.y, src.sy, src.u, src.su, src.v, src.sv, f.widthPx, f.heightPx, y,
                            t.widthPx, u, cw, v, cw, t.widthPx, t.heightPx, filter);
  }
  if (r != 0) return false;
  return toBgrx(layout, {y, u, v, t.widthPx, cw, cw}, t, k);
}

}  // namespace playback
