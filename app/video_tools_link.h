#pragma once
// The colour control window and frame capture as commands of the main
// window's adapter: Ctrl+C and the "Color control..." item show the window
// (or bring it to the front), Alt+C and the "Capture frame" item capture the
// frame on show. The capture's frame is taken on the interface thread; it is
// encoded and written on a worker thread, one capture at a time.
// Interface thread only.
#include <QObject>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <memory>
#include <thread>

#include "settings/settings.h"
#include "playback/player.h"
#include "ui/main_window_playback.h"
#include "video/color_control.h"
#include "video/frame_capture.h"

namespace colorwindow {
class TfrmColorControl;
}

namespace app {

class VideoToolsLink : public QObject {
  Q_OBJECT
 public:
  // All references must outlive the link. Wraps the adapter's keyPressed and
  // menuCommand hooks; what it does not serve goes on to the previous hooks.
  VideoToolsLink(ui::MainWindowPlayback& adapter, playback::Player& player,
                 settings::Settings& settings, QPointer<QWidget> mainWindow, QWidget& video);
  ~VideoToolsLink() override;

  colorwindow::TfrmColorControl& colorWindow() { return *color_; }
  // Ctrl+C: shows the colour control window, or brings it to the front.
  void showColorControl();
  // Alt+C: ignored without a movie, while Busy or while a capture is written.
  void captureFrame();
  bool captureRunning() const { return running_; }
  int captureCounter() const { return CaptureCounter; }

  // The folders a capture may use (tests point them elsewhere).
  std::string desktopFolder;
  std::string homeFolder;
  // Shows a failure in the message window (tests record it instead).
  std::function<void(const std::string& text)> showMessage;

 signals:
  // A capture finished (after its message was shown).
  void captureFinished(bool ok, const QString& path);

 private:
  video::ColorPlacement placement() const;
  void finishCapture(const video::CaptureWrite& result, bool fellBack);

  ui::MainWindowPlayback& adapter_;
  playback::Player& player_;
  settings::Settings& settings_;
  QPointer<QWidget> mainWindow_;
  QWidget& video_;
  std::unique_ptr<colorwindow::TfrmColorControl> color_;
  int CaptureCounter = 0;  // raised before every name tried; never reset
  bool running_ = false;
  std::thread worker_;
};

}  // namespace app
