// Whole-program test on a real X display: a movie plays with the subtitle
// found beside it, and the texts on the picture are read back from a
// screenshot with OCR (tesseract): the subtitle's words while it plays, and
// the message "Pause" after the space key pauses it.
#include <gtest/gtest.h>

#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <filesystem>
#include <fstream>

#include "tests/app/h264_clip.h"
#include "tests/app/player_profile.h"
#include "tests/app/x_windows.h"

namespace app {
namespace {

QString run(const QString& program, const QStringList& args, int timeoutMs = 30000) {
  QProcess p;
  p.start(program, args);
  p.waitForFinished(timeoutMs);
  return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
}

bool have(const QString& tool) {
  return !run("sh", {"-c", "command -v " + tool}).isEmpty();
}

// A 10-second 640 x 480 H.264/AAC clip on a dark picture (a moving ball).
QString makeDarkClip(const QString& folder) {
  return makeH264Clip(folder, "ball", 640, 480, 200, 430);
}

// The words tesseract reads in a grab of `window`, enlarged twice for it.
QString readWindow(const QString& window, const QString& folder) {
  const QString shot = folder + "/shot.png";
  const QString big = folder + "/shot2.png";
  run("import", {"-window", window, shot});
  run("convert", {shot, "-resize", "200%", big});
  return run("tesseract", {big, "stdout"}, 60000);
}

TEST(ScreenTextTest, SubtitleAndPauseMessageAppearOnThePicture) {
  if (qgetenv("DISPLAY").isEmpty() || !have("xdotool") || !have("tesseract") || !have("import"))
    GTEST_SKIP() << "needs an X display, xdotool, ImageMagick and tesseract";
  QTemporaryDir dir;
  const QString clip = makeDarkClip(dir.path());
  ASSERT_FALSE(clip.isEmpty());
  {
    // Several entries, so that the file passes the subtitle checks.
    std::ofstream srt((dir.path() + "/clip.srt").toStdString(), std::ios::binary);
    for (int i = 0; i < 5; ++i)
      srt << i + 1 << "\r\n00:00:" << (i * 12 < 10 ? "0" : "") << i * 12
          << ",000 --> 00:00:" << i * 12 + 11 << ",900\r\nHELLO THERE\r\nSECOND LINE\r\n\r\n";
  }
  QProcess player;
  player.setProcessEnvironment(
      playerProfile(dir.path(),
                    "FirstRun=0\r\nMainXPosition=10000\r\nMainYPosition=50000\r\n"
                    "AutoCloseVideoWindow=1\r\n"));
  player.start(TARVELINO_EXE, {clip});
  ASSERT_TRUE(player.waitForStarted());

  QString window;
  for (int i = 0; i < 150 && window.isEmpty(); ++i) {
    window = playerWindow("TarvelinoVideoWindow", true);
    if (window.isEmpty()) QThread::msleep(100);
  }
  ASSERT_FALSE(window.isEmpty()) << "no video window on the display";

  // The subtitle shows from the movie's start; a loaded machine may need a
  // few tries before the first frames are painted.
  QString seen;
  bool subtitle = false;
  for (int attempt = 0; attempt < 8 && !subtitle; ++attempt) {
    QThread::msleep(600);
    seen = readWindow(window, dir.path());
    subtitle = seen.contains("HELLO") && seen.contains("LINE");
  }
  EXPECT_TRUE(subtitle) << "read: " << seen.toStdString();

  // The message lives about 1.1 s: grab it at once, and pause again (space
  // plays, space pauses) when a slow grab missed it.
  bool pause = false;
  for (int attempt = 0; attempt < 3 && !pause; ++attempt) {
    run("xdotool", {"windowfocus", "--sync", window});
    run("xdotool", {"key", "--window", window, "space"});
    QThread::msleep(150);
    seen = readWindow(window, dir.path());
    pause = seen.contains("Pause");
    if (!pause) run("xdotool", {"key", "--window", window, "space"});
  }
  EXPECT_TRUE(pause) << "read: " << seen.toStdString();

  player.terminate();
  EXPECT_TRUE(player.waitForFinished(20000));
}

}  // namespace
}  // namespace app
