// Whole-program journeys on a real X display, each as a user would make it:
// the player started from the command line, keys typed into its windows with
// xdotool, and what it shows and writes read back. Each runs a few seconds on
// small generated clips.
#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QRegularExpression>

#include <fstream>

#include "tests/app/journey.h"

namespace app {
namespace {

const QString kMain = "TarvelinoMainWindow";
const QString kVideo = "TarvelinoVideoWindow";

QString titleOf(const QString& movie) {
  return "\"Tarvelino - '" + movie + "'\"";
}

// Seconds of a remembered "LastVideoPosition=hh:mm:ss" in a remembered-settings
// file; -1 when there is none.
int rememberedSeconds(const QByteArray& file) {
  const QRegularExpressionMatch m =
      QRegularExpression("LastVideoPosition=(\\d+):(\\d\\d):(\\d\\d)").match(QString(file));
  if (!m.hasMatch()) return -1;
  return m.captured(1).toInt() * 3600 + m.captured(2).toInt() * 60 + m.captured(3).toInt();
}

#define REQUIRE_JOURNEY_TOOLS() \
  if (!journeyToolsPresent()) GTEST_SKIP() << "needs an X display, xdotool and xprop"

// A folder given on the command line becomes the playlist; B and Z walk it.
TEST(JourneyTest, FolderFromTheCommandLineWalkedWithNextAndPrevious) {
  REQUIRE_JOURNEY_TOOLS();
  Journey j("");
  const QString clip = j.clip(20);
  ASSERT_FALSE(clip.isEmpty());
  const QString movies = j.folder() + "/movies";
  ASSERT_TRUE(QDir().mkpath(movies));
  for (const char* name : {"a.mp4", "b.mp4", "c.mp4"})
    ASSERT_TRUE(QFile::copy(clip, movies + "/" + name));
  QFile(movies + "/notes.txt").open(QIODevice::WriteOnly);  // not a movie: left out
  j.start({movies});
  ASSERT_TRUE(j.waitForTitle(titleOf("a.mp4"))) << j.mainTitle().toStdString();
  const struct {
    const char* key;
    const char* movie;
  } steps[] = {{"b", "b.mp4"}, {"b", "c.mp4"}, {"z", "b.mp4"}, {"z", "a.mp4"}};
  for (const auto& step : steps) {
    SCOPED_TRACE(step.movie);
    j.type(kMain, {step.key});
    EXPECT_TRUE(j.waitForTitle(titleOf(step.movie))) << j.mainTitle().toStdString();
  }
  ASSERT_TRUE(j.closeByKey());
  const QString list = j.read(j.configFile("Tarvelino.mpl"));
  EXPECT_EQ(list, movies + "/a.mp4\r\nNo subtitle\r\n" + movies + "/b.mp4\r\nNo subtitle\r\n" +
                      movies + "/c.mp4\r\nNo subtitle\r\n");
}

// A movie closed in the middle opens at that place the next time, and after
// each close the configuration, the playlist and the remembered settings are
// whole and hold what the session changed.
TEST(JourneyTest, RememberedMovieResumesAfterARestartAndFilesStayIntact) {
  REQUIRE_JOURNEY_TOOLS();
  Journey j("RememberMovieSettings=1\r\nRememberLastMoviePosition=1\r\n");
  const QString clip = j.clip(20);
  ASSERT_FALSE(clip.isEmpty());

  j.start({clip});
  ASSERT_TRUE(j.waitForTitle(titleOf("clip.mp4")));
  QThread::msleep(3500);
  j.type(kMain, {"Up"});  // volume up: a setting the configuration keeps
  ASSERT_TRUE(j.closeByKey());
  const int first = rememberedSeconds(j.read(j.configFile("Tarvelino.rs")));
  EXPECT_GE(first, 2);
  EXPECT_LE(first, 10);

  const QByteArray ini = j.read(j.configFile("Tarvelino.ini"));
  EXPECT_TRUE(ini.startsWith("[Configuration]\r\n"));
  EXPECT_TRUE(ini.endsWith("\r\n"));
  EXPECT_EQ(ini.count("\r\n"), 94) << "every key once, after the section line";
  EXPECT_TRUE(ini.contains("\r\nAudioVolume=11\r\n")) << ini.toStdString();
  EXPECT_EQ(QString(j.read(j.configFile("Tarvelino.mpl"))), clip + "\r\nNo subtitle\r\n");
  EXPECT_TRUE(j.read(j.configFile("Tarvelino.rs")).startsWith("[clip.mp4]\r\n"));

  j.start({clip});
  ASSERT_TRUE(j.waitForTitle(titleOf("clip.mp4")));
  QThread::msleep(2500);
  ASSERT_TRUE(j.closeByKey());
  // Played on from the remembered place: without resuming it would be about 2 s.
  EXPECT_GE(rememberedSeconds(j.read(j.configFile("Tarvelino.rs"))), first + 2);
  // No temporary file of a write is left behind.
  const QStringList names = QDir(j.configFile("")).entryList(QDir::Files | QDir::Hidden);
  for (const QString& name : names)
    EXPECT_FALSE(QRegularExpression("\\.[A-Za-z0-9]{6}$").match(name).hasMatch())
        << name.toStdString();
}

// Alt+C in the video window writes the picture that shows, at the movie's size.
TEST(JourneyTest, CaptureFrameWritesThePictureShown) {
  REQUIRE_JOURNEY_TOOLS();
  Journey j("AutoPlayOnLoad=0\r\nCaptureType=2\r\n");
  const QString captures = j.folder() + "/captures/";
  ASSERT_TRUE(QDir().mkpath(captures));
  std::ofstream(j.configFile("Tarvelino.ini").toStdString(), std::ios::app | std::ios::binary)
      << "CaptureFolder=" << captures.toStdString() << "\r\n";
  const QString clip = j.clip(10);
  ASSERT_FALSE(clip.isEmpty());
  j.start({clip});
  ASSERT_TRUE(j.waitForTitle(titleOf("clip.mp4")));
  ASSERT_TRUE(waitUntil([&] { return !playerWindow(kVideo, true).isEmpty(); }));
  QThread::msleep(500);
  j.type(kVideo, {"alt+c"});
  QStringList files;
  EXPECT_TRUE(waitUntil([&] {
    files = QDir(captures).entryList({"Capture*.png"}, QDir::Files);
    return !files.isEmpty();
  }));
  ASSERT_EQ(files.size(), 1) << files.join(",").toStdString();
  QImage picture;
  ASSERT_TRUE(waitUntil([&] { return picture.load(captures + files[0]); }, 5000));
  EXPECT_EQ(picture.size(), QSize(320, 240));
  // The colour bars of the first frame: grey, then yellow, ..., then blue.
  const QColor grey = picture.pixelColor(20, 40), yellow = picture.pixelColor(70, 40),
               blue = picture.pixelColor(300, 40);
  EXPECT_GT(grey.red(), 150);
  EXPECT_NEAR(grey.red(), grey.blue(), 20);
  EXPECT_GT(yellow.green(), 150);
  EXPECT_LT(yellow.blue(), 80);
  EXPECT_GT(blue.blue(), 150);
  EXPECT_LT(blue.red(), 80);
  ASSERT_TRUE(j.closeByKey());
}

// F covers the screen; the first Esc brings the main window up over the
// picture, the second returns to the window as it was.
TEST(JourneyTest, FullScreenAndBack) {
  REQUIRE_JOURNEY_TOOLS();
  Journey j("");
  const QString clip = j.clip(20);
  ASSERT_FALSE(clip.isEmpty());
  j.start({clip});
  ASSERT_TRUE(j.waitForTitle(titleOf("clip.mp4")));
  ASSERT_TRUE(waitUntil([&] { return !playerWindow(kVideo, true).isEmpty(); }));
  QThread::msleep(500);
  const QRect windowed = j.geometry(kVideo);
  const QStringList screen = xOutput("xdotool", {"getdisplaygeometry"}).split(' ');
  ASSERT_EQ(screen.size(), 2);
  const QRect whole(0, 0, screen[0].toInt(), screen[1].toInt());
  ASSERT_NE(windowed, whole);

  j.type(kVideo, {"f"});
  EXPECT_TRUE(waitUntil([&] { return j.geometry(kVideo) == whole; }))
      << j.geometry(kVideo).width() << "x" << j.geometry(kVideo).height();
  j.type(kVideo, {"Escape"});
  QThread::msleep(500);
  EXPECT_EQ(j.geometry(kVideo), whole) << "the first Esc only raises the main window";
  j.type(kVideo, {"Escape"});
  EXPECT_TRUE(waitUntil([&] { return j.geometry(kVideo) == windowed; }));
  ASSERT_TRUE(j.closeByKey());
}

}  // namespace
}  // namespace app
