// Whole-program journeys on a real X display, each as a user would make it:
// the player started from the command line, keys typed into its windows with
// xdotool, and what it shows and writes read back. Each runs a few seconds on
// small generated clips.
#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QRegularExpression>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <vector>

#include "audio/dc_amplify.h"
#include "audio/processing_chain.h"
#include "tests/app/journey.h"
#include "tests/app/x_drop.h"

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

// Root mean square of 16-bit samples [from, to).
double rms(const std::vector<int16_t>& samples, size_t from, size_t to) {
  double sum = 0;
  to = std::min(to, samples.size());
  if (from >= to) return 0;
  for (size_t i = from; i < to; ++i) sum += double(samples[i]) * samples[i];
  return std::sqrt(sum / double(to - from));
}

std::vector<int16_t> samplesOf(const QByteArray& bytes) {
  std::vector<int16_t> out(size_t(bytes.size()) / 2);
  std::memcpy(out.data(), bytes.constData(), out.size() * 2);
  return out;
}

// The clip's sound decoded as 16-bit mono at 44.1 kHz (what the player hears).
std::vector<int16_t> decodedSound(const QString& clip, const QString& folder) {
  const QString raw = folder + "/decoded.raw";
  QProcess decode;
  decode.start("gst-launch-1.0",
               {"-q", "filesrc", "location=" + clip, "!", "decodebin", "!", "audioconvert", "!",
                "audioresample", "!", "audio/x-raw,format=S16LE,channels=1,rate=44100", "!",
                "filesink", "location=" + raw});
  decode.waitForFinished(60000);
  QFile f(raw);
  return f.open(QIODevice::ReadOnly) ? samplesOf(f.readAll()) : std::vector<int16_t>{};
}

// Alt+Down lowers the pre-amplification while the movie plays; what the
// player sends to the sound device gets quieter by what the processing chain
// does to the same sound with the same setting.
TEST(JourneyTest, EqualizerChangeIsHeardAsTheChainMakesIt) {
  REQUIRE_JOURNEY_TOOLS();
  Journey j("");
  const QString clip = j.clip(10);
  ASSERT_FALSE(clip.isEmpty());
  const QString heard = j.folder() + "/heard.raw";
  // The sound device is a file: 16-bit mono samples on the player's standard output.
  j.env().insert("TARVELINO_AUDIO_SINK",
                 "audioconvert ! audioresample ! audio/x-raw,format=S16LE,channels=1,rate=44100 ! "
                 "fdsink fd=1 sync=true");
  j.outputTo(heard);
  j.start({clip});
  ASSERT_TRUE(j.waitForTitle(titleOf("clip.mp4")));
  ASSERT_TRUE(waitUntil([&] { return !playerWindow(kVideo, true).isEmpty(); }));
  QThread::msleep(2500);
  // Ten steps of +5 on the pre-amplification slider: +50, that is -10 dB.
  j.type(kVideo, QStringList(10, "alt+Down"));
  ASSERT_TRUE(j.waitForEnd(30000)) << "the player did not close at the movie's end";

  const std::vector<int16_t> out = samplesOf(j.read(heard));
  ASSERT_GT(out.size(), 8u * 44100) << "the sound did not reach the device";
  // Before the keys (0.2 s to 1.5 s) and after them (the last two seconds).
  const double before = rms(out, 8820, 66150);
  const double after = rms(out, out.size() - 2 * 44100, out.size() - 4410);
  ASSERT_GT(before, 1000) << "no tone before the change";

  // The chain on the same sound: flat, then with the slider at +50.
  std::vector<int16_t> sound = decodedSound(clip, j.folder());
  ASSERT_GT(sound.size(), 8u * 44100);
  const auto through = [&](int slider) {
    std::vector<int16_t> copy = sound;
    audio::ProcessingChain chain;
    chain.setFormat(*audio::describeStream(44100, 1, 16, false, audio::kWaveFormatPcm));
    chain.amplify().setChannelGain(0, audio::preAmplificationGain(slider));
    for (size_t at = 0; at < copy.size(); at += 1024) {
      const size_t n = std::min<size_t>(1024, copy.size() - at);
      chain.process(reinterpret_cast<uint8_t*>(copy.data() + at), int64_t(n * 2));
    }
    return rms(copy, 44100, copy.size() - 44100);
  };
  const double expected = through(50) / through(0);
  std::printf("heard %.0f then %.0f (ratio %.3f), the chain gives %.3f\n", before, after,
              after / before, expected);
  EXPECT_NEAR(expected, 0.316, 0.02);
  EXPECT_NEAR(after / before, expected, expected * 0.1) << "heard " << before << " then " << after;
}

// A subtitle file dropped on the playing movie's picture becomes its subtitle,
// kept in the playlist for the movie.
TEST(JourneyTest, SubtitleDroppedOnThePlayingMovie) {
  REQUIRE_JOURNEY_TOOLS();
  Journey j("");
  const QString clip = j.clip(20);
  ASSERT_FALSE(clip.isEmpty());
  // Elsewhere than beside the movie, so that only the drop can bring it.
  const QString subtitle = j.folder() + "/subs/dropped.srt";
  ASSERT_TRUE(QDir().mkpath(j.folder() + "/subs"));
  std::ofstream(subtitle.toStdString(), std::ios::binary)
      << "1\r\n00:00:00,500 --> 00:00:09,000\r\nDROPPED WORDS\r\n\r\n"
         "2\r\n00:00:09,500 --> 00:00:18,000\r\nMORE WORDS\r\n\r\n"
         "3\r\n00:00:18,100 --> 00:00:19,000\r\nLAST\r\n";
  j.start({clip});
  ASSERT_TRUE(j.waitForTitle(titleOf("clip.mp4")));
  ASSERT_TRUE(waitUntil([&] { return !playerWindow(kVideo, true).isEmpty(); }));
  QThread::msleep(1000);
  const QRect video = j.geometry(kVideo);
  ASSERT_TRUE(xDropFiles(playerWindow(kVideo, true).toULong(), video.center().x(),
                         video.center().y(), {subtitle.toStdString()}))
      << "the video window refused the drop";
  QThread::msleep(500);
  EXPECT_EQ(j.mainTitle(), titleOf("clip.mp4")) << "the drop replaced the movie";
  ASSERT_TRUE(j.closeByKey());
  EXPECT_EQ(QString(j.read(j.configFile("Tarvelino.mpl"))).toStdString(),
            (clip + "\r\n" + subtitle + "\r\n").toStdString());
}

}  // namespace
}  // namespace app
