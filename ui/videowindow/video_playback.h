#pragma once
// The interface side of the playback: the video window, the two timers
// (GeneralTimer every 20 ms, ResetTimer every 10 s while playing) and the
// keep-awake request, wired into a playback::Player's controller.
//
// The main program makes, in this order: the settings, a playback::Player,
// then one VideoPlayback; sets the remaining hooks of
// player.controller().hooks() (showMessage, isMinimized, closePlayer, ...);
// calls player.restore(), start(), and then
// player.controller().OpenCommandLine(paths). At exit: stop(), then
// player.shutDown(). The due subtitle entry is laid out and drawn by the
// subtitle layer. Interface thread only.
#include <QObject>
#include <QTimer>
#include <memory>

#include "platform/keep_awake.h"
#include "playback/player.h"
#include "ui/videowindow/subtitle_layer.h"
#include "ui/videowindow/video_window.h"

namespace ui {

class VideoPlayback : public QObject {
  Q_OBJECT

 public:
  // player and settings must outlive this object.
  VideoPlayback(playback::Player& player, settings::Settings& settings,
                const std::string& programName, QObject* parent = nullptr);
  ~VideoPlayback() override;

  TfrmVideoWindow& window() { return *window_; }
  // The lines of the subtitle entry on the picture; empty when none.
  const std::vector<std::string>& subtitleLines() const { return subtitleLayer_.displayLines(); }
  SubtitleLayer& subtitleLayer() { return subtitleLayer_; }
  // The subtitle appearance commands: each ends with its on-screen message.
  void MoveSubtitleUp() { moveSubtitle(true); }
  void MoveSubtitleDown() { moveSubtitle(false); }
  void IncreaseSubtitleSize() { resizeSubtitle(true); }
  void DecreaseSubtitleSize() { resizeSubtitle(false); }
  // A font chosen in the subtitle font dialog: name, style (settings::FontStyle)
  // and SubtitleSize become the subtitle's look, the entry on the picture is
  // laid out again and the open movie's settings are saved at the next tick.
  void SubtitleFontChosen(const std::string& name, int style, int subtitleSize);
  // "Disable subtitle": switches a loaded subtitle off or on again (nothing
  // without one); the lines leave the picture at the next update.
  void ToggleSubtitles();
  // Subtitle time correction: every entry later by deltaMs (earlier when
  // negative), while a subtitle is loaded and on.
  void ShiftSubtitleTimes(int64_t deltaMs);
  // The subtitle settings changed (the configuration dialog's Apply): the
  // entry on the picture is laid out again with them and redrawn.
  void RelayOutSubtitle();

  // Starts the 20 ms update; stop() ends both timers and releases the
  // keep-awake request.
  void start();
  void stop();

 private:
  playback::Player& player_;
  settings::Settings& settings_;
  std::unique_ptr<TfrmVideoWindow> window_;
  QTimer generalTimer_;
  QTimer resetTimer_;
  platform::KeepAwake keepAwake_;
  SubtitleLayer subtitleLayer_;

  void onWheel(bool up);
  void moveSubtitle(bool up);
  void resizeSubtitle(bool larger);
  // A user change of the subtitle look: leaves movie mode and makes the look
  // the global one (no return to it when the movie closes).
  void subtitleLookChanged();
  // LayOutSubtitle for entry `entry` of the store (nothing shown when out of range).
  void layOutEntry(int entry);
  int shownEntry_ = -1;
};

}  // namespace ui
