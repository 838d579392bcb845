#pragma once
// The borderless video window: paints the newest picture in the rectangle the
// picture geometry gives, black bars around it, then the subtitle layer (a
// painter set by the subtitle drawing) and the on-screen message on top.
// Interface thread only; the engine only schedules repaints from its thread.
#include <QImage>
#include <QRegion>
#include <QTimer>
#include <QWidget>
#include <atomic>
#include <functional>
#include <string>

#include "playback/engine.h"
#include "playback/osd.h"
#include "playback/video_surface.h"
#include "settings/settings.h"
#include "ui/videowindow/resize_grips.h"
#include "video/picture_geometry.h"

namespace ui {

class TfrmVideoWindow : public QWidget, public playback::VideoSurface {
  Q_OBJECT

 public:
  // All references must outlive the window. The title starts as programName,
  // the window role is programName + "VideoWindow".
  TfrmVideoWindow(playback::Engine& engine, const settings::Settings& settings, playback::Osd& osd,
                  const video::PictureState& picture, const std::string& programName,
                  QWidget* parent = nullptr);
  ~TfrmVideoWindow() override;

  // Paints the subtitle layer over the picture: the whole client area and
  // the picture rectangle are given. Empty for none.
  using SubtitlePainter = std::function<void(QPainter&, const QRect& area, const QRect& picture)>;
  void setSubtitlePainter(SubtitlePainter painter) { subtitlePainter_ = std::move(painter); }

  // Pictures painted so far (each new decoded picture counts once).
  uint64_t paintedFrames() const { return paintedFrames_; }

  // Where the picture lies in the client area; empty without a movie picture.
  QRect pictureRect() const;

  // playback::VideoSurface
  void repaintOsd() override;
  void repaintVideo() override { update(); }
  void repaintSubtitles() override { update(); }
  void showSurface() override;
  void hideSurface() override;
  bool surfaceShowing() const override { return isVisible(); }
  bool fullScreen() const override { return isFullScreen() || fullScreenOn_; }
  void resizeToPicture(int widthPx, int heightPx) override;
  void windowSize(int& widthPx, int& heightPx) const override;

  // Enters or leaves full screen (on the window's screen).
  void setFullScreen(bool on);
  // Full screen covering exactly monitor (desktop pixels); the bounds to return
  // to are the owner's. Windowed again with the given bounds.
  void showFullScreenOn(const QRect& monitor);
  void showWindowedAt(const QRect& bounds);
  // While set, a double click asks the owner (fullScreenToggleRequested)
  // instead of toggling full screen itself.
  void setFullScreenByOwner(bool on) { fullScreenByOwner_ = on; }
  // While on, the mouse pointer hides after 3 s without movement over the window.
  void setCursorAutoHide(bool on);

  // One wheel resize step in a window (up grows), with the picture's size and
  // display aspect as the growth limit. False when the size stays.
  bool wheelResize(bool up, double aspect);
  // A wheel turn over the main window: acts at once (see wheelTurned).
  void wheelFromMainWindow(bool up) { emit wheelTurned(up); }
  // OsdZoneBottom after the last paint: the row below the message layer.
  int osdZoneBottom() const { return osdZoneBottom_; }

 signals:
  // A key pressed in the window, for the command dispatch.
  void keyPressed(int key, Qt::KeyboardModifiers modifiers);
  // Files and folders dropped on the window (handled as drops on the main window).
  void filesDropped(const QStringList& paths);
  // The user closed the window (the close itself was refused): the program
  // should end in order.
  void closeRequested();
  void fullScreenChanged(bool on);
  // A double click asked for full screen on or off (see setFullScreenByOwner).
  void fullScreenToggleRequested();
  // The window is about to hide while full screen (see setFullScreenByOwner).
  void leaveFullScreenRequested();
  // A wheel step that acts (every second turn over this window): the owner
  // changes the volume in full screen and resizes the window otherwise.
  void wheelTurned(bool up);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void onFrameReady();
  // Paints the newest picture, scaled to pic, inside region; false when
  // there is none.
  bool paintPicture(QPainter& painter, const QRect& pic, const QRegion& region);

  playback::Engine& engine_;
  const settings::Settings& settings_;
  playback::Osd& osd_;
  const video::PictureState& picture_;
  SubtitlePainter subtitlePainter_;
  // The newest picture at the picture rectangle's size, kept only when the
  // painter cannot take it straight into the window's back buffer.
  QImage frame_;
  uint64_t frameSerial_ = ~0ull;    // serial of the picture in frame_
  uint64_t paintedSerial_ = ~0ull;  // serial of the last picture painted whole
  std::atomic<bool> repaintQueued_{false};
  uint64_t paintedFrames_ = 0;
  QRect windowedBounds_;  // bounds to return to when leaving full screen
  QTimer* cursorTimer_;
  bool cursorAutoHide_ = false;
  ResizeGrips* grips_;
  int osdZoneBottom_ = 0;
  bool wheelArmed_ = false;  // a wheel turn over the window waits for its pair
  bool fullScreenByOwner_ = false;
  bool fullScreenOn_ = false;  // placed full screen by the owner (showFullScreenOn)
};

}  // namespace ui
