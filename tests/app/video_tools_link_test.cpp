// Colour control and frame capture reached through the main window's keys
// and menu, on a real movie: the capture is written off the interface thread,
// decodes back with the movie's size and pattern, and a capture that cannot
// be written shows the failure message and leaves nothing behind.
#include "app/video_tools_link.h"

#include <QApplication>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "tests/app/player_link_fixture.h"
#include "tests/playback/test_media.h"
#include "tests/video/image_decode.h"
#include "video/window/color_control_window.h"

namespace app {
namespace {

namespace fs = std::filesystem;
using playback::testing::testMedia;

std::string slurp(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

class VideoToolsTest : public PlayerLinkTest {
 protected:
  VideoToolsTest() {
    settings_.RememberMovieSettings = false;
    settings_.AutoLoadSubtitle = false;
    startPlayer();
    player_->controller().hooks().showMessage = [this](const std::string& m) {
      messages_.push_back(m);
    };
    adapter_->hooks().keyPressed = [this](int key, Qt::KeyboardModifiers) {
      passedOn_.push_back(key);
    };
    link_ = std::make_unique<VideoToolsLink>(*adapter_, *player_, settings_, nullptr, video_);
    link_->showMessage = [this](const std::string& m) { messages_.push_back(m); };
    link_->desktopFolder = (folder_ / "Desktop").string();
    link_->homeFolder = (folder_ / "home").string();
    fs::create_directories(folder_ / "Desktop");
  }
  ~VideoToolsTest() override {
    link_.reset();
    std::error_code ec;
    fs::permissions(folder_ / "ro", fs::perms::owner_all, ec);
  }
  void open(const std::string& movie) {
    player_->controller().OpenCommandLine({movie});
    ASSERT_TRUE(player_->controller().movieOpen());
    ASSERT_TRUE(QTest::qWaitFor([&] { return player_->engine().frameSerial() > 0; }, 5000));
  }
  // Alt+C and waits for the capture's end; false when none started.
  bool capture() {
    QSignalSpy finished(link_.get(), &VideoToolsLink::captureFinished);
    adapter_->keyPressed(Qt::Key_C, Qt::AltModifier);
    if (!link_->captureRunning()) return false;
    // The interface keeps running while the worker writes.
    return finished.wait(10000);
  }

  QWidget video_;
  std::unique_ptr<VideoToolsLink> link_;
  std::vector<std::string> messages_;
  std::vector<int> passedOn_;
};

TEST_F(VideoToolsTest, CapturesTheFrameOnShowInEachFormatWithTheMoviesSize) {
  open(testMedia().clip);
  std::ofstream(folder_ / "Desktop" / "Capture0002.png") << "earlier";
  const struct {
    int type;
    const char* name;
  } rows[] = {{1, "Capture0001.jpg"}, {2, "Capture0003.png"}, {0, "Capture0004.bmp"}};
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    settings_.CaptureType = r.type;
    ASSERT_TRUE(capture());
    EXPECT_EQ(player_->osd().message(), std::string(r.name) + " saved...");
    const video::testing::DecodedImage d =
        video::testing::decodeImage(slurp(folder_ / "Desktop" / r.name));
    ASSERT_TRUE(d.ok());
    EXPECT_EQ(d.width, 320);
    EXPECT_EQ(d.height, 240);
    // The test pattern's second bar, a quarter down: yellow.
    const uint8_t* p = d.at(68, 60);
    EXPECT_GT(p[0], 150);
    EXPECT_GT(p[1], 150);
    EXPECT_LT(p[2], 70);
  }
  EXPECT_EQ(slurp(folder_ / "Desktop" / "Capture0002.png"), "earlier");
  EXPECT_EQ(link_->captureCounter(), 4);
  EXPECT_TRUE(messages_.empty());
  EXPECT_FALSE(player_->state().Busy);

  // Without a desktop folder the capture goes to the movie's folder and the
  // message names the whole path.
  link_->desktopFolder = (folder_ / "no desktop").string();
  settings_.CaptureType = 2;
  ASSERT_TRUE(capture());
  const std::string expected = fs::path(testMedia().clip).parent_path() / "Capture0005.png";
  EXPECT_EQ(player_->osd().message(), expected + " saved...");
  EXPECT_TRUE(fs::exists(expected));
  fs::remove(expected);
}

TEST_F(VideoToolsTest, ACaptureThatCannotBeWrittenShowsTheFailureAndLeavesNothing) {
  open(testMedia().clip);
  // A folder no one may create files in: read-only bits stop everyone but
  // root; /proc refuses new files to root as well.
  std::string target = "/proc/self";
  if (::geteuid() != 0) {
    fs::create_directory(folder_ / "ro");
    fs::permissions(folder_ / "ro", fs::perms::owner_read | fs::perms::owner_exec);
    target = (folder_ / "ro").string();
  }
  settings_.CaptureFolder = target;
  ASSERT_TRUE(capture());
  EXPECT_EQ(messages_, std::vector<std::string>{"Unable to capture frame!"});
  EXPECT_EQ(player_->osd().message().find("saved..."), std::string::npos);
  if (target != "/proc/self") {
    EXPECT_TRUE(fs::is_empty(target));
  }
  EXPECT_FALSE(player_->state().Busy);
  EXPECT_FALSE(link_->captureRunning());
}

TEST_F(VideoToolsTest, NothingIsCapturedWithoutAMovieOrWhileBusy) {
  EXPECT_FALSE(capture());  // no movie
  open(testMedia().clip);
  player_->state().Busy = true;
  EXPECT_FALSE(capture());
  player_->state().Busy = false;
  EXPECT_TRUE(messages_.empty());
  EXPECT_TRUE(fs::is_empty(folder_ / "Desktop"));
}

TEST_F(VideoToolsTest, CtrlCAndTheMenuShowTheColorControlOtherKeysPassOn) {
  colorwindow::TfrmColorControl& window = link_->colorWindow();
  EXPECT_FALSE(window.isVisible());
  adapter_->keyPressed(Qt::Key_C, Qt::ControlModifier);
  EXPECT_TRUE(window.isVisible());
  window.hide();
  adapter_->menuCommand(ui::MenuCommand::ColorControl);
  EXPECT_TRUE(window.isVisible());
  // C is pause, not ours; the zoom cycle's Enter and a bookmark's Alt+1 go
  // on to the key handlers.
  adapter_->keyPressed(Qt::Key_C, Qt::NoModifier);
  adapter_->keyPressed(Qt::Key_Return, Qt::NoModifier);
  adapter_->keyPressed(Qt::Key_1, Qt::AltModifier);
  EXPECT_EQ(passedOn_, (std::vector<int>{Qt::Key_Return, Qt::Key_1}));
  // Keys of the colour control window that it does not use reach the player.
  QTest::keyClick(&window, Qt::Key_Return);
  EXPECT_EQ(passedOn_.size(), 3u);
  // Its changes count towards saving only while a movie is open.
  QTest::keyClick(&window, Qt::Key_Left);
  EXPECT_EQ(settings_.BrightnessControl, 700);
  EXPECT_LE(player_->state().SettingsChangeScore, 0);
}

}  // namespace
}  // namespace app
