#pragma once
// The commands that change the picture's layout: the aspect ratio menu, pan in
// and out, automatic pan-scan and the picture position keys. Each command takes
// the player's current facts (PlayerView), changes the picture values and the
// settings in place, and returns what the caller must do on screen: apply a
// rectangle or window bounds, show a message, move menu check marks, and add to
// SettingsChangeScore. Interface thread only; the caller holds Busy while it
// applies a rectangle.
#include <optional>
#include <string>

#include "settings/settings.h"
#include "texts/interface_texts.h"
#include "video/picture_geometry.h"

namespace video {

// The six items of the aspect ratio menu.
enum class RatioItem { Original, Ratio16x9, Ratio4x3, Ratio1x1, Free, Custom };

// The item the menu marks for the picture as it is: Free without
// KeepAspectRatio, else the item whose ratio the picture has (Original first,
// when the native ratio is also a fixed one), else Custom. The marks follow
// the state, not the last click (a refused command changes nothing).
RatioItem shownRatioItem(const PictureState& picture, bool keepAspectRatio);

// What the commands need to know about the player at the moment of the command.
struct PlayerView {
  bool GraphActive = false;    // a movie is rendered
  bool WindowShowing = false;  // the video window is visible
  bool FullScreen = false;
  bool Busy = false;
  bool OpeningBusy = false;
  int SurfaceWidth = 0;  // client size of the video window (the monitor in full screen)
  int SurfaceHeight = 0;
  int MonitorWidth = 0;  // the monitor that holds the video window
  int MonitorHeight = 0;
  Rect Destination;  // the current destination rectangle
  char DecimalSeparator = '.';
};

// What the caller does after a command, in this order: apply WindowBounds,
// apply Destination with SetVideoPosAndSize (then ResetVideoWindow and
// ResyncOverlay when resetVideoWindow), repaint, stop the live position message
// and show Osd, update the menu checks, add ScoreDelta to SettingsChangeScore.
struct PictureCommandResult {
  bool acted = false;                  // false: the command was ignored and nothing changed
  std::optional<Bounds> WindowBounds;  // new outer bounds of the video window
  bool forgetZoomSize = false;         // the zoom cycle's saved size is stale
  std::optional<Rect> Destination;
  bool resetVideoWindow = false;
  bool repaint = false;
  std::optional<std::string> Osd;
  std::optional<RatioItem> checkRatioItem;  // check this item, uncheck the other five
  bool uncheckMovieMode = false;
  int ScoreDelta = 0;
};

// Adds delta to SettingsChangeScore, capped at 10000.
void addToSettingsChangeScore(int& score, int delta);

// The rectangle for the current mode: the surface with pan-scan 0 in a window,
// the monitor with PanScanSize in full screen.
Rect currentLayout(const PictureState& picture, const settings::Settings& settings,
                   const PlayerView& view);

// Message texts, composed from the current language's texts.
std::string aspectRatioMessage(const texts::InterfaceTexts& t, const std::string& label);
std::string panScanMessage(const texts::InterfaceTexts& t, int panScanSize, bool isExplicit);
std::string horizontalPositionMessage(const texts::InterfaceTexts& t, int offsetX);
std::string verticalPositionMessage(const texts::InterfaceTexts& t, int offsetY);

// SetAspectRatio: lays the picture out again and shows "Aspect Ratio: label";
// does nothing unless the window shows, a graph is active and Busy is clear.
void setAspectRatio(const PictureState& picture, const settings::Settings& settings,
                    const PlayerView& view, const texts::InterfaceTexts& t,
                    const std::string& label, PictureCommandResult& result);

// DoPanScan: the pan-scan message and, in full screen, the layout with PanScanSize.
void doPanScan(const PictureState& picture, const settings::Settings& settings,
               const PlayerView& view, const texts::InterfaceTexts& t, bool isExplicit,
               PictureCommandResult& result);

// One of the six ratio menu commands. Custom only switches the keep-ratio mode
// on; the caller then opens the custom ratio dialog (CustomRatioDialog) when
// the result acted.
PictureCommandResult ratioCommand(RatioItem item, PictureState& picture,
                                  settings::Settings& settings, const PlayerView& view,
                                  const texts::InterfaceTexts& t);

// Pan in / pan out in full screen: PanScanSize +-1 within -50..100.
PictureCommandResult panInFullScreen(const PictureState& picture, settings::Settings& settings,
                                     const PlayerView& view, const texts::InterfaceTexts& t);
PictureCommandResult panOutFullScreen(const PictureState& picture, settings::Settings& settings,
                                      const PlayerView& view, const texts::InterfaceTexts& t);

// Pan in / pan out in a window: grows or shrinks the video window by up to 16
// pixels of width, keeping its shape. windowBounds are the window's outer
// bounds; the surface is its client area, assumed to change by the same amount.
// screen: the whole virtual desktop with MultiMonitorDesktop, else the screen.
// workArea: the area the shrunk window must stay reachable in.
PictureCommandResult panInWindow(const PictureState& picture, const settings::Settings& settings,
                                 const PlayerView& view, const Bounds& windowBounds,
                                 int screenWidth, int screenHeight);
PictureCommandResult panOutWindow(const PictureState& picture, const settings::Settings& settings,
                                  const PlayerView& view, const Bounds& windowBounds,
                                  const Bounds& workArea);

// Automatic pan-scan (full screen only): PanScanSize := AutomaticPanScanAmount.
PictureCommandResult automaticPanScan(const PictureState& picture, settings::Settings& settings,
                                      const PlayerView& view, const texts::InterfaceTexts& t);

// The picture position keys: offsets move by 1 within -100..100; the rectangle
// moves inside the surface keeping its size.
enum class PictureMove { Left, Right, Up, Down, Center };
PictureCommandResult movePicture(PictureMove move, PictureState& picture, const PlayerView& view,
                                 const texts::InterfaceTexts& t);

}  // namespace video
