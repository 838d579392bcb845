#include "video/full_screen.h"

#include <algorithm>

#include "video/screen_windows.h"
#include "video/window_sizes.h"

namespace video {

namespace {

constexpr int kChangeScore = 5000;

// The mode name a FullscreenModeSwitch label stands for: its blanks dropped.
std::string itemNameOf(const std::string& label) {
  std::string name = "M" + label;
  name.erase(std::remove(name.begin(), name.end(), ' '), name.end());
  return name;
}

// Raises a flag for a scope and puts back its earlier value.
class Hold {
 public:
  explicit Hold(bool& flag) : flag_(flag), before_(flag) { flag_ = true; }
  ~Hold() { flag_ = before_; }
  Hold(const Hold&) = delete;
  Hold& operator=(const Hold&) = delete;

 private:
  bool& flag_;
  bool before_;
};

}  // namespace

FullScreen::FullScreen(ScreenPort& port, DisplayModes& modes, ScreenContext context)
    : port_(port), modes_(modes), c_(context) {}

Bounds FullScreen::reachableArea() const {
  const std::vector<Bounds> all = port_.monitors();
  if (all.size() < 2) return port_.monitorOfWindow();
  Bounds u = all.front();
  for (const Bounds& m : all) {
    u.Left = std::min(u.Left, m.Left);
    u.Top = std::min(u.Top, m.Top);
    u.Right = std::max(u.Right, m.Right);
    u.Bottom = std::max(u.Bottom, m.Bottom);
  }
  return u;
}

bool FullScreen::enter(bool activate) {
  // A second entry would overwrite the restore rectangle and mode.
  if (c_.Busy || active_) return false;
  {
    Hold busy(c_.Busy);
    restore_ = port_.windowBounds();
    active_ = true;
    const Bounds monitor = port_.monitorOfWindow();
    covered_ = monitor;
    preFullscreenMode_ = modes_.currentName();
    // Switch only when the user chose a mode for full screen and it is listed.
    const std::string& wanted = c_.Settings.FullscreenModeSwitch;
    if (modes_.list().has(wanted) &&
        wanted != modeLabel(modes_.current().value_or(DisplayMode{}))) {
      // A refused switch keeps the current mode; full screen goes on in it.
      if (modes_.changeResolution(itemNameOf(wanted)) && modes_.lastApplied()) {
        const DisplayMode m = *modes_.lastApplied();
        covered_ = {monitor.Left, monitor.Top, monitor.Left + m.Width, monitor.Top + m.Height};
      }
    }
    port_.showFullScreen(covered_, activate);
    // Kept behind the video, or in front when the main window does not hide.
    mainRaised_ = !c_.Settings.AutoHideMainWindow;
    port_.layOut(true);
  }
  return true;
}

bool FullScreen::leave() {
  // Only from full screen: a leave without an entry has no restore rectangle.
  if (c_.Busy || !active_) return false;
  {
    Hold busy(c_.Busy);
    uncheckMovieMode();
    active_ = false;
    mainRaised_ = false;
    if (!preFullscreenMode_.empty() && modes_.currentName() != preFullscreenMode_)
      modes_.changeResolution(preFullscreenMode_);
    // The monitor the window came from may be gone or smaller now.
    const Bounds back = keepOnScreens(restore_, port_.monitors(), port_.monitorOfWindow());
    port_.showWindowed(back);
    port_.layOut(true);
  }
  return true;
}

int FullScreen::toggle(bool movieOpen) {
  const bool changed = active_ ? leave() : enter(true);
  return changed && movieOpen ? kChangeScore : 0;
}

int FullScreen::windowSize(int percent, bool movieOpen,
                           const std::function<std::string(int)>& panScanMessage) {
  if (!movieOpen || c_.Busy) return 0;
  if (active_) {
    const int pan = panScanForWindowSize(percent);
    const bool changed = pan != c_.Settings.PanScanSize;
    c_.Settings.PanScanSize = pan;
    uncheckMovieMode();
    port_.showOsd(panScanMessage(pan));
    port_.layOut(false);
    return changed ? kChangeScore : 0;
  }
  Hold busy(c_.Busy);
  const auto next = windowSizeBounds(c_.Picture, percent, port_.windowBounds(), reachableArea());
  if (!next) return 0;
  port_.setWindowBounds(*next);
  zoomSaved_.reset();
  port_.layOut(false);
  return kChangeScore;
}

void FullScreen::zoomCycle(bool graphActive) {
  if (c_.OpeningBusy || c_.Busy || !graphActive) return;
  if (active_) {
    leave();
    return;
  }
  const ZoomStep step = video::zoomCycle(port_.windowBounds(), port_.monitorOfWindow(), zoomSaved_);
  if (!step.toFullScreen) {
    Hold busy(c_.Busy);
    zoomSaved_ = step.zoomSaved;
    port_.setWindowBounds(step.doubled);
    port_.layOut(false);
    return;
  }
  // Leaving full screen then returns to the size before the first doubling.
  if (enter(true) && step.restore) restore_ = *step.restore;
}

EscapeStep FullScreen::escape(bool videoShowing) {
  if (active_) {
    if (mainRaised_) return leave() ? EscapeStep::LeftFullScreen : EscapeStep::Nothing;
    port_.raiseMainWindow();
    mainRaised_ = true;
    port_.focusVideo();
    return EscapeStep::RaisedMainWindow;
  }
  if (!videoShowing) return EscapeStep::Nothing;
  port_.focusVideo();
  return EscapeStep::FocusedVideo;
}

bool FullScreen::sendToMonitor(int number) {
  const std::vector<Bounds> all = port_.monitors();
  if (c_.Busy || c_.OpeningBusy || number < 1 || number > static_cast<int>(all.size()))
    return false;
  const bool wasFull = active_;
  if (wasFull && !leave()) return false;
  port_.setWindowBounds(centreOnMonitor(port_.windowBounds(), all[number - 1]));
  // Full screen again, now on the monitor that holds the window.
  if (wasFull)
    enter(true);
  else
    port_.layOut(false);
  return true;
}

void FullScreen::uncheckMovieMode() {
  movieMode_ = false;
  port_.setMovieModeCheck(false);
}

void FullScreen::movieMode(bool graphActive, const std::string& onText,
                           const std::string& offText) {
  if (c_.Busy || !graphActive) return;
  settings::Settings& s = c_.Settings;
  if (movieMode_) {
    if (!active_) {
      uncheckMovieMode();
      return;
    }
    {
      Hold busy(c_.Busy);
      port_.showOsd(offText);
      uncheckMovieMode();
      s.PanScanSize = saved_.PanScanSize;
      c_.Picture.PictureOffsetX = saved_.PictureOffsetX;
      c_.Picture.PictureOffsetY = saved_.PictureOffsetY;
      s.AverageVerticalDisplayZone = saved_.AverageVerticalDisplayZone;
      if (saved_.wasFullScreen) port_.layOut(false);
    }
    // Busy is down again: leaving full screen must not see this command's flag.
    if (!saved_.wasFullScreen) leave();
    return;
  }

  {
    Hold busy(c_.Busy);
    port_.showOsd(onText);
    movieMode_ = true;
    port_.setMovieModeCheck(true);
    saved_ = {s.PanScanSize, c_.Picture.PictureOffsetX, c_.Picture.PictureOffsetY,
              s.AverageVerticalDisplayZone, active_};
    MovieModeInput in;
    if (active_) {
      in.TargetWidth = covered_.width();
      in.TargetHeight = covered_.height();
    } else if (const auto m = modes_.list().has(s.FullscreenModeSwitch)
                                  ? parseModeName(s.FullscreenModeSwitch)
                                  : std::nullopt) {
      in.TargetWidth = m->Width;
      in.TargetHeight = m->Height;
    } else {
      in.TargetWidth = port_.monitorOfWindow().width();
      in.TargetHeight = port_.monitorOfWindow().height();
    }
    in.Picture = c_.Picture;
    in.KeepAspectRatio = s.KeepAspectRatio;
    in.SubtitleShown = port_.subtitleShown();
    in.UseOutlineFont = s.UseOutlineFont;
    if (in.SubtitleShown)
      port_.subtitleFontMetrics(movieModeFontSize(s.SubtitleSize, in.TargetWidth), in.TextHeight,
                                in.FontPoints);
    const MovieModeLayout out = movieModeLayout(in);
    if (out.valid) {
      s.PanScanSize = out.PanScanSize;
      c_.Picture.PictureOffsetX = out.PictureOffsetX;
      c_.Picture.PictureOffsetY = out.PictureOffsetY;
      if (out.AverageVerticalDisplayZone)
        s.AverageVerticalDisplayZone = *out.AverageVerticalDisplayZone;
    }
    if (active_) port_.layOut(false);
  }
  // Busy is down again, so full screen does not refuse movie mode's own call.
  if (!active_) enter(true);
}

bool FullScreen::displayChanged(int oldScreenWidth, int oldScreenHeight, int newScreenWidth,
                                int newScreenHeight) {
  Hold opening(c_.OpeningBusy);
  const bool own = modes_.displayChanged();
  if (oldScreenWidth != newScreenWidth || oldScreenHeight != newScreenHeight) {
    const Bounds area = port_.workArea();
    const Bounds now = active_ ? restore_ : port_.windowBounds();
    const Point2 p =
        keepScreenFraction({now.Left, now.Top}, now.width(), now.height(), oldScreenWidth,
                           oldScreenHeight, newScreenWidth, newScreenHeight, area);
    const Bounds moved{p.X, p.Y, p.X + now.width(), p.Y + now.height()};
    if (active_)
      restore_ = moved;
    else if (!(moved == now))
      port_.setWindowBounds(moved);
    // The other windows keep their fraction of the screen too, sizes unchanged.
    const std::vector<Bounds> others = port_.otherWindows();
    for (std::size_t i = 0; i < others.size(); ++i) {
      const Bounds& b = others[i];
      const Point2 q = keepScreenFraction({b.Left, b.Top}, b.width(), b.height(), oldScreenWidth,
                                          oldScreenHeight, newScreenWidth, newScreenHeight, area);
      if (q.X != b.Left || q.Y != b.Top)
        port_.moveOtherWindow(i, {q.X, q.Y, q.X + b.width(), q.Y + b.height()});
    }
    uncheckMovieMode();
  }
  if (active_) {
    covered_ = port_.monitorOfWindow();
    port_.showFullScreen(covered_, false);
    mainRaised_ = !c_.Settings.AutoHideMainWindow;  // put behind the video again
    if (!own) preFullscreenMode_ = modes_.currentName();
  } else {
    const Bounds now = port_.windowBounds();
    const Bounds kept = keepOnScreens(now, port_.monitors(), port_.monitorOfWindow());
    if (!(kept == now)) port_.setWindowBounds(kept);
  }
  port_.layOut(true);
  return own;
}

}  // namespace video
