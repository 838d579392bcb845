#include "video/picture_commands.h"

#include <algorithm>
#include <cmath>

namespace video {

namespace {

// Indices into InterfaceTexts::Messages.
constexpr int kHorizontalPosition = 25;
constexpr int kVerticalPosition = 26;
constexpr int kCenter = 27;
constexpr int kPanScan = 32;
constexpr int kPanScanOff = 33;
constexpr int kAspectRatio = 34;
constexpr int kOriginal = 48;
constexpr int kFree = 49;
constexpr int kAutomaticPanScan = 51;

constexpr int kChangeScore = 5000;

int floorHalf(int v) {
  return static_cast<int>(std::floor(v / 2.0));
}
int ceilHalf(int v) {
  return static_cast<int>(std::ceil(v / 2.0));
}

// The rectangle for a surface after the window bounds change, pan-scan 0.
Rect layoutForResizedWindow(const PictureState& picture, const settings::Settings& settings,
                            const PlayerView& view, const Bounds& from, const Bounds& to) {
  const int surfaceWidth = view.SurfaceWidth + (to.width() - from.width());
  const int surfaceHeight = view.SurfaceHeight + (to.height() - from.height());
  return LayoutPicture(picture, settings.KeepAspectRatio, surfaceWidth, surfaceHeight, 0);
}

}  // namespace

void addToSettingsChangeScore(int& score, int delta) {
  const long long sum = static_cast<long long>(score) + delta;
  score = static_cast<int>(std::min<long long>(sum, 10000));
}

Rect currentLayout(const PictureState& picture, const settings::Settings& settings,
                   const PlayerView& view) {
  if (view.FullScreen)
    return LayoutPicture(picture, settings.KeepAspectRatio, view.MonitorWidth, view.MonitorHeight,
                         settings.PanScanSize);
  return LayoutPicture(picture, settings.KeepAspectRatio, view.SurfaceWidth, view.SurfaceHeight, 0);
}

std::string aspectRatioMessage(const texts::InterfaceTexts& t, const std::string& label) {
  return t.Messages[kAspectRatio] + ": " + label;
}

std::string panScanMessage(const texts::InterfaceTexts& t, int panScanSize, bool isExplicit) {
  if (!isExplicit) return t.Messages[kAutomaticPanScan] + " (" + std::to_string(panScanSize) + "%)";
  if (panScanSize == 0) return t.Messages[kPanScanOff];
  return t.Messages[kPanScan] + " " + std::to_string(panScanSize) + "%";
}

std::string horizontalPositionMessage(const texts::InterfaceTexts& t, int offsetX) {
  return t.Messages[kHorizontalPosition] + ": " + std::to_string(offsetX) + "%";
}

std::string verticalPositionMessage(const texts::InterfaceTexts& t, int offsetY) {
  return t.Messages[kVerticalPosition] + ": " + std::to_string(offsetY) + "%";
}

void setAspectRatio(const PictureState& picture, const settings::Settings& settings,
                    const PlayerView& view, const texts::InterfaceTexts& t,
                    const std::string& label, PictureCommandResult& result) {
  if (!view.WindowShowing || !view.GraphActive || view.Busy) return;
  result.Destination = currentLayout(picture, settings, view);
  result.resetVideoWindow = true;
  result.Osd = aspectRatioMessage(t, label);
}

void doPanScan(const PictureState& picture, const settings::Settings& settings,
               const PlayerView& view, const texts::InterfaceTexts& t, bool isExplicit,
               PictureCommandResult& result) {
  if (!view.WindowShowing || !view.GraphActive || view.Busy) return;
  result.uncheckMovieMode = true;
  result.Osd = panScanMessage(t, settings.PanScanSize, isExplicit);
  if (view.FullScreen) {
    result.Destination = LayoutPicture(picture, settings.KeepAspectRatio, view.MonitorWidth,
                                       view.MonitorHeight, settings.PanScanSize);
    result.repaint = true;
  }
}

RatioItem shownRatioItem(const PictureState& picture, bool keepAspectRatio) {
  if (!keepAspectRatio) return RatioItem::Free;
  // The ratios are set to these exact values, so a small tolerance suffices.
  auto is = [&picture](double r) { return std::abs(picture.PictureRatio - r) < 1e-6; };
  if (picture.VideoWidth > 0 && picture.VideoHeight > 0 &&
      is(nativeRatio(picture.VideoWidth, picture.VideoHeight)))
    return RatioItem::Original;
  if (is(1.78)) return RatioItem::Ratio16x9;
  if (is(1.33)) return RatioItem::Ratio4x3;
  if (is(1.0)) return RatioItem::Ratio1x1;
  return RatioItem::Custom;
}

PictureCommandResult ratioCommand(RatioItem item, PictureState& picture,
                                  settings::Settings& settings, const PlayerView& view,
                                  const texts::InterfaceTexts& t) {
  PictureCommandResult result;
  if (view.OpeningBusy || !view.GraphActive) return result;
  result.acted = true;
  result.checkRatioItem = item;
  result.uncheckMovieMode = true;

  const double oldRatio = picture.PictureRatio;
  const bool oldKeep = settings.KeepAspectRatio;
  std::optional<std::string> label;
  switch (item) {
    case RatioItem::Original:
      picture.PictureRatio = nativeRatio(picture.VideoWidth, picture.VideoHeight);
      label = t.Messages[kOriginal];
      break;
    case RatioItem::Ratio16x9:
      picture.PictureRatio = 1.78;  // exactly 1.78, not 16 / 9
      label = formatRatio(1.78, view.DecimalSeparator) + " (16:9)";
      break;
    case RatioItem::Ratio4x3:
      picture.PictureRatio = 1.33;
      label = formatRatio(1.33, view.DecimalSeparator) + " (4:3)";
      break;
    case RatioItem::Ratio1x1:
      picture.PictureRatio = 1.0;
      label = formatRatio(1.0, view.DecimalSeparator) + " (1:1)";
      break;
    case RatioItem::Free:
      label = t.Messages[kFree];
      break;
    case RatioItem::Custom:
      // Leaving "Free" re-lays the picture with its ratio at once; the dialog
      // then changes the ratio. The message names the ratio now in force.
      if (!oldKeep) label = formatRatio(usableRatio(picture.PictureRatio), view.DecimalSeparator);
      break;
  }
  settings.KeepAspectRatio = item != RatioItem::Free;
  if (picture.PictureRatio != oldRatio || settings.KeepAspectRatio != oldKeep)
    result.ScoreDelta = kChangeScore;
  if (label) setAspectRatio(picture, settings, view, t, *label, result);
  return result;
}

PictureCommandResult panInFullScreen(const PictureState& picture, settings::Settings& settings,
                                     const PlayerView& view, const texts::InterfaceTexts& t) {
  PictureCommandResult result;
  if (view.OpeningBusy || settings.PanScanSize >= kPanScanMax) return result;
  result.acted = true;
  settings.PanScanSize = std::max(settings.PanScanSize + 1, kPanScanMin);
  doPanScan(picture, settings, view, t, true, result);
  result.ScoreDelta = kChangeScore;
  return result;
}

PictureCommandResult panOutFullScreen(const PictureState& picture, settings::Settings& settings,
                                      const PlayerView& view, const texts::InterfaceTexts& t) {
  PictureCommandResult result;
  if (view.OpeningBusy || settings.PanScanSize < kPanScanMin + 1) return result;
  result.acted = true;
  settings.PanScanSize = std::min(settings.PanScanSize - 1, kPanScanMax);
  doPanScan(picture, settings, view, t, true, result);
  result.ScoreDelta = kChangeScore;
  return result;
}

PictureCommandResult panInWindow(const PictureState& picture, const settings::Settings& settings,
                                 const PlayerView& view, const Bounds& windowBounds,
                                 int screenWidth, int screenHeight) {
  PictureCommandResult result;
  if (view.Busy || view.OpeningBusy) return result;
  // Twice the corrected picture size, or the screen when that is larger.
  const CorrectedSize c =
      correctedSize(picture.VideoWidth, picture.VideoHeight, picture.PictureRatio);
  const int maxW = std::max(c.valid ? roundEven(2 * c.exactA) : 0, screenWidth);
  const int maxH = std::max(c.valid ? roundEven(2 * c.exactB) : 0, screenHeight);
  const int W = windowBounds.width();
  const int H = windowBounds.height();
  if (W < 1 || H < 1) return result;  // no shape to keep
  if (H >= maxH && W >= maxW) return result;
  const int h = std::max(std::min(maxW - W, 16), 0);
  if (h < 1) return result;
  const int newH = roundEvenQuotient(int64_t(H) * (W + h), W);  // H / W * (W + h)
  if (newH >= maxH) return result;
  const int grow = newH - H;
  Bounds next{windowBounds.Left - floorHalf(h), windowBounds.Top - floorHalf(grow),
              windowBounds.Right + ceilHalf(h), windowBounds.Bottom + ceilHalf(grow)};
  result.acted = true;
  result.WindowBounds = next;
  result.forgetZoomSize = true;
  result.Destination = layoutForResizedWindow(picture, settings, view, windowBounds, next);
  if (view.GraphActive) result.ScoreDelta = kChangeScore;
  return result;
}

PictureCommandResult panOutWindow(const PictureState& picture, const settings::Settings& settings,
                                  const PlayerView& view, const Bounds& windowBounds,
                                  const Bounds& workArea) {
  PictureCommandResult result;
  if (view.Busy || view.OpeningBusy) return result;
  if (view.SurfaceHeight <= 30 && view.SurfaceWidth <= 40) return result;
  const int c = std::max(std::min(view.SurfaceWidth - 40, 16), 0);
  if (c < 1) return result;
  const int W = windowBounds.width();
  const int H = windowBounds.height();
  if (W < 1 || H < 1) return result;
  const int d = H - roundEvenQuotient(int64_t(H) * (W - c), W);  // H - H / W * (W - c)
  if (view.SurfaceHeight - d <= 29) return result;
  Bounds next{windowBounds.Left + floorHalf(c), windowBounds.Top + floorHalf(d),
              windowBounds.Right - ceilHalf(c), windowBounds.Bottom - ceilHalf(d)};

  // Keep the window reachable: at least a tenth of the area's size from its far edges.
  const int Aw = workArea.width();
  const int Ah = workArea.height();
  auto shift = [&](int dx, int dy) {
    next.Left += dx;
    next.Right += dx;
    next.Top += dy;
    next.Bottom += dy;
  };
  if (next.Left > workArea.Left + Aw * 9 / 10) shift(workArea.Left + Aw * 9 / 10 - next.Left, 0);
  if (next.Top > workArea.Top + Ah * 9 / 10) shift(0, workArea.Top + Ah * 9 / 10 - next.Top);
  if (next.Right < workArea.Left + Aw / 10) shift(workArea.Left + Aw / 10 - next.Right, 0);
  if (next.Bottom < workArea.Top + Ah / 10) shift(0, workArea.Top + Ah / 10 - next.Bottom);

  result.acted = true;
  result.uncheckMovieMode = true;
  result.WindowBounds = next;
  result.forgetZoomSize = true;
  result.Destination = layoutForResizedWindow(picture, settings, view, windowBounds, next);
  if (view.GraphActive) result.ScoreDelta = kChangeScore;
  return result;
}

PictureCommandResult automaticPanScan(const PictureState& picture, settings::Settings& settings,
                                      const PlayerView& view, const texts::InterfaceTexts& t) {
  PictureCommandResult result;
  if (!view.FullScreen || !view.WindowShowing || view.Busy || view.OpeningBusy) return result;
  result.acted = true;
  const int amount =
      AutomaticPanScanAmount(view.MonitorWidth, view.MonitorHeight, picture.PictureRatio);
  if (amount != settings.PanScanSize) result.ScoreDelta = kChangeScore;
  settings.PanScanSize = amount;
  doPanScan(picture, settings, view, t, false, result);
  return result;
}

PictureCommandResult movePicture(PictureMove move, PictureState& picture, const PlayerView& view,
                                 const texts::InterfaceTexts& t) {
  PictureCommandResult result;
  if (!view.GraphActive) return result;
  result.acted = true;
  const Rect d = view.Destination;
  const int Sw = view.SurfaceWidth;
  const int Sh = view.SurfaceHeight;
  int& x = picture.PictureOffsetX;
  int& y = picture.PictureOffsetY;
  bool changed = false;
  // An offset moves by 1 while it is not yet at the limit it moves towards.
  auto step = [&changed](int& value, int delta) {
    if (delta < 0 ? value <= kOffsetMin : value >= kOffsetMax) return;
    value += delta;
    changed = true;
  };
  Rect next = d;
  switch (move) {
    case PictureMove::Left:
    case PictureMove::Right:
      step(x, move == PictureMove::Left ? -1 : 1);
      // x * 0.01 * Dw in exact decimal: a half pixel goes to the even neighbour.
      next.Left = roundEvenQuotient(int64_t(x) * d.Width, 100) + (Sw - d.Width) / 2;
      result.Osd = horizontalPositionMessage(t, x);
      break;
    case PictureMove::Up:
    case PictureMove::Down:
      step(y, move == PictureMove::Up ? 1 : -1);
      next.Top = (Sh - d.Height) / 2 - roundEvenQuotient(int64_t(y) * d.Height, 100);
      result.Osd = verticalPositionMessage(t, y);
      break;
    case PictureMove::Center:
      changed = x != 0 || y != 0;
      x = 0;
      y = 0;
      next.Left = (Sw - d.Width) / 2;
      next.Top = (Sh - d.Height) / 2;
      result.Osd = t.Messages[kCenter];
      break;
  }
  if (changed) {
    result.Destination = next;
    result.uncheckMovieMode = true;
    result.repaint = true;
    result.ScoreDelta = kChangeScore;
  }
  return result;
}

}  // namespace video
