// The whole playback on real generated files: a movie given on the command
// line plays to its end and the player closes itself; a bad file ends in the
// message without freezing the interface.
#include <gtest/gtest.h>
#include <QApplication>
#include <QTest>

#include <filesystem>
#include <fstream>

#include "tests/playback/test_media.h"
#include "ui/videowindow/video_playback.h"

namespace ui {
namespace {

using playback::testing::testMedia;

QApplication& app() {
  static int argc = 1;
  static char name[] = "video_playback_test";
  static char* argv[] = {name, nullptr};
  // Never destroyed: Qt's own globals are gone by the time statics end.
  static QApplication* a = new QApplication(argc, argv);
  return *a;
}

class VideoPlaybackTest : public ::testing::Test {
 protected:
  VideoPlaybackTest() {
    app();
    char pattern[] = "/tmp/tarvelino-data-XXXXXX";
    data_ = std::string(mkdtemp(pattern)) + "/";
    settings_.RememberMovieSettings = true;
    player_ = std::make_unique<playback::Player>(
        settings_, texts::builtInTexts(),
        playback::PlayerOptions{
            .programName = "Tarvelino", .dataFolder = data_, .nullAudio = true});
    video_ = std::make_unique<VideoPlayback>(*player_, settings_, "Tarvelino");
    auto& h = player_->controller().hooks();
    h.closePlayer = [this] { ++closed_; };
    h.showMessage = [this](const std::string& m) { messages_.push_back(m); };
    video_->start();
  }
  ~VideoPlaybackTest() override {
    video_->stop();
    player_->shutDown();
    video_.reset();
    player_.reset();
    std::error_code ec;
    std::filesystem::remove_all(data_, ec);
  }
  std::string data_;
  settings::Settings settings_;
  std::unique_ptr<playback::Player> player_;
  std::unique_ptr<VideoPlayback> video_;
  int closed_ = 0;
  std::vector<std::string> messages_;
};

TEST_F(VideoPlaybackTest, PlaysACommandLineMovieToTheEndAndCloses) {
  // A subtitle beside the movie is found, loaded and shown at its time.
  const std::string srt = testMedia().folder + "/clip.srt";
  std::ofstream(srt) << "1\r\n00:00:00,300 --> 00:00:01,500\r\nHello there\r\n\r\n"
                        "2\r\n00:00:01,600 --> 00:00:02,000\r\nSecond\r\n\r\n"
                        "3\r\n00:00:02,100 --> 00:00:02,300\r\nThird\r\n";
  player_->controller().OpenCommandLine({testMedia().clip});
  EXPECT_EQ(player_->controller().display().SubtitleLabel, "clip.srt");
  EXPECT_TRUE(player_->controller().movieOpen());
  EXPECT_TRUE(video_->window().isVisible());
  bool sawPicture = false, sawTime = false, sawSubtitle = false;
  EXPECT_TRUE(QTest::qWaitFor(
      [&] {
        sawPicture |= player_->engine().frameSerial() > 10;
        sawSubtitle |= video_->subtitleLines() == std::vector<std::string>{"Hello there"};
        sawTime |= player_->controller().display().MovieTimes.find("00:00:01") != std::string::npos;
        return closed_ > 0;
      },
      20000));
  EXPECT_TRUE(sawPicture);
  EXPECT_TRUE(sawTime);
  EXPECT_TRUE(sawSubtitle);
  std::filesystem::remove(srt);
  EXPECT_TRUE(messages_.empty());
  // The movie was recorded and the remembered settings written on close.
  player_->shutDown();
  EXPECT_TRUE(std::filesystem::exists(data_ + "Tarvelino.rs"));
}

TEST_F(VideoPlaybackTest, BadFilesEndInTheMessage) {
  const std::string invalid = texts::builtInTexts().Messages[20];
  const struct {
    const char* name;
    std::string file;
    std::string message;
  } rows[] = {
      {"text named .avi", testMedia().textAvi, invalid},
      {"truncated", testMedia().truncated, invalid},
      {"audio only", testMedia().audioOnly, invalid},
      {"missing", testMedia().missing, "File \"" + testMedia().missing + "\" doesn't exist!"},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    messages_.clear();
    player_->controller().OpenCommandLine({r.file});
    QTest::qWait(50);
    EXPECT_FALSE(player_->controller().movieOpen());
    EXPECT_FALSE(player_->state().OpeningBusy);
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0], r.message);
  }
}

TEST_F(VideoPlaybackTest, SubtitleLookCommandsShowTheirMessages) {
  const struct {
    void (VideoPlayback::*command)();
    int zone, size;
    int zoneAfter, sizeAfter;
    const char* message;
  } rows[] = {
      {&VideoPlayback::MoveSubtitleUp, 50, 100, 50, 100, "Subtitle vertical position: 50%"},
      {&VideoPlayback::MoveSubtitleUp, 15, 100, 16, 100, "Subtitle vertical position: 16%"},
      {&VideoPlayback::MoveSubtitleDown, 0, 100, 0, 100, "Subtitle vertical position: 0%"},
      {&VideoPlayback::IncreaseSubtitleSize, 15, 97, 15, 100, "Subtitle size: 100%"},
      {&VideoPlayback::IncreaseSubtitleSize, 15, 998, 15, 1000, "Subtitle size: 1000%"},
      {&VideoPlayback::DecreaseSubtitleSize, 15, 12, 15, 10, "Subtitle size: 10%"},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.message);
    settings_.AverageVerticalDisplayZone = r.zone;
    settings_.SubtitleSize = r.size;
    (video_.get()->*r.command)();
    EXPECT_EQ(settings_.AverageVerticalDisplayZone, r.zoneAfter);
    EXPECT_EQ(settings_.SubtitleSize, r.sizeAfter);
    EXPECT_EQ(player_->osd().message(), r.message);
  }
}

// "Disable subtitle" and the time correction act on a loaded subtitle only,
// each with its message.
TEST_F(VideoPlaybackTest, SubtitleSwitchAndTimeCorrectionShowTheirMessages) {
  subtitles::SubtitleStore& store = player_->subtitles();
  const std::string srt = data_ + "clip.srt";
  {
    std::ofstream out(srt, std::ios::binary);
    for (int i = 0; i < 5; ++i)
      out << i + 1 << "\r\n00:00:0" << i << ",000 --> 00:00:0" << i << ",900\r\nLine " << i
          << "\r\n\r\n";
  }
  const struct {
    const char* name;
    bool load;
    void (*command)(VideoPlayback&);
    bool enabledAfter;
    const char* message;  // "" when nothing is shown
  } rows[] = {
      {"NoSubtitleToSwitch", false, [](VideoPlayback& v) { v.ToggleSubtitles(); }, true, ""},
      {"NoSubtitleToShift", false, [](VideoPlayback& v) { v.ShiftSubtitleTimes(-500); }, true, ""},
      {"SwitchOff", true, [](VideoPlayback& v) { v.ToggleSubtitles(); }, false,
       "Subtitle disabled"},
      {"OffDoesNotShift", false, [](VideoPlayback& v) { v.ShiftSubtitleTimes(500); }, false, ""},
      {"SwitchOn", false, [](VideoPlayback& v) { v.ToggleSubtitles(); }, true, "Subtitle enabled"},
      {"Earlier", false, [](VideoPlayback& v) { v.ShiftSubtitleTimes(-500); }, true,
       "Subtitle time correction: -0.5 sec"},
      {"Later", false, [](VideoPlayback& v) { v.ShiftSubtitleTimes(1500); }, true,
       "Subtitle time correction: 1.0 sec"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    if (row.load) {
      ASSERT_TRUE(store.LoadSubtitle(srt, settings_, texts::builtInTexts()).ok);
    }
    player_->osd().clear();
    row.command(*video_);
    EXPECT_EQ(store.SubtitlesEnabled(), row.enabledAfter);
    EXPECT_EQ(player_->osd().message(), row.message);
  }
}

}  // namespace
}  // namespace ui
