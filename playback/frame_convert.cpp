#include "playback/frame_convert.h"

#include <libyuv.h>

#include <algorithm>
#include <cstddef>
#include <cstdlib>

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

// Within 1 % of the frame's own size on both sides (a window at the movie's
// own size, where the aspect ratio kept to hundredths trims a row or a column
// or two), a target pixel takes its nearest source pixel: a row or column is
// dropped or repeated now and then instead of every pixel being blended with
// its neighbours, which keeps the picture as sharp as at 1:1 and needs no
// scaled copy of the planes. The picture is converted in blocks of rows and
// columns that follow one another in the source.
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

bool halfWidthChroma(PixelLayout layout) {
  return layout != PixelLayout::I444 && layout != PixelLayout::BGRx;
}

bool halfHeightChroma(PixelLayout layout) {
  return layout == PixelLayout::I420 || layout == PixelLayout::NV12;
}

// The plane pointers at source pixel (x, y): its luma and the chroma it uses.
void planesAt(PixelLayout layout, const uint8_t* const planes[3], const int strides[3], int x,
              int y, const uint8_t* p[3]) {
  const int cy = halfHeightChroma(layout) ? y / 2 : y;
  // NV12 interleaves a U, V pair for every two pixels.
  const int cx = layout == PixelLayout::I444 ? x : layout == PixelLayout::NV12 ? x / 2 * 2 : x / 2;
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
                                    const int strides[3], int widthPx, int heightPx,
                                    const FrameTarget& t, int clipLeft, int clipTop, int clipWidth,
                                    int clipHeight, const libyuv::YuvConstants* k) {
  nearestRuns(clipTop, clipHeight, t.heightPx, heightPx, rowRuns_);
  nearestRuns(clipLeft, clipWidth, t.widthPx, widthPx, columnRuns_);
  // Target rows [row, row + count) from the source's rows [sourceRow, ...):
  // one block per run of columns. A run starting on an odd pixel of halved
  // chroma would split a pixel pair, so it starts a pixel early, on the last
  // target pixel of the run to its left, which is converted after it and
  // writes that pixel again; the clip's first run converts its odd pixel alone.
  const auto rows = [&](int row, int sourceRow, int count) {
    uint8_t* out = t.pixels + ptrdiff_t(row) * t.strideBytes;
    const uint8_t* p[3];
    for (auto it = columnRuns_.rbegin(); it != columnRuns_.rend(); ++it) {
      Run c = *it;
      if (halfWidthChroma(layout) && c.source % 2 != 0) {
        if (c.target > clipLeft) {
          --c.target;
          --c.source;
          ++c.length;
        } else {
          planesAt(layout, planes, strides, c.source, sourceRow, p);
          if (!blockToBgrx(layout, p, strides, out + ptrdiff_t(c.target) * 4, t.strideBytes, 1,
                           count, k))
            return false;
          ++c.target;
          ++c.source;
          if (--c.length == 0) continue;
        }
      }
      planesAt(layout, planes, strides, c.source, sourceRow, p);
      if (!blockToBgrx(layout, p, strides, out + ptrdiff_t(c.target) * 4, t.strideBytes, c.length,
                       count, k))
        return false;
    }
    return true;
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
  if (f.layout == PixelLayout::BGRx
          ? f.strides[0] < f.widthPx * 4
          : !f.planes[1] || (f.layout != PixelLayout::NV12 && !f.planes[2]))
    return false;
  const Clip clip = clipOf(t);
  if (empty(clip)) return true;
  const libyuv::YuvConstants* k = constantsFor(f.matrix);

  // YV12 is I420 with its chroma planes the other way round.
  PixelLayout layout = f.layout;
  const uint8_t* planes[3] = {f.planes[0], f.planes[1], f.planes[2]};
  int strides[3] = {f.strides[0], f.strides[1], f.strides[2]};
  if (layout == PixelLayout::YV12) {
    std::swap(planes[1], planes[2]);
    std::swap(strides[1], strides[2]);
    layout = PixelLayout::I420;
  }
  if (layout == PixelLayout::NV12) planes[2] = nullptr;

  const uint8_t* p[3];
  if (f.widthPx == t.widthPx && f.heightPx == t.heightPx) {
    planesAt(layout, planes, strides, clip.left, clip.top, p);
    return blockToBgrx(layout, p, strides, outAt(t, clip), t.strideBytes, clip.width, clip.height,
                       k);
  }
  if (nearlySame(f.widthPx, t.widthPx) && nearlySame(f.heightPx, t.heightPx))
    return convertNearest(layout, planes, strides, f.widthPx, f.heightPx, t, clip.left, clip.top,
                          clip.width, clip.height, k);
  if (layout == PixelLayout::BGRx)
    return libyuv::ARGBScaleClip(planes[0], strides[0], f.widthPx, f.heightPx, t.pixels,
                                 t.strideBytes, t.widthPx, t.heightPx, clip.left, clip.top,
                                 clip.width, clip.height, libyuv::kFilterBilinear) == 0;

  int cw = 0, ch = 0;
  const PixelLayout scaledLayout = layout == PixelLayout::NV12 ? PixelLayout::I420 : layout;
  chromaSize(scaledLayout, t.widthPx, t.heightPx, cw, ch);
  const size_t ySize = size_t(t.widthPx) * t.heightPx, cSize = size_t(cw) * ch;
  const bool cached = frameId != 0 && frameId == scaledId_ && t.widthPx == scaledWidthPx_ &&
                      t.heightPx == scaledHeightPx_ && scratch_.size() >= ySize + 2 * cSize;
  if (!cached) {
    scaledId_ = 0;
    int fcw = 0, fch = 0;  // the source's chroma size
    chromaSize(scaledLayout, f.widthPx, f.heightPx, fcw, fch);
    if (layout == PixelLayout::NV12) {
      // Unpack the interleaved chroma once, then scale as I420.
      const size_t fySize = size_t(f.widthPx) * f.heightPx, fcSize = size_t(fcw) * fch;
      scratch2_.resize(fySize + 2 * fcSize);
      uint8_t* y = scratch2_.data();
      if (libyuv::NV12ToI420(planes[0], strides[0], planes[1], strides[1], y, f.widthPx, y + fySize,
                             fcw, y + fySize + fcSize, fcw, f.widthPx, f.heightPx) != 0)
        return false;
      planes[0] = y;
      planes[1] = y + fySize;
      planes[2] = y + fySize + fcSize;
      strides[0] = f.widthPx;
      strides[1] = strides[2] = fcw;
    }
    // Scale the planes first: scaling down before converting touches fewer
    // pixels. The scaled planes stay for repaints of the same frame.
    scratch_.resize(ySize + 2 * cSize);
    uint8_t* y = scratch_.data();
    uint8_t* u = y + ySize;
    uint8_t* v = u + cSize;
    if (PlaneScaler::fast()) {
      // The same bilinear filter as libyuv's, four times faster across.
      if (!planeScalers_[0].scale(planes[0], strides[0], f.widthPx, f.heightPx, y, t.widthPx,
                                  t.widthPx, t.heightPx) ||
          !planeScalers_[1].scale(planes[1], strides[1], fcw, fch, u, cw, cw, ch) ||
          !planeScalers_[2].scale(planes[2], strides[2], fcw, fch, v, cw, cw, ch))
        return false;
    } else {
      const auto scale = scaledLayout == PixelLayout::I444   ? libyuv::I444Scale
                         : scaledLayout == PixelLayout::I422 ? libyuv::I422Scale
                                                             : libyuv::I420Scale;
      if (scale(planes[0], strides[0], planes[1], strides[1], planes[2], strides[2], f.widthPx,
                f.heightPx, y, t.widthPx, u, cw, v, cw, t.widthPx, t.heightPx,
                libyuv::kFilterBilinear) != 0)
        return false;
    }
    scaledId_ = frameId;
    scaledWidthPx_ = t.widthPx;
    scaledHeightPx_ = t.heightPx;
  }
  const uint8_t* scaled[3] = {scratch_.data(), scratch_.data() + ySize,
                              scratch_.data() + ySize + cSize};
  const int scaledStrides[3] = {t.widthPx, cw, cw};
  planesAt(scaledLayout, scaled, scaledStrides, clip.left, clip.top, p);
  return blockToBgrx(scaledLayout, p, scaledStrides, outAt(t, clip), t.strideBytes, clip.width,
                     clip.height, k);
}

}  // namespace playback
