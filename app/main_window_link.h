#pragma once
// Joins the skinned main window to the playback: its buttons, sliders, labels
// and menu become controller commands, and what the controller shows (times,
// labels, transport looks, seek bar) is pushed into the window whenever it
// changes. Interface thread only.
#include <QObject>
#include <QTimer>

#include <functional>

#include "playback/player.h"
#include "ui/main_window.h"
#include "ui/main_window_commands.h"

namespace app {

class MainWindowLink : public QObject, public ui::MainWindowCommands {
  Q_OBJECT
 public:
  // player must outlive the link; the window is attached with attach().
  MainWindowLink(playback::Player& player, settings::Settings& settings);
  void attach(ui::TfrmMain* window);
  // Ends the player the normal way (the window's close, the exit command).
  void setCloseHandler(std::function<void()> close) { close_ = std::move(close); }
  // Shows or hides the video window (used by the playlist toggle until the
  // playlist window exists).
  void setVideoWindow(QWidget* video) { video_ = video; }

  // Pushes the controller's display into the window when it changed.
  void refresh();

  // ui::MainWindowCommands
  void openMovieDialog() override;
  void openSubtitleDialog() override;
  void play() override;
  void pause() override;
  void stop() override;
  void rewind() override;
  void forward() override;
  void previousMovie() override;
  void nextMovie() override;
  void volumeUp() override;
  void volumeDown() override;
  bool closePlayer() override;
  void setVolume(int level) override;
  void setMute(bool muted) override;
  void seek(int position, bool dragging) override;
  void settingsChanged(int delta) override;
  void switchTimesFrames() override;
  void cycleRepeat() override;
  void menuCommand(ui::MenuCommand command) override;
  void keyPressed(int key, Qt::KeyboardModifiers modifiers) override;
  void filesDropped(const std::vector<std::string>& paths) override;
  bool videoFullScreen() const override;

 private:
  playback::PlaybackController& controller() { return player_.controller(); }
  playback::Player& player_;
  settings::Settings& settings_;
  ui::TfrmMain* window_ = nullptr;
  QWidget* video_ = nullptr;
  std::function<void()> close_;
  QTimer refreshTimer_;
  uint64_t shownRevision_ = ~uint64_t(0);
};

}  // namespace app
