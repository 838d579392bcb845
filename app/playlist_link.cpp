#include "app/playlist_link.h"

#include "ui/playlist_window.h"
#include "ui/window_drag.h"

namespace app {

namespace {

// How often a showing window looks for changes the player made to the list
// (Next, Previous, the end of a movie, an open from the main window).
constexpr int kWatchMs = 100;

}  // namespace

PlaylistLink::PlaylistLink(ui::MainWindowPlayback& adapter, playback::Player& player,
                           settings::Settings& settings, const settings::Folders& folders,
                           QWidget& video, std::function<bool()> videoFullScreen)
    : adapter_(adapter),
      player_(player),
      settings_(settings),
      folders_(folders),
      video_(&video),
      videoFullScreen_(std::move(videoFullScreen)),
      window_(std::make_unique<ui::TfrmPlayList>(settings, player.playlist())) {
  window_->setWindowRole(QString::fromStdString(folders_.ProgramName + "PlaylistWindow"));
  window_->setWindowTitle(QString::fromStdString(folders_.ProgramName + "PlaylistWindow"));
  ui::PlaylistWindowHooks& w = window_->hooks();
  w.keyPressed = [this](int key, Qt::KeyboardModifiers modifiers) {
    adapter_.keyPressed(key, modifiers);
  };
  w.played = [this] { played(); };
  w.changed = [this] { adapter_.refresh(); };
  w.closed = [this] {
    player_.playlist().saveAutomaticPlaylist(folders_.DataFolder, folders_.ProgramName);
  };

  ui::MainWindowHooks& h = adapter.hooks();
  h.togglePlaylist = [this] { window_->toggleWindow(); };
  auto previousMenu = h.menuCommand;
  h.menuCommand = [this, previousMenu](ui::MenuCommand command) {
    if (command == ui::MenuCommand::Playlist)
      window_->showWindow();
    else if (previousMenu)
      previousMenu(command);
  };

  watch_.setInterval(kWatchMs);
  connect(&watch_, &QTimer::timeout, this, [this] {
    if (window_->isVisible()) window_->refreshIfChanged();
  });
  watch_.start();
}

PlaylistLink::~PlaylistLink() {
  watch_.stop();
  // The window's last hide must not reach a player that is going away.
  window_->hooks() = {};
}

QWidget* PlaylistLink::visibleMovieList() const {
  return window_->isVisible() ? window_->movieList() : nullptr;
}

void PlaylistLink::showAtStart() {
  if (settings_.PlayListShow) window_->showWindow();
}

void PlaylistLink::storeSettings() {
  settings_.PlayListShow = window_->isVisible();
  if (settings_.PlayListShow) window_->storeGeometry();
}

void PlaylistLink::played() {
  adapter_.refresh();
  // Started by the user while the video window shows: the playlist goes
  // behind it, or, over a full-screen picture, comes to the front.
  if (!video_ || !video_->isVisible()) return;
  const bool fullScreen = videoFullScreen_ && videoFullScreen_();
  if (!fullScreen && window_->isActiveWindow()) {
    if (!ui::playerWindowsOnTop()) video_->raise();
  } else if (fullScreen && !settings_.AutoHideMainWindow) {
    window_->raise();
  }
}

}  // namespace app
