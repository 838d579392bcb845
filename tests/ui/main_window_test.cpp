#include "ui/main_window.h"
#include "settings/settings.h"
#include "texts/interface_texts.h"
#include "ui/command_table.h"
#include "ui/window_drag.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QMenu>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Records every command the main window asks for.
class RecordingCommands : public ui::MainWindowCommands {
 public:
  std::vector<std::string> calls;
  void openMovieDialog() override { calls.push_back("openMovie"); }
  void openSubtitleDialog() override { calls.push_back("openSubtitle"); }
  void play() override { calls.push_back("play"); }
  void pause() override { calls.push_back("pause"); }
  void stop() override { calls.push_back("stop"); }
  void rewind() override { calls.push_back("rewind"); }
  void forward() override { calls.push_back("forward"); }
  void previousMovie() override { calls.push_back("previous"); }
  void nextMovie() override { calls.push_back("next"); }
  void togglePlaylist() override { calls.push_back("playlist"); }
  void configuration() override { calls.push_back("configuration"); }
  void movieInfo() override { calls.push_back("info"); }
  void volumeUp() override { calls.push_back("volumeUp"); }
  void volumeDown() override { calls.push_back("volumeDown"); }
  bool closePlayer() override {
    calls.push_back("close");
    return true;
  }
  void setVolume(int level) override { calls.push_back("volume " + std::to_string(level)); }
  void setMute(bool muted) override { calls.push_back(muted ? "mute on" : "mute off"); }
  void seek(int position, bool) override { calls.push_back("seek " + std::to_string(position)); }
  void switchTimesFrames() override { calls.push_back("times"); }
  void cycleRepeat() override { calls.push_back("repeat"); }
  void menuCommand(ui::MenuCommand c) override {
    calls.push_back("menu " + std::to_string(static_cast<int>(c)));
  }
  bool videoFullScreen() const override { return fullScreen; }
  bool fullScreen = false;
};

class MainWindowTest : public testing::Test {
 protected:
  MainWindowTest() {
    settings_.AudioVolume = 10;
    window_.show();
    commands_.calls.clear();
  }
  void click(QPoint p) {
    QTest::mouseMove(&window_, p);
    QTest::mouseClick(&window_, Qt::LeftButton, {}, p);
    QCoreApplication::processEvents();  // commands run queued, after the handler
  }
  settings::Settings settings_;
  RecordingCommands commands_;
  ui::TfrmMain window_{settings_, texts::builtInTexts(), commands_};
};

TEST_F(MainWindowTest, IsTheSizeOfItsSkin) {
  EXPECT_EQ(window_.size(), QSize(460, 152));
  EXPECT_TRUE(window_.windowFlags() & Qt::FramelessWindowHint);
}

TEST_F(MainWindowTest, TransportButtonsAnswerByState) {
  using ui::MainButton;
  using ui::TransportState;
  const struct {
    TransportState state;
    MainButton button;
    const char* expected;  // "" when the click must do nothing
  } rows[] = {
      {TransportState::NoMovie, MainButton::Play, "play"},
      {TransportState::NoMovie, MainButton::Stop, ""},
      {TransportState::NoMovie, MainButton::Pause, ""},
      {TransportState::NoMovie, MainButton::Rewind, ""},
      {TransportState::NoMovie, MainButton::OpenMovie, "openMovie"},
      {TransportState::Playing, MainButton::Play, ""},
      {TransportState::Playing, MainButton::Pause, "pause"},
      {TransportState::Playing, MainButton::Stop, "stop"},
      {TransportState::Playing, MainButton::Forward, "forward"},
      {TransportState::Playing, MainButton::Rewind, "rewind"},
      {TransportState::Paused, MainButton::Pause, ""},
      {TransportState::Paused, MainButton::Play, "play"},
      {TransportState::Opening, MainButton::Forward, ""},
      {TransportState::Opening, MainButton::Stop, "stop"},
      {TransportState::Playing, MainButton::Next, "next"},
      {TransportState::Playing, MainButton::Prior, "previous"},
      {TransportState::Playing, MainButton::Playlist, "playlist"},
      {TransportState::Playing, MainButton::Configuration, "configuration"},
      {TransportState::Playing, MainButton::Info, "info"},
      {TransportState::Playing, MainButton::VolumeUp, "volumeUp"},
      {TransportState::Playing, MainButton::VolumeDown, "volumeDown"},
      {TransportState::Playing, MainButton::OpenSubtitle, "openSubtitle"},
      {TransportState::Playing, MainButton::Close, "close"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(testing::Message()
                 << static_cast<int>(row.state) << " button " << static_cast<int>(row.button));
    window_.showTransport(row.state);
    commands_.calls.clear();
    click(window_.buttonRect(row.button).center());
    if (std::string(row.expected).empty())
      EXPECT_TRUE(commands_.calls.empty()) << commands_.calls.front();
    else
      EXPECT_EQ(commands_.calls, std::vector<std::string>{row.expected});
  }
}

TEST_F(MainWindowTest, SeekBarClicksSeek) {
  window_.showTransport(ui::TransportState::Playing);
  window_.setSeekMaximum(1000);
  const QRect bar = window_.seekRect();
  const struct {
    int x;
    const char* seek;
  } rows[] = {{bar.left(), "seek 0"}, {bar.left() + 204, "seek 500"}, {bar.right(), "seek 999"}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.x);
    commands_.calls.clear();
    click(QPoint(row.x, bar.center().y()));
    ASSERT_FALSE(commands_.calls.empty());
    EXPECT_EQ(commands_.calls.front(), row.seek);
    EXPECT_EQ(window_.seekPosition(), std::stoi(std::string(row.seek).substr(5)));
  }
  window_.setSeekPosition(250);
  EXPECT_EQ(window_.seekPosition(), 250) << "the periodic update moves the bar";
}

TEST_F(MainWindowTest, VolumeAndMuteSendLevels) {
  const QRect volume = window_.volumeRect();
  click(QPoint(volume.center().x(), volume.top()));
  EXPECT_EQ(commands_.calls.front(), "volume 10000");
  EXPECT_EQ(settings_.AudioVolume, 20);
  commands_.calls.clear();
  click(window_.muteRect().center());
  EXPECT_EQ(commands_.calls, (std::vector<std::string>{"mute on", "volume 0"}));
  EXPECT_TRUE(settings_.Mute);
  commands_.calls.clear();
  click(window_.muteRect().center());
  EXPECT_EQ(commands_.calls, (std::vector<std::string>{"mute off", "volume 10000"}));
}

TEST_F(MainWindowTest, LabelsAnswerClicksAndDoubleClicks) {
  click(window_.timesLabelRect().center());
  click(window_.repeatLabelRect().center());
  QTest::mouseDClick(&window_, Qt::LeftButton, {}, window_.movieLabelRect().center());
  QCoreApplication::processEvents();
  EXPECT_EQ(commands_.calls, (std::vector<std::string>{"times", "repeat", "openMovie"}));
}

TEST_F(MainWindowTest, LongMovieNameScrollsWithTheTimer) {
  EXPECT_EQ(window_.movieName(), "No movie");
  EXPECT_FALSE(window_.scrollTimerActive());
  window_.setMovieName("A very long movie name that will never fit into the display.avi");
  EXPECT_TRUE(window_.scrollTimerActive());
  window_.setMovieName("Short.avi");
  EXPECT_FALSE(window_.scrollTimerActive());
}

TEST_F(MainWindowTest, LabelTextIsDrawnInGreenOnTheFace) {
  window_.setTimesText("00:01:02 - 00:00:03 - 00:10:00");
  const QImage image = window_.grab().toImage();
  if (const char* dir = std::getenv("TARVELINO_SCREENSHOTS")) {
    // Looks for a person to check: idle, playing with a long name, paused.
    image.save(QString(dir) + "/main_idle.png");
    window_.showTransport(ui::TransportState::Playing);
    window_.setMovieName("Big.Buck.Bunny.1080p.Surround.Sound.Edition.mkv");
    window_.setSubtitleName("Big.Buck.Bunny.srt");
    window_.setSeekMaximum(1000);
    window_.setSeekPosition(420);
    window_.grab().save(QString(dir) + "/main_playing.png");
    window_.showTransport(ui::TransportState::Paused);
    window_.scrollTick();
    window_.scrollTick();
    window_.grab().save(QString(dir) + "/main_paused.png");
  }
  const QRect box = window_.timesLabelRect();
  int green = 0;
  for (int y = box.top(); y <= box.bottom(); ++y)
    for (int x = box.left(); x <= box.right(); ++x) {
      const QColor c = image.pixelColor(x, y);
      if (c.green() > 90 && c.green() > 2 * c.red() && c.green() > 2 * c.blue()) ++green;
    }
  EXPECT_GT(green, 40);
}

TEST_F(MainWindowTest, ContextMenuHasEveryCommand) {
  for (int c = 0; c <= static_cast<int>(ui::MenuCommand::Exit); ++c) {
    SCOPED_TRACE(c);
    ASSERT_NE(window_.menuAction(static_cast<ui::MenuCommand>(c)), nullptr);
  }
  EXPECT_TRUE(window_.menuAction(ui::MenuCommand::AspectOriginal)->isChecked());
  EXPECT_EQ(window_.menuAction(ui::MenuCommand::Play)->text(), "Play\tX");
  EXPECT_EQ(window_.menuAction(ui::MenuCommand::FastRewind)->text(), "Fast rewind\tCtrl+Left");
  window_.menuAction(ui::MenuCommand::Exit)->trigger();
  QCoreApplication::processEvents();
  EXPECT_EQ(
      commands_.calls,
      std::vector<std::string>{"menu " + std::to_string(static_cast<int>(ui::MenuCommand::Exit))});
}

// Every command that does nothing yet shows disabled: its menu item cannot be
// chosen (a checkable one keeps its mark) and its button is drawn disabled
// and ignores clicks; built commands stay enabled.
TEST_F(MainWindowTest, CommandsNotBuiltShowDisabled) {
  for (int c = 0; c <= static_cast<int>(ui::MenuCommand::Exit); ++c) {
    SCOPED_TRACE(c);
    const auto command = static_cast<ui::MenuCommand>(c);
    QAction* action = window_.menuAction(command);
    ASSERT_NE(action, nullptr);
    EXPECT_EQ(action->isEnabled(), ui::commandBuilt(command));
    if (ui::commandBuilt(command)) continue;
    const bool mark = action->isChecked();
    commands_.calls.clear();
    action->trigger();
    QCoreApplication::processEvents();
    EXPECT_EQ(action->isChecked(), mark);
    EXPECT_TRUE(commands_.calls.empty());
  }
  const struct {
    ui::MainButton button;
    ui::MenuCommand command;
  } buttons[] = {{ui::MainButton::Playlist, ui::MenuCommand::Playlist},
                 {ui::MainButton::Configuration, ui::MenuCommand::Configuration}};
  for (const auto& row : buttons) {
    SCOPED_TRACE(static_cast<int>(row.button));
    EXPECT_EQ(window_.buttonEnabled(row.button), ui::commandBuilt(row.command));
  }
  EXPECT_TRUE(window_.buttonEnabled(ui::MainButton::Info));
  // A new language rebuilds the menu with the same availability.
  window_.applyTexts(texts::builtInTexts());
  for (int c = 0; c <= static_cast<int>(ui::MenuCommand::Exit); ++c) {
    const auto command = static_cast<ui::MenuCommand>(c);
    EXPECT_EQ(window_.menuAction(command)->isEnabled(), ui::commandBuilt(command)) << c;
  }
}

// "Pan scan (fullscreen only)" shows in full screen only and "Window Size" in
// a window only; a submenu with nothing to choose shows disabled.
TEST_F(MainWindowTest, ContextMenuFollowsFullScreenAndEmptySubmenus) {
  using ui::MainSubmenu;
  for (const bool fullScreen : {false, true, false}) {
    SCOPED_TRACE(fullScreen);
    commands_.fullScreen = fullScreen;
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 60),
                            window_.mapToGlobal(QPoint(5, 60)));
    QCoreApplication::sendEvent(&window_, &event);
    ASSERT_NE(window_.submenu(MainSubmenu::PanScan), nullptr);
    ASSERT_NE(window_.submenu(MainSubmenu::WindowSize), nullptr);
    EXPECT_EQ(window_.submenu(MainSubmenu::PanScan)->menuAction()->isVisible(), fullScreen);
    EXPECT_EQ(window_.submenu(MainSubmenu::WindowSize)->menuAction()->isVisible(), !fullScreen);
    EXPECT_FALSE(window_.submenu(MainSubmenu::Filters)->menuAction()->isEnabled());
    if (fullScreen) {
      EXPECT_EQ(window_.submenu(MainSubmenu::PanScan)->menuAction()->isEnabled(),
                ui::commandBuilt(ui::MenuCommand::PanIn));
    }
    window_.contextMenu()->hide();
  }
  // Filled in by its owner, the submenu can be opened.
  window_.submenu(MainSubmenu::Filters)->addAction("A filter");
  QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 60),
                          window_.mapToGlobal(QPoint(5, 60)));
  QCoreApplication::sendEvent(&window_, &event);
  EXPECT_TRUE(window_.submenu(MainSubmenu::Filters)->menuAction()->isEnabled());
  window_.contextMenu()->hide();
}

}  // namespace

namespace {

// Drags the main window by a free spot of its face so that its top-left
// corner would land on target, in steps, as the pointer would.
void dragFaceTo(ui::TfrmMain& window, QPoint target) {
  const QPoint grip(5, 60);  // left of the transport well: no widget there
  QTest::mousePress(&window, Qt::LeftButton, {}, grip);
  const QPoint start = window.pos();
  for (int i = 1; i <= 4; ++i) {
    const QPoint global = start + grip + (target - start) * i / 4;
    QTest::mouseMove(&window, global - window.pos());
  }
  QTest::mouseRelease(&window, Qt::LeftButton, {}, start + grip + (target - start) - window.pos());
  QCoreApplication::processEvents();
}

TEST(MainWindowMoveTest, SnapsToScreenEdgesAndCarriesDockedWindows) {
  settings::Settings settings;
  ui::MainWindowCommands commands;
  ui::TfrmMain window(settings, texts::builtInTexts(), commands);
  window.show();
  const QRect area = window.screen()->availableGeometry();
  const struct {
    QPoint target, expected;
  } rows[] = {
      {area.topLeft() + QPoint(10, 100), area.topLeft() + QPoint(0, 100)},
      {area.topLeft() + QPoint(11, 100), area.topLeft() + QPoint(11, 100)},
      {area.topLeft() + QPoint(100, 7), area.topLeft() + QPoint(100, 0)},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(testing::Message() << row.target.x() << "," << row.target.y());
    window.move(area.topLeft() + QPoint(150, 150));
    dragFaceTo(window, row.target);
    EXPECT_EQ(window.pos(), row.expected);
    EXPECT_EQ(QPoint(settings.MainXPosition, settings.MainYPosition), row.expected);
  }

  // A window placed exactly against the right edge moves along; one placed a
  // pixel away stays, and the main window snaps to it instead.
  const QPoint home = area.topLeft() + QPoint(60, 60);
  for (int gap : {0, 1}) {
    SCOPED_TRACE(gap);
    window.move(home);
    QWidget other(nullptr, Qt::Window | Qt::FramelessWindowHint);
    other.resize(150, 150);
    other.move(home + QPoint(window.width() + gap, 0));
    other.show();
    ui::registerPlayerWindow(&other);
    const QPoint otherStart = other.pos();
    dragFaceTo(window, home + QPoint(30, 40));
    if (gap == 0) {
      EXPECT_EQ(window.pos(), home + QPoint(30, 40));
      EXPECT_EQ(other.pos(), otherStart + QPoint(30, 40));
    } else {
      EXPECT_EQ(other.pos(), otherStart);
      // Dragged to 6 px short of the other window, the main window snaps to it.
      dragFaceTo(window, home + QPoint(5, 0));
      EXPECT_EQ(window.x() + window.width(), other.x());
    }
  }
}

}  // namespace
