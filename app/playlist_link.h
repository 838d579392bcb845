#pragma once
// The playlist window as commands of the main window's adapter: the main
// window's playlist button closes it when it shows and shows it otherwise;
// the "Playlist" menu item (F10, Alt+E, Alt+P) only shows it. Keys the window
// does not act on go to the player's key dispatch; closing the window saves
// the automatic playlist (or deletes it when the list is empty).
// Interface thread only.
#include <QObject>
#include <QPointer>
#include <QTimer>

#include <functional>
#include <memory>

#include "playback/player.h"
#include "settings/folders.h"
#include "settings/settings.h"
#include "ui/main_window_playback.h"

namespace ui {
class TfrmPlayList;
}

namespace app {

class PlaylistLink : public QObject {
  Q_OBJECT
 public:
  // All references must outlive the link. video is the video window;
  // videoFullScreen tells whether it is full screen. Wraps the adapter's
  // togglePlaylist and menuCommand hooks; what it does not serve goes on.
  PlaylistLink(ui::MainWindowPlayback& adapter, playback::Player& player,
               settings::Settings& settings, const settings::Folders& folders, QWidget& video,
               std::function<bool()> videoFullScreen);
  ~PlaylistLink() override;

  ui::TfrmPlayList& window() { return *window_; }
  // The movie list while the window shows, else null (remote playlist keys).
  QWidget* visibleMovieList() const;
  // Start-up: shows the window when PlayListShow was on.
  void showAtStart();
  // Exit: PlayListShow, the position and the size into the settings.
  void storeSettings();

 private:
  void played();

  ui::MainWindowPlayback& adapter_;
  playback::Player& player_;
  settings::Settings& settings_;
  const settings::Folders& folders_;
  QPointer<QWidget> video_;
  std::function<bool()> videoFullScreen_;
  std::unique_ptr<ui::TfrmPlayList> window_;
  QTimer watch_;  // follows changes the player makes to the list
};

}  // namespace app
