#include "video/picture_dialogs.h"

#include <algorithm>
#include <cmath>

namespace video {

namespace {

constexpr int kChangeScore = 5000;

int sliderFromRatio(double ratio) {
  return std::clamp(roundEven(static_cast<long double>(ratio) * 100), CustomRatioDialog::kMin,
                    CustomRatioDialog::kMax);
}

// Keeps [start, start + size) inside [low, high) where it fits; the low edge wins.
int clampInto(int start, int size, int low, int high) {
  return std::max(std::min(start, high - size), low);
}

}  // namespace

CustomRatioDialog::CustomRatioDialog(double pictureRatio, char decimalSeparator)
    : opening_(pictureRatio), value_(sliderFromRatio(pictureRatio)), separator_(decimalSeparator) {}

DialogStep CustomRatioDialog::applyRatio(double ratio, PictureState& picture) {
  picture.PictureRatio = ratio;
  return {formatRatio(usableRatio(ratio), separator_), false};
}

DialogStep CustomRatioDialog::setValue(int v, PictureState& picture) {
  value_ = std::clamp(v, kMin, kMax);
  if (roundEven(static_cast<long double>(picture.PictureRatio) * 100) == value_) return {};
  return applyRatio(value_ / 100.0, picture);
}

DialogStep CustomRatioDialog::input(DialogInput in, PictureState& picture) {
  switch (in) {
    case DialogInput::Decrease:
      return setValue(value_ - 1, picture);
    case DialogInput::Increase:
      return setValue(value_ + 1, picture);
    case DialogInput::Digit0:  // 0 stands for the smallest ratio
      return setValue(kMin, picture);
    case DialogInput::Digit1:
      return setValue(100, picture);
    case DialogInput::Digit2:
      return setValue(200, picture);
    case DialogInput::Digit3:
      return setValue(300, picture);
    case DialogInput::Accept:
      return {std::nullopt, true};
    case DialogInput::Cancel: {
      // Back to the exact ratio of the opening, which may lie off the track.
      value_ = sliderFromRatio(opening_);
      DialogStep step;
      if (picture.PictureRatio != opening_) step = applyRatio(opening_, picture);
      step.close = true;
      return step;
    }
  }
  return {};
}

DialogStep CustomRatioDialog::restoreNative(PictureState& picture) {
  const double native = nativeRatio(picture.VideoWidth, picture.VideoHeight);
  if (std::fabs(native - picture.PictureRatio) < 0.01) return {};
  value_ = sliderFromRatio(native);
  return applyRatio(native, picture);
}

int CustomRatioDialog::closeScoreDelta(const PictureState& picture) const {
  return picture.PictureRatio != opening_ ? kChangeScore : 0;
}

PanScanDialog::PanScanDialog(int panScanSize)
    : opening_(panScanSize), value_(std::clamp(panScanSize, kMin, kMax)) {}

int PanScanDialog::thumbX() const {
  return roundEven(static_cast<long double>(value_ + 50) / 150 * 195) + 27;
}

DialogStep PanScanDialog::setValue(int v, settings::Settings& settings) {
  value_ = std::clamp(v, kMin, kMax);
  if (settings.PanScanSize == value_) return {};
  settings.PanScanSize = value_;
  return {std::to_string(value_), false};
}

DialogStep PanScanDialog::input(DialogInput in, settings::Settings& settings) {
  switch (in) {
    case DialogInput::Decrease:
      return setValue(value_ - 1, settings);
    case DialogInput::Increase:
      return setValue(value_ + 1, settings);
    case DialogInput::Digit0:  // pan-scan off, the dialog stays open
      return setValue(0, settings);
    case DialogInput::Digit1:
    case DialogInput::Digit2:
    case DialogInput::Digit3:
      return {};
    case DialogInput::Accept:
      return {std::nullopt, true};
    case DialogInput::Cancel: {
      value_ = std::clamp(opening_, kMin, kMax);
      DialogStep step;
      if (settings.PanScanSize != opening_) {
        settings.PanScanSize = opening_;
        step.apply = std::to_string(opening_);
      }
      step.close = true;
      return step;
    }
  }
  return {};
}

int PanScanDialog::closeScoreDelta(const settings::Settings& settings) const {
  return settings.PanScanSize != opening_ ? kChangeScore : 0;
}

Point customRatioDialogPosition(const RatioDialogPlacement& p) {
  if (p.FullScreen)
    return {p.Monitor.Left + (p.Monitor.width() - p.DialogWidth) / 2,
            p.Monitor.Top + (p.Monitor.height() - p.DialogHeight) / 2};
  const Bounds& vw = p.VideoWindow;
  int left = p.MultiMonitorDesktop
                 ? vw.Left + vw.width() / 2 - p.DialogWidth / 2
                 : (p.ScreenWidth / 2 + vw.Left + vw.width() / 2) / 2 - p.DialogWidth / 2;
  const int top = clampInto(vw.Bottom, p.DialogHeight, p.WorkArea.Top, p.WorkArea.Bottom);
  left = clampInto(left, p.DialogWidth, p.WorkArea.Left, p.WorkArea.Right);
  return {left, top};
}

Point panScanDialogPosition(const Bounds& monitor) {
  return {monitor.Left + monitor.width() / 2, monitor.Top + monitor.height() / 2};
}

}  // namespace video
