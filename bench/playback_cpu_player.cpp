// Plays one file in a 1280x720 video window through the player's engine,
// window and controller, and prints: the time from the open call to the first
// painted picture, the pictures painted against the pictures expected, and
// (with --seek) the time of an accurate seek to the middle of the paused movie
// until its picture is painted.
#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <cstdio>
#include <filesystem>

#include "playback/player.h"
#include "ui/videowindow/video_playback.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s movie [--seek]\n", argv[0]);
    return 2;
  }
  const std::string movie = argv[1];
  const bool seekTest = argc > 2 && std::string(argv[2]) == "--seek";
  const std::string data = std::filesystem::temp_directory_path() / "tarvelino-bench-data/";
  std::filesystem::create_directories(data);

  settings::Settings settings;
  settings.AutoPlayOnLoad = !seekTest;
  settings.AutoLoadSubtitle = false;
  playback::Player player(settings, texts::builtInTexts(),
                          {.programName = "Tarvelino", .dataFolder = data, .nullAudio = false});
  ui::VideoPlayback video(player, settings, "Tarvelino");
  video.window().resize(1280, 720);
  video.window().show();
  auto& hooks = player.controller().hooks();
  hooks.showMessage = [](const std::string& m) {
    std::fprintf(stderr, "message: %s\n", m.c_str());
  };
  hooks.closePlayer = [&] { QCoreApplication::exit(0); };
  video.start();

  QElapsedTimer clock;
  clock.start();
  player.controller().OpenCommandLine({movie});
  const double openCallMs = clock.nsecsElapsed() / 1e6;
  double firstFrameMs = -1, seekMs = -1;
  uint64_t seekFromPainted = 0;
  bool seeking = false;
  QElapsedTimer seekClock;
  const int64_t half = player.engine().duration() / 2;

  QTimer poll;
  poll.setInterval(1);
  QObject::connect(&poll, &QTimer::timeout, [&] {
    const uint64_t painted = video.window().paintedFrames();
    if (firstFrameMs < 0 && painted > 0) {
      firstFrameMs = clock.nsecsElapsed() / 1e6;
      if (seekTest) {
        seekFromPainted = painted;
        seeking = true;
        seekClock.start();
        player.engine().setPosition(half, playback::SeekMode::Accurate);
      }
    }
    if (seeking && painted > seekFromPainted &&
        std::llabs(player.engine().currentPosition() - half) < 50 * playback::kUnitsPerMs) {
      seekMs = seekClock.nsecsElapsed() / 1e6;
      QCoreApplication::exit(0);
    }
  });
  poll.start();
  if (!player.controller().movieOpen()) return 1;
  const double rate = player.state().MovieFrameRate;
  const double lengthS = player.engine().duration() / 1e7;
  app.exec();
  video.stop();
  const uint64_t painted = video.window().paintedFrames();
  player.shutDown();
  std::printf("open_call_ms=%.1f\nopen_to_first_frame_ms=%.1f\n", openCallMs, firstFrameMs);
  if (seekTest) {
    std::printf("seek_to_middle_ms=%.1f\n", seekMs);
  } else {
    const long expected = std::lround(rate * lengthS);
    std::printf("painted_frames=%llu\nexpected_frames=%ld\ndropped_frames=%ld\n",
                static_cast<unsigned long long>(painted), expected,
                std::max<long>(0, expected - long(painted)));
  }
  return 0;
}
