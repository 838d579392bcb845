#pragma once
// Full screen on the monitor that holds the video window, the way back, the
// zoom cycle, the window size command, movie mode and the reaction to display
// changes. The window and the desktop are reached through ScreenPort (the
// video window in the program, a fake in tests); display modes through
// DisplayModes. Interface thread only.
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "settings/settings.h"
#include "video/display_modes.h"
#include "video/picture_geometry.h"

namespace video {

// The video window and the desktop as full screen needs them.
class ScreenPort {
 public:
  virtual ~ScreenPort() = default;
  virtual Bounds windowBounds() const = 0;
  // The monitor holding the window's centre (the nearest one when none does).
  virtual Bounds monitorOfWindow() const = 0;
  virtual std::vector<Bounds> monitors() const = 0;
  // The work area of the window's monitor (the desktop with several monitors).
  virtual Bounds workArea() const = 0;
  // Covers the monitor: no grips, the "PanScan" menu instead of "Window size",
  // the main window kept behind or in front as AutoHideMainWindow says.
  virtual void showFullScreen(const Bounds& monitor, bool activate) = 0;
  // Back to a window with these bounds: grips, the "Window size" menu, the
  // main window enabled.
  virtual void showWindowed(const Bounds& bounds) = 0;
  // New bounds for the window while it stays a window.
  virtual void setWindowBounds(const Bounds& bounds) = 0;
  // Lays the picture out again for the current size and repaints; clears
  // the subtitle lines first when clearSubtitle.
  virtual void layOut(bool clearSubtitle) = 0;
  // The Movie mode menu item's check mark.
  virtual void setMovieModeCheck(bool checked) = 0;
  // Movie mode's subtitle facts: whether one is loaded and enabled, and the
  // height of "H" and the point size of the subtitle font at sizePx.
  virtual bool subtitleShown() const = 0;
  virtual void subtitleFontMetrics(int sizePx, int& textHeight, int& points) const = 0;
  // Stops the live position message and shows text on the picture.
  virtual void showOsd(const std::string& text) = 0;
  // The other player windows that show (main, playlist, equalizer, colour
  // control, dialogs), in a fixed order, and moving one of them.
  virtual std::vector<Bounds> otherWindows() const { return {}; }
  virtual void moveOtherWindow(std::size_t /*index*/, const Bounds& /*bounds*/) {}
  // In full screen: places the main window directly above the video without
  // activating it, disabled when it lies on the full-screen monitor alone.
  virtual void raiseMainWindow() {}
  // Gives the keyboard focus to the video window.
  virtual void focusVideo() {}
};

// What Esc did.
enum class EscapeStep {
  Nothing,           // not full screen and no video window showing
  FocusedVideo,      // not full screen: the video window has the focus
  RaisedMainWindow,  // full screen: the main window now shows above the video
  LeftFullScreen,    // full screen with the main window raised: left it
};

// The shared re-entry flags and values the commands read and change.
struct ScreenContext {
  bool& Busy;
  bool& OpeningBusy;
  settings::Settings& Settings;
  PictureState& Picture;
};

class FullScreen {
 public:
  FullScreen(ScreenPort& port, DisplayModes& modes, ScreenContext context);

  bool active() const { return active_; }
  const Bounds& restoreBounds() const { return restore_; }
  const std::string& preFullscreenMode() const { return preFullscreenMode_; }
  const std::optional<Bounds>& zoomSaved() const { return zoomSaved_; }
  // Another resize command made the zoom cycle's saved size stale.
  void forgetZoomSize() { zoomSaved_.reset(); }

  // SetFullScreen: ignored while Busy or already in full screen (the restore
  // rectangle and mode of the first entry are kept). False when ignored.
  bool enter(bool activate);
  // SetNormalScreen: ignored while Busy or when not in full screen.
  bool leave();
  // The Fullscreen command: toggles. movieOpen adds to the change score.
  // Returns the SettingsChangeScore gain.
  int toggle(bool movieOpen);

  // The window size command (percent); movieOpen false ignores it. Returns
  // the SettingsChangeScore gain. In full screen it sets the pan-scan and
  // shows panScanMessage(PanScanSize) through showOsd.
  int windowSize(int percent, bool movieOpen,
                 const std::function<std::string(int panScanSize)>& panScanMessage);
  // The Enter key.
  void zoomCycle(bool graphActive);

  // Esc: in full screen the first press raises the main window above the
  // video, the next leaves full screen; in a window it focuses the video.
  EscapeStep escape(bool videoShowing);
  // True in full screen while the main window shows in front of the video
  // (raised by Esc, or kept in front because AutoHideMainWindow is off).
  bool mainWindowRaised() const { return active_ && mainRaised_; }

  // "Send window to" monitor number (1-based, in monitors() order): centred
  // on it, in full screen again there when it was. False when ignored (Busy,
  // OpeningBusy, no such monitor).
  bool sendToMonitor(int number);

  // Movie mode on or off (the menu item and M). Ignored while Busy or without
  // a graph. messages: "Movie mode on" and "Movie mode off".
  void movieMode(bool graphActive, const std::string& onText, const std::string& offText);
  bool movieModeOn() const { return movieMode_; }
  // Other commands remove the check mark; the saved values stay unused.
  void uncheckMovieMode();

  // The display reported a change of mode or monitors. OpeningBusy is held
  // while it is handled; the window is laid out again (the engine needs no
  // new rendering for a new display size). True when the change was the
  // player's own; after an outside change the caller rebuilds its menu from
  // the display modes' new list.
  bool displayChanged(int oldScreenWidth, int oldScreenHeight, int newScreenWidth,
                      int newScreenHeight);

 private:
  struct MovieModeSaved {
    int PanScanSize = 0;
    int PictureOffsetX = 0;
    int PictureOffsetY = 0;
    int AverageVerticalDisplayZone = 0;
    bool wasFullScreen = false;
  };
  // The screen the window must stay reachable on: the monitor, or the
  // whole desktop with several monitors.
  Bounds reachableArea() const;

  ScreenPort& port_;
  DisplayModes& modes_;
  ScreenContext c_;
  bool active_ = false;
  bool mainRaised_ = false;
  Bounds restore_;
  Bounds covered_;  // what full screen covers (the monitor, in the switched mode)
  std::string preFullscreenMode_;
  std::optional<Bounds> zoomSaved_;
  bool movieMode_ = false;
  MovieModeSaved saved_;
};

}  // namespace video
