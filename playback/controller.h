#pragma once
// The playback controller: opening movies and lists, the transport commands,
// volume and mute, seeking, the end of a movie, and the 20 ms update
// (GeneralTimer) with the keep-awake timer (ResetTimer). Plain C++ against the
// Engine interface; interface thread only; every public call swallows its own
// errors so a fault never stops the timers.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "playback/engine.h"
#include "playback/osd.h"
#include "playback/player_state.h"
#include "playback/video_surface.h"
#include "playlist/playlist.h"
#include "settings/settings.h"
#include "subtitles/subtitle_store.h"
#include "texts/interface_texts.h"

namespace playback {

// A movie's remembered record as the opening sequence uses it.
struct RememberedMovie {
  int PanScan = 0;
  double AspectRatio = 1.33;  // below 0: KeepAspectRatio off
  int OffsetX = 0, OffsetY = 0;
  int WindowWidth = 0, WindowHeight = 0;  // 0: no size remembered
  int64_t PositionMs = 0;
  bool FullScreen = false;
  int AudioVolume = 5000;  // volume position x 500, 0..10000
};

// What the controller needs of the rest of the player. Every hook may be left
// empty; the default is given at each.
struct PlaybackHooks {
  // The message window (default: nothing).
  std::function<void(const std::string& text)> showMessage;
  // Frames per second of a file's first video stream, 0 when unknown. Empty:
  // the engine's rate of the loaded movie is used instead.
  std::function<double(const std::string& path)> probeFrameRate;
  // Remembered settings: looks the movie up and applies its subtitle and
  // colour overrides as the Remember* settings say (default: no entry).
  std::function<std::optional<RememberedMovie>(const std::string& path)> lookUpMovie;
  // Puts back the subtitle and colour overrides (default: nothing).
  std::function<void()> putBackOverrides;
  // Records the open movie's settings; the position is given (default: nothing).
  std::function<void(const std::string& path, int64_t positionMs)> recordMovie;
  // Writes the remembered-settings file (default: nothing).
  std::function<void()> saveRemembered;
  // Milliseconds since the remembered-settings file was last written (default: large).
  std::function<int64_t()> msSinceLastSave;
  // True while the open movie must not be recorded: the profiles editor is open
  // or deleted its record (default false).
  std::function<bool()> skipRecordOnce;
  // The keep-awake request while playing, and the screen-saver poke of each
  // ResetTimer tick (default: nothing).
  std::function<void(bool on)> keepAwake;
  std::function<void()> pokeScreenSaver;
  // Starts or stops the 10 s ResetTimer (default: nothing).
  std::function<void(bool on)> setResetTimer;
  // Hides the mouse pointer after 3 s without movement while on (default: nothing).
  std::function<void(bool on)> setCursorAutoHide;
  // Application state (defaults: not minimized, nothing to flash or show).
  std::function<bool()> isMinimized;
  std::function<void()> flashTaskbar;
  std::function<void()> showMainWindow;
  // Ends the program the normal way (default: nothing).
  std::function<void()> closePlayer;
  // Power-off after playback: whether it is checked and idle, and starting it
  // (it must return at once: the countdown runs on its own timer).
  std::function<bool()> powerOffArmed;
  std::function<void()> startPowerOff;
  // The Filters menu's elements after an open; empty list after a close.
  std::function<void(const std::vector<FilterInfo>&)> filtersChanged;
  // A movie opened (bookmarks, recent files) or closed (full: forget it).
  std::function<void(const std::string& path)> movieOpened;
  std::function<void(bool full)> movieClosed;
  // The "Open movie(s)" dialog, for Play without a movie (default: nothing).
  std::function<void()> openMoviesDialog;
  // The position was moved by a key, a menu command or the jump dialog, to
  // positionMs (default: nothing). Seek-bar moves do not call it.
  std::function<void(int64_t positionMs)> seeked;
  // Enters or leaves full screen (default: nothing).
  std::function<void(bool on)> setFullScreen;
  // Removes the Movie mode check mark; its saved values stay unused (default: nothing).
  std::function<void()> uncheckMovieMode;
  // The automatic pan-scan size for the picture (default: none).
  std::function<int(const video::PictureState&)> automaticPanScan;
  // Subtitle layer: lay out and show an entry of the store; clear the lines.
  std::function<void(int entry)> showSubtitle;
  std::function<void()> clearSubtitle;
  // Pauses the interface thread (default: nothing, for tests).
  std::function<void(int ms)> wait;
  // Monotonic milliseconds (default: steady clock) and the local "hh:nn".
  std::function<int64_t()> nowMs;
  std::function<std::string()> clockText;
};

class PlaybackController : public EngineListener {
 public:
  // Every reference must outlive the controller; texts may be replaced with
  // setTexts after a language change. The surface may be attached later.
  PlaybackController(Engine& engine, settings::Settings& settings,
                     const texts::InterfaceTexts& texts, PlayerState& state, Osd& osd,
                     playlist::Playlist& playlist, subtitles::SubtitleStore& subtitles,
                     PlaybackHooks hooks);
  ~PlaybackController() override;

  void setSurface(VideoSurface* surface) { surface_ = surface; }
  VideoSurface* surface() const { return surface_; }
  // A subtitle was attached to the open movie (label: its file name) or
  // dropped (empty label): the label changes and the layer is cleared.
  void subtitleAttached(const std::string& label);
  // Loads a subtitle file for the open movie (the subtitle list's choice, a
  // dropped file): the store, its loaded flag, the label (the file name, or
  // "No subtitle" when the load failed) and the layer. Shows the load's message
  // unless silent. Returns success.
  bool loadSubtitleFile(const std::string& path, bool silent);
  // The open movie shows no subtitle any more: SubtitleLoaded false, the lines
  // cleared, the label "No subtitle".
  void unloadSubtitle();
  // The hooks, to be completed by the windows once they exist.
  PlaybackHooks& hooks() { return hooks_; }
  void setTexts(const texts::InterfaceTexts& texts) { texts_ = &texts; }
  // ProgramName, for the application title.
  void setProgramName(std::string name) { programName_ = std::move(name); }
  // How long an open may wait for the engine's first picture.
  static constexpr int kOpenTimeLimitMs = 15000;
  const MainDisplay& display() const { return display_; }
  int volumePosition() const { return settings_.AudioVolume; }

  // Opening. OpenFileList takes dropped or handed-over paths (start index 0
  // for drops, -1 for a second start). OpenMovie opens CurrentMovie.
  void OpenFileList(const std::vector<std::string>& paths, int startIndex);
  void OpenMovie(bool playOnOpen, bool singleMovie);
  // The files chosen in the "Open movie(s)" dialog, in dialog order; with
  // LoadEntireFolder and one file, its folder's movies are opened from it.
  void OpenChosenFiles(const std::vector<std::string>& chosen);
  // Opens the command line's files: one movie, playlist or folder, or a list.
  void OpenCommandLine(const std::vector<std::string>& paths);
  // full false is the Stop command; true also forgets the movie.
  void CloseMovie(bool full);

  // The close-movie command (Ctrl+F4): stops a playing or paused movie, then,
  // when a movie is named or was just stopped, forgets it entirely (graph,
  // subtitle, labels, title, CurrentMovie) and shows "Close movie". Nothing
  // while Busy or OpeningBusy.
  void CloseMovieCommand();

  // Transport.
  void Play();
  void Pause();
  void Stop();
  void Previous();
  void Next();
  void RepeatClick();
  void VolumeUp();
  void VolumeDown();
  void MuteToggle();
  // Shows the OSD text through the message display rule.
  void ShowOsd(const std::string& text);
  // A command's message from outside the controller (colour control, frame
  // capture): stops the live position message first, so the next tick does
  // not write the position over it.
  void ShowCommandOsd(const std::string& text) {
    runningPosition_ = false;
    ShowOsd(text);
  }

  // Moves.
  void Rewind() { stepBy(-int64_t(settings_.SecondesToJump) * 1000, false); }
  void Forward() { stepBy(int64_t(settings_.SecondesToJump) * 1000, false); }
  void FastRewind() { stepBy(-int64_t(settings_.SecondesToFastJump) * 1000, true); }
  void FastForward() { stepBy(int64_t(settings_.SecondesToFastJump) * 1000, true); }
  void GoToStart();
  void GoToEnd();
  // The seek bar: to min(ms, duration - 10); keyFrame while dragging.
  void SeekToMs(int64_t ms, bool keyFrame = false);
  // The jump dialog's confirmed time in seconds (already checked); returns
  // the time actually used (capped at the duration).
  int64_t JumpToSeconds(int64_t seconds);
  int64_t LastJumpSeconds() const { return lastJumpSeconds_; }
  // QuickTimeInfo: the position as an on-screen message that the update keeps
  // current while it shows. Ignored while Busy or without a movie.
  void QuickTimeInfo();
  // Switches the time display between times and frames.
  void MovieTimesLabelClick();

  // Timers: GeneralTimer every 20 ms from start to end; ResetTimer every 10 s
  // while a movie plays (started and stopped through hooks.setResetTimer).
  void GeneralTimerTimer();
  void ResetTimerTimer();

  // Engine events (from Engine::pollEvents, called by the tick).
  void onEngineEvent(const EngineEvent& event) override;

  bool movieOpen() const { return engine_.active() && !state_.CurrentMovie.empty(); }
  bool playing() const { return engine_.state() == EngineState::Playing; }

 private:
  struct Snapshot {
    bool fullScreen = false;
    double aspectRatio = -1.0;
    int panScan = 0;
    int windowWidth = 0, windowHeight = 0;
    int offsetX = 0, offsetY = 0;
    int videoWidth = 0, videoHeight = 0;
  };

  const texts::InterfaceTexts& t() const { return *texts_; }
  void touch() { ++display_.revision; }
  void applyVolume();
  void openSteps(bool playOnOpen, bool singleMovie);
  void UnableToRender();
  void putBackOverrides();
  void clearSubtitleLayer();
  void resetTransportDisplay(bool full);
  void takeSnapshot();
  bool snapshotApplies(int w, int h) const;
  void endOfMovie();
  bool endOfMovieInTick();
  void failedAdvanceInTick();
  bool startPowerOffCountdown();
  void updatePosition();
  void stepBy(int64_t deltaMs, bool fast);
  void moveTo(int64_t units);
  int64_t durationMs() const { return engine_.duration() / kUnitsPerMs; }
  int64_t now() const;
  void startResetTimer(bool on);

  Engine& engine_;
  settings::Settings& settings_;
  const texts::InterfaceTexts* texts_;
  PlayerState& state_;
  Osd& osd_;
  playlist::Playlist& playlist_;
  subtitles::SubtitleStore& subtitles_;
  PlaybackHooks hooks_;
  VideoSurface* surface_ = nullptr;
  std::string programName_ = "Tarvelino";
  MainDisplay display_;

  bool endOfMovieFlag_ = false;
  bool autoAdvance_ = false;
  bool openFailedDuringAdvance_ = false;
  int failedAdvances_ = 0;  // consecutive failed automatic opens
  bool runningPosition_ = false;
  bool subtitleShown_ = false;
  Snapshot snapshot_;
  std::optional<int> volumeToPutBack_;   // volume position before a remembered one
  std::optional<int> panScanToPutBack_;  // PanScanSize before a remembered one
  int64_t lastJumpSeconds_ = 0;
  ColorControl appliedColor_{-1, -1, -1, -1};
};

}  // namespace playback
