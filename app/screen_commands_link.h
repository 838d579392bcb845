#pragma once
// Full screen, the window sizes, the zoom cycle, movie mode, the "Change
// resolution" menu and the custom ratio and pan-scan dialogs, carried to the
// video window, the main window's menu and the display. The decisions are the
// video module's (video/full_screen.h); this code is the screen side of them.
// Interface thread only.
#include <QObject>
#include <QPointer>
#include <QSize>
#include <QWidget>

#include <functional>
#include <memory>
#include <vector>

#include "playback/player.h"
#include "ui/main_window.h"
#include "ui/videowindow/video_window.h"
#include "video/display_modes.h"
#include "video/full_screen.h"

namespace app {

class ScreenCommandsLink : public QObject, private video::ScreenPort {
 public:
  // service may be null (no display mode switching). References must outlive
  // the link.
  ScreenCommandsLink(playback::Player& player, settings::Settings& settings, ui::TfrmMain& main,
                     ui::TfrmVideoWindow& video,
                     std::unique_ptr<video::DisplayModeService> service);
  ~ScreenCommandsLink() override;

  // Lists the display modes, builds the "Change resolution" menu and turns an
  // unlisted FullscreenModeSwitch into "No change". Once, at start-up.
  void start(const std::string& noChangeText);
  // True when the menu command / key is one of these commands (it then ran).
  bool menuCommand(ui::MenuCommand command);
  bool key(int key, Qt::KeyboardModifiers modifiers);
  // Full screen on or off as the movie opening asks.
  void setFullScreen(bool on);
  void uncheckMovieMode() { full_.uncheckMovieMode(); }
  // Rebuilds the "Send window to" submenu; each time the context menu opens.
  void refreshMonitorMenu();
  // Puts back the display mode of start-up when the player switched away.
  void restoreDisplayMode();
  video::FullScreen& fullScreen() { return full_; }
  // The display modes of the "Change resolution" menu, in menu order.
  std::vector<std::string> displayModeLabels() const;

 private:
  // video::ScreenPort
  video::Bounds windowBounds() const override;
  video::Bounds monitorOfWindow() const override;
  std::vector<video::Bounds> monitors() const override;
  video::Bounds workArea() const override;
  void showFullScreen(const video::Bounds& monitor, bool activate) override;
  void showWindowed(const video::Bounds& bounds) override;
  void setWindowBounds(const video::Bounds& bounds) override;
  void layOut(bool clearSubtitle) override;
  void setMovieModeCheck(bool checked) override;
  bool subtitleShown() const override;
  void subtitleFontMetrics(int sizePx, int& textHeight, int& points) const override;
  void showOsd(const std::string& text) override;
  std::vector<video::Bounds> otherWindows() const override;
  void moveOtherWindow(std::size_t index, const video::Bounds& bounds) override;
  void raiseMainWindow() override;
  void focusVideo() override;

  // Disables the main window while it lies on the full-screen monitor alone
  // (it shows but takes no input there).
  void disableMainOnFullScreenMonitor();

  void buildResolutionMenu();
  void watchScreens();
  void screensChanged();
  void windowSize(int percent);
  void customRatio();
  void customPanScan();
  void addScore(int delta);
  // Runs movie mode once no opening or command is under way (polled).
  void movieModeAfterOpen(int triesLeft);

  playback::Player& player_;
  settings::Settings& settings_;
  QPointer<ui::TfrmMain> main_;
  ui::TfrmVideoWindow& video_;
  std::unique_ptr<video::DisplayModeService> service_;
  video::DisplayModes modes_;
  video::FullScreen full_;
  std::string noChangeText_;
  video::Bounds covered_;                          // the monitor the full-screen video covers
  mutable std::vector<QPointer<QWidget>> others_;  // as otherWindows() last listed them
  QSize screenSize_;  // the primary screen's size at the last display change
  bool changeQueued_ = false;
  bool dialogOpen_ = false;
};

}  // namespace app
