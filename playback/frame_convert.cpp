#include "playback/frame_convert.h"

#include <libyuv.h>

#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <cstring>

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

// The part of the target to write, with its left and top edges made even
// so that pixels sharing a chroma sample are converted together.
struct Clip {
  int left = 0, top = 0, width = 0, height = 0;
};

Clip clipOf(const FrameTarget& t) {
  const int left = std::clamp(t.clipLeft, 0, t.widthPx) & ~1;
  const int top = std::clamp(t.clipTop, 0, t.heightPx) & ~1;
  const int right =
      t.clipWidth < 0 ? t.widthPx : std::clamp(t.clipLeft + t.clipWidth, 0, t.widthPx);
  const int bottom =
      t.clipHeight < 0 ? t.heightPx : std::clamp(t.clipTop + t.clipHeight, 0, t.heightPx);
  return {left, top, std::max(0, right - left), std::max(0, bottom - top)};
}

bool empty(const Clip& c) {
  return c.width == 0 || c.height == 0;
}

uint8_t* outAt(const FrameTarget& t, const Clip& c) {
  return t.pixels + ptrdiff_t(c.top) * t.strideBytes + ptrdiff_t(c.left) * 4;
}

// The planes moved to luma pixel (left, top), both even, of a layout.
Planes at(PixelLayout layout, Planes p, int left, int top) {
  const int chromaTop = layout == PixelLayout::I420 ? top / 2 : top;
  const int chromaLeft = layout == PixelLayout::I444 ? left : left / 2;
  p.y += ptrdiff_t(top) * p.sy + left;
  p.u += ptrdiff_t(chromaTop) * p.su + chromaLeft;
  p.v += ptrdiff_t(chromaTop) * p.sv + chromaLeft;
  return p;
}

// Converts the clipped part of three planes of the frame's own layout (I420,
// I422 or I444), already at the target size, into the same part of the target.
bool toBgrx(PixelLayout layout, const Planes& whole, const FrameTarget& t, const Clip& c,
            const libyuv::YuvConstants* k) {
  if (empty(c)) return true;
  const Planes p = at(layout, whole, c.left, c.top);
  uint8_t* out = outAt(t, c);
  switch (layout) {
    case PixelLayout::I444:
      return libyuv::I444ToARGBMatrix(p.y, p.sy, p.u, p.su, p.v, p.sv, out, t.strideBytes, k,
                                      c.width, c.height) == 0;
    case PixelLayout::I422:
      return libyuv::I422ToARGBMatrix(p.y, p.sy, p.u, p.su, p.v, p.sv, out, t.strideBytes, k,
                                      c.width, c.height) == 0;
    default:
      return libyuv::I420ToARGBMatrix(p.y, p.sy, p.u, p.su, p.v, p.sv, out, t.strideBytes, k,
                                      c.width, c.height) == 0;
  }
}

// At the frame's own width and within 1 % of its height (a window at the
// movie's own size, where the aspect ratio kept to hundredths trims a row or
// two), a target row takes its nearest source row: a row is dropped or
// repeated now and then instead of every row being blended with its
// neighbour, which keeps the picture as sharp as at 1:1, needs no scaled copy
// of the planes and costs what a 1:1 conversion costs. (Columns are not done
// this way: blocks split between columns cost more than scaling.)
bool nearlySame(int from, int to) {
  return int64_t(std::abs(from - to)) * 100 <= from;
}

// The source index whose centre is nearest the centre of target index i.
int nearestSource(int i, int targetSize, int sourceSize) {
  return int(std::min<int64_t>((int64_t(2) * i + 1) * sourceSize / (int64_t(2) * targetSize),
                               sourceSize - 1));
}

// Rows of n pixels of a layout (YV12 already swapped to I420) into BGRx. The
// plane pointers are at the first row; with chroma halved in height, the
// first row pairs with the row below it.
bool blockToBgrx(PixelLayout layout, const uint8_t* const p[3], const int stride[3], uint8_t* out,
                 int outStride, int n, int rows, const libyuv::YuvConstants* k) {
  switch (layout) {
    case PixelLayout::BGRx:
      return libyuv::ARGBCopy(p[0], stride[0], out, outStride, n, rows) == 0;
    case PixelLayout::NV12:
      return libyuv::NV12ToARGBMatrix(p[0], stride[0], p[1], stride[1], out, outStride, k, n,
                                      rows) == 0;
    case PixelLayout::I444:
      return libyuv::I444ToARGBMatrix(p[0], stride[0], p[1], stride[1], p[2], stride[2], out,
                                      outStride, k, n, rows) == 0;
    case PixelLayout::I422:
      return libyuv::I422ToARGBMatrix(p[0], stride[0], p[1], stride[1], p[2], stride[2], out,
                                      outStride, k, n, rows) == 0;
    default:
      return libyuv::I420ToARGBMatrix(p[0], stride[0], p[1], stride[1], p[2], stride[2], out,
                                      outStride, k, n, rows) == 0;
  }
}

bool halfHeightChroma(PixelLayout layout) {
  return layout == PixelLayout::I420 || layout == PixelLayout::NV12;
}

// The plane pointers at source pixel (x, y), x even: its luma and its chroma.
void planesAt(PixelLayout layout, const uint8_t* const planes[3], const int strides[3], int x,
              int y, const uint8_t* p[3]) {
  const int cy = halfHeightChroma(layout) ? y / 2 : y;
  // NV12 interleaves a U, V pair for every two pixels.
  const int cx = layout == PixelLayout::I444 || layout == PixelLayout::NV12 ? x : x / 2;
  p[0] = planes[0] + ptrdiff_t(y) * strides[0] + (layout == PixelLayout::BGRx ? x * 4 : x);
  for (int i = 1; i < 3; ++i)
    p[i] = planes[i] ? planes[i] + ptrdiff_t(cy) * strides[i] + cx : nullptr;
}

}  // namespace

// Splits the target indices [from, from + count) into runs whose nearest
// source indices follow one another, so that each run is one block copy or
// conversion; at the movie's size there are only a few.
void FrameConverter::nearestRuns(int from, int count, int targetSize, int sourceSize,
                                 std::vector<Run>& runs) {
  runs.clear();
  for (int i = from; i < from + count; ++i) {
    const int s = nearestSource(i, targetSize, sourceSize);
    if (!runs.empty() && runs.back().source + runs.back().length == s)
      ++runs.back().length;
    else
      runs.push_back({i, s, 1});
  }
}

bool FrameConverter::convertNearest(PixelLayout layout, const uint8_t* const planes[3],
                                    const int strides[3], int heightPx, const FrameTarget& t,
                                    int clipLeft, int clipTop, int clipWidth, int clipHeight,
                                    const libyuv::YuvConstants* k) {
  if (clipWidth == 0 || clipHeight == 0) return true;
  nearestRuns(clipTop, clipHeight, t.heightPx, heightPx, rowRuns_);
  const auto rows = [&](int row, int sourceRow, int count) {
    const uint8_t* p[3];
    planesAt(layout, planes, strides, clipLeft, sourceRow, p);
    return blockToBgrx(layout, p, strides,
                       t.pixels + ptrdiff_t(row) * t.strideBytes + ptrdiff_t(clipLeft) * 4,
                       t.strideBytes, clipWidth, count, k);
  };
  for (Run r : rowRuns_) {
    // A run starting on an odd row of halved chroma converts that row alone,
    // so the rest pairs its rows as the picture does.
    if (halfHeightChroma(layout) && r.source % 2 != 0) {
      if (!rows(r.target, r.source, 1)) return false;
      ++r.target;
      ++r.source;
      --r.length;
    }
    if (r.length > 0 && !rows(r.target, r.source, r.length)) return false;
  }
  return true;
}

bool FrameConverter::convert(const PlanarFrame& f, const FrameTarget& t, uint64_t frameId) {
  if (!t.pixels || t.widthPx <= 0 || t.heightPx <= 0 || t.strideBytes < t.widthPx * 4) return false;
  if (f.widthPx <= 0 || f.heightPx <= 0 || !f.planes[0]) return false;
  const bool sameSize = f.widthPx == t.widthPx && f.heightPx == t.heightPx;
  const Clip clip = clipOf(t);

  const bool near =
      !sameSize && nearlySame(f.widthPx, t.widthPx) && nearlySame(f.heightPx, t.heightPx);

  if (f.layout == PixelLayout::BGRx) {
    if (f.strides[0] < f.widthPx * 4) return false;
    if (empty(clip)) return true;
    if (near)
      return convertNearest(f.layout, f.planes, f.strides, f.heightPx, t, clip.left, clip.top,
                            clip.width, clip.height, nullptr);
    if (sameSize)
      return libyuv::ARGBCopy(f.planes[0] + ptrdiff_t(clip.top) * f.strides[0] + clip.left * 4,
                              f.strides[0], outAt(t, clip), t.strideBytes, clip.width,
                              clip.height) == 0;
    return libyuv::ARGBScaleClip(f.planes[0], f.strides[0], f.widthPx, f.heightPx, t.pixels,
                                 t.strideBytes, t.widthPx, t.heightPx, clip.left, clip.top,
                                 clip.width, clip.height, libyuv::kFilterBilinear) == 0;
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
  if (layout == PixelLayout::NV12 && sameSize) {
    if (empty(clip)) return true;
    // The interleaved chroma row holds a U, V pair for every two pixels.
    return libyuv::NV12ToARGBMatrix(src.y + ptrdiff_t(clip.top) * src.sy + clip.left, src.sy,
                                    src.u + ptrdiff_t(clip.top / 2) * src.su + clip.left, src.su,
                                    outAt(t, clip), t.strideBytes, k, clip.width, clip.height) == 0;
  }
  if (sameSize) return toBgrx(layout, src, t, clip, k);
  if (near) {
    const uint8_t* planes[3] = {src.y, src.u, layout == PixelLayout::NV12 ? nullptr : src.v};
    const int strides[3] = {src.sy, src.su, src.sv};
    return convertNearest(layout, planes, strides, f.heightPx, t, clip.left, clip.top, clip.width,
                          clip.height, k);
  }

  int cw = 0, ch = 0;
  const PixelLayout scaledLayout = layout == PixelLayout::NV12 ? PixelLayout::I420 : layout;
  chromaSize(scaledLayout, t.widthPx, t.heightPx, cw, ch);
  const size_t ySize = size_t(t.widthPx) * t.heightPx, cSize = size_t(cw) * ch;
  const bool cached = frameId != 0 && frameId == scaledId_ && t.widthPx == scaledWidthPx_ &&
                      t.heightPx == scaledHeightPx_ && scratch_.size() >= ySize + 2 * cSize;
  if (!cached) {
    scaledId_ = 0;
    if (layout == PixelLayout::NV12) {
      // Unpack the interleaved chroma once, then scale as I420.
      int fcw = 0, fch = 0;
      chromaSize(PixelLayout::I420, f.widthPx, f.heightPx, fcw, fch);
      const size_t fySize = size_t(f.widthPx) * f.heightPx, fcSize = size_t(fcw) * fch;
      scratch2_.resize(fySize + 2 * fcSize);
      uint8_t* y = scratch2_.data();
      uint8_t* u = y + fySize;
      uint8_t* v = u + fcSize;
      if (libyuv::NV12ToI420(src.y, src.sy, src.u, src.su, y, f.widthPx, u, fcw, v, fcw, f.widthPx,
                             f.heightPx) != 0)
        return false;
      src = {y, u, v, f.widthPx, fcw, fcw};
    }
    // Scale the planes first: scaling down before converting touches fewer
    // pixels. The scaled planes stay for repaints of the same frame.
    scratch_.resize(ySize + 2 * cSize);
    uint8_t* y = scratch_.data();
    uint8_t* u = y + ySize;
    uint8_t* v = u + cSize;
    int r = -1;
    const auto filter = libyuv::kFilterBilinear;
    switch (scaledLayout) {
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
    scaledId_ = frameId;
    scaledWidthPx_ = t.widthPx;
    scaledHeightPx_ = t.heightPx;
  }
  uint8_t* y = scratch_.data();
  return toBgrx(scaledLayout, {y, y + ySize, y + ySize + cSize, t.widthPx, cw, cw}, t, clip, k);
}

}  // namespace playback
