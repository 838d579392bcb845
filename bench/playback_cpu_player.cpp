// Plays one file in a video window through the player's engine, window and
// controller, and prints: the window size, the time from the open call to the
// first painted picture, the pictures painted against the pictures expected,
// and (with --seek) the time of an accurate seek to the middle of the paused
// movie until its picture is painted.
//   playback_cpu_player movie [--seek] [--window WxH] [--open-after MS]
// --window: the window's client size (default: the movie's own size).
// --open-after: the open command comes MS ms after the window shows, as a
// user's would, with the engine warmed in the background meanwhile; without
// it the movie opens at once in a fresh process.
#include <sys/resource.h>
#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "playback/gst_engine.h"
#include "playback/player.h"
#include "ui/videowindow/video_playback.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s movie [--seek] [--window WxH] [--open-after MS]\n", argv[0]);
    return 2;
  }
  const std::string movie = argv[1];
  bool seekTest = false;
  int windowW = 0, windowH = 0, openAfterMs = -1;
  for (int i = 2; i < argc; ++i) {
    if (std::strcmp(argv[i], "--seek") == 0) seekTest = true;
    if (std::strcmp(argv[i], "--window") == 0 && i + 1 < argc)
      std::sscanf(argv[++i], "%dx%d", &windowW, &windowH);
    if (std::strcmp(argv[i], "--open-after") == 0 && i + 1 < argc)
      openAfterMs = std::atoi(argv[++i]);
  }
  const std::string data = std::filesystem::temp_directory_path() / "tarvelino-bench-data/";
  std::filesystem::create_directories(data);

  settings::Settings settings;
  settings.AutoPlayOnLoad = !seekTest;
  settings.AutoLoadSubtitle = false;
  settings.LoadAtOriginalMovieSize = windowW <= 0;
  playback::Player player(settings, texts::builtInTexts(),
                          {.programName = "Tarvelino", .dataFolder = data, .nullAudio = true});
  ui::VideoPlayback video(player, settings, "Tarvelino");
  video.window().resize(windowW > 0 ? windowW : 1280, windowH > 0 ? windowH : 720);
  video.window().show();
  auto& hooks = player.controller().hooks();
  hooks.showMessage = [](const std::string& m) {
    std::fprintf(stderr, "message: %s\n", m.c_str());
  };
  hooks.closePlayer = [&] { QCoreApplication::exit(0); };
  video.start();

  if (openAfterMs >= 0) {
    // The player has started: its window shows and the engine warms up
    // while the user picks a movie.
    playback::warmUpEngineInBackground(false);  // the bench plays without sound
    QTimer::singleShot(openAfterMs, &app, [] { QCoreApplication::exit(0); });
    app.exec();
  }

  // CPU time of the whole process (every thread), which the machine's load
  // does not stretch the way it stretches the wall-clock time.
  const auto cpuMs = [] {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return (u.ru_utime.tv_sec + u.ru_stime.tv_sec) * 1e3 +
           (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e3;
  };
  const double cpuAtOpenMs = cpuMs();
  double openCpuMs = -1;
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
      openCpuMs = cpuMs() - cpuAtOpenMs;
      poll.setInterval(seekTest ? 1 : 100);
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
  const QSize windowSize = video.window().size();
  const QRect pictureRect = video.window().pictureRect();
  app.exec();
  video.stop();
  const uint64_t painted = video.window().paintedFrames();
  const uint64_t received = player.engine().frameSerial();
  player.shutDown();
  std::printf("window=%dx%d\npicture=%dx%d\n", windowSize.width(), windowSize.height(),
              pictureRect.width(), pictureRect.height());
  std::printf("open_call_ms=%.1f\nopen_to_first_frame_ms=%.1f\nopen_cpu_ms=%.1f\n", openCallMs,
              firstFrameMs, openCpuMs);
  if (seekTest) {
    std::printf("seek_to_middle_ms=%.1f\n", seekMs);
  } else {
    const long expected = std::lround(rate * lengthS);
    std::printf("received_frames=%llu\npainted_frames=%llu\nexpected_frames=%ld\ndropped=%ld\n",
                static_cast<unsigned long long>(received), static_cast<unsigned long long>(painted),
                expected, std::max<long>(0, expected - long(painted)));
  }
  return 0;
}
