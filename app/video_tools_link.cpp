#include "app/video_tools_link.h"

#include <QDir>
#include <QGuiApplication>
#include <QScreen>
#include <QStandardPaths>

#include <filesystem>

#include "texts/interface_texts.h"
#include "ui/message_window.h"
#include "video/window/color_control_window.h"

namespace app {

namespace {

video::PlaceRect placeRect(const QRect& r) {
  return {r.left(), r.top(), r.width(), r.height()};
}

bool isFolder(const std::string& path) {
  std::error_code ec;
  return std::filesystem::is_directory(path, ec);
}

}  // namespace

VideoToolsLink::VideoToolsLink(ui::MainWindowPlayback& adapter, playback::Player& player,
                               settings::Settings& settings, QPointer<QWidget> mainWindow,
                               QWidget& video)
    : adapter_(adapter),
      player_(player),
      settings_(settings),
      mainWindow_(mainWindow),
      video_(video),
      color_(std::make_unique<colorwindow::TfrmColorControl>(settings)) {
  desktopFolder = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation).toStdString();
  homeFolder = QDir::homePath().toStdString();
  showMessage = [this](const std::string& text) { ui::ShowMessageWindow(text, mainWindow_); };

  colorwindow::ColorControlHooks& c = color_->hooks();
  c.showOsd = [this](const std::string& text) { player_.controller().ShowCommandOsd(text); };
  c.settingsChanged = [this](int delta) {
    if (player_.controller().movieOpen()) playback::addSettingsChange(player_.state(), delta);
  };
  c.keyPressed = [this](int key, Qt::KeyboardModifiers modifiers) {
    adapter_.keyPressed(key, modifiers);
  };

  // Ctrl+C and Alt+C reach these as their menu commands through the main
  // window's key table.
  ui::MainWindowHooks& h = adapter.hooks();
  auto previousMenu = h.menuCommand;
  h.menuCommand = [this, previousMenu](ui::MenuCommand command) {
    if (command == ui::MenuCommand::ColorControl)
      showColorControl();
    else if (command == ui::MenuCommand::CaptureFrame)
      captureFrame();
    else if (previousMenu)
      previousMenu(command);
  };
}

VideoToolsLink::~VideoToolsLink() {
  // A capture being written is finished; its result is no longer shown.
  if (worker_.joinable()) worker_.join();
}

video::ColorPlacement VideoToolsLink::placement() const {
  video::ColorPlacement p;
  p.videoFullScreen = video_.isFullScreen();
  p.videoShowing = video_.isVisible() && !video_.isMinimized();
  p.video = placeRect(video_.frameGeometry());
  if (mainWindow_) p.main = placeRect(mainWindow_->frameGeometry());
  QScreen* screen = p.videoShowing && video_.screen() ? video_.screen() : nullptr;
  if (!screen && mainWindow_) screen = mainWindow_->screen();
  if (!screen) screen = QGuiApplication::primaryScreen();
  if (screen) {
    p.monitor = placeRect(screen->geometry());
    // In full screen the window may cover the whole monitor, as the picture does.
    p.workArea = placeRect(p.videoFullScreen ? screen->geometry() : screen->availableGeometry());
  }
  return p;
}

void VideoToolsLink::showColorControl() {
  if (color_->isVisible()) {
    color_->raise();
    color_->activateWindow();
    return;
  }
  color_->showAt(placement());
}

void VideoToolsLink::captureFrame() {
  playback::PlayerState& state = player_.state();
  if (!player_.controller().movieOpen() || state.Busy || running_) return;
  state.Busy = true;
  playback::Engine& engine = player_.engine();
  int width = 0, height = 0;
  engine.videoSize(width, height);
  if (width <= 0 || height <= 0) {  // no video stream: nothing is written or shown
    state.Busy = false;
    return;
  }
  video::CaptureJob job;
  job.format = video::captureFormat(settings_.CaptureType);
  job.counter = CaptureCounter;
  const video::CaptureFolderChoice folder = video::chooseCaptureFolder(
      settings_.CaptureFolder, desktopFolder, state.CurrentMovie, homeFolder, isFolder);
  job.folder = folder.folder;
  const bool taken =
      engine.copyNewestFrame(job.picture.bgrx, job.picture.widthPx, job.picture.heightPx);
  state.Busy = false;
  if (!taken || job.folder.empty()) {
    finishCapture(video::CaptureWrite{false, {}, CaptureCounter}, folder.fellBack);
    return;
  }
  // Encoding a large picture and writing it takes a noticeable time: the
  // worker does it, the result comes back to the interface thread.
  running_ = true;
  if (worker_.joinable()) worker_.join();
  const bool fellBack = folder.fellBack;
  worker_ = std::thread([this, job = std::move(job), fellBack] {
    const video::CaptureWrite result = video::runCapture(job);
    QMetaObject::invokeMethod(
        this, [this, result, fellBack] { finishCapture(result, fellBack); }, Qt::QueuedConnection);
  });
}

void VideoToolsLink::finishCapture(const video::CaptureWrite& result, bool fellBack) {
  if (worker_.joinable()) worker_.join();
  running_ = false;
  CaptureCounter = result.counter;
  const texts::InterfaceTexts& t = texts::currentTexts();
  if (result.ok) {
    // The file name alone, or the whole path when the capture did not go to
    // the folder the settings name, so the user sees where it went.
    const std::string shown =
        fellBack ? result.path : std::filesystem::path(result.path).filename().string();
    player_.controller().ShowCommandOsd(shown + " " + t.Messages[62]);
  } else {
    if (showMessage) showMessage(t.Messages[61]);
  }
  emit captureFinished(result.ok, QString::fromStdString(result.path));
}

}  // namespace app
