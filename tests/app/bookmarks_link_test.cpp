// Bookmarks and recent files through the main window's menu and keys, on a
// real movie: the menu lists what the lists hold, and choosing an item seeks
// to the bookmark or opens the recent movie.
#include "app/bookmarks_link.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QTest>

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>

#include "tests/app/player_link_fixture.h"
#include "tests/playback/test_media.h"

namespace app {
namespace {

namespace fs = std::filesystem;
using playback::testing::testMedia;
using C = ui::MenuCommand;

class BookmarksLinkTest : public PlayerLinkTest {
 protected:
  BookmarksLinkTest() {
    settings_.RememberMovieSettings = true;
    settings_.RememberLastMoviePosition = false;
    settings_.AutoLoadSubtitle = false;
    settings_.AutoPlayOnLoad = false;
    startPlayer();
    player_->controller().hooks().showMessage = [this](const std::string& m) {
      messages_.push_back(m);
    };
    window_ = new ui::TfrmMain(settings_, texts::builtInTexts(), *adapter_);
    adapter_->attach(window_);
    link_ = std::make_unique<BookmarksLink>(*adapter_, *player_, settings_, window_);
  }
  ~BookmarksLinkTest() override {
    delete window_.data();
    link_.reset();
  }
  void open(const std::string& movie) {
    player_->controller().OpenCommandLine({movie});
    ASSERT_TRUE(player_->controller().movieOpen());
    ASSERT_TRUE(QTest::qWaitFor([&] { return player_->engine().frameSerial() > 0; }, 5000));
  }
  int64_t positionMs() { return player_->engine().currentPosition() / playback::kUnitsPerMs; }
  // Seeks and waits until the engine is there.
  void seekTo(int64_t ms) {
    player_->controller().SeekToMs(ms);
    ASSERT_TRUE(QTest::qWaitFor([&] { return std::abs(positionMs() - ms) < 100; }, 5000));
  }
  // Opens the context menu as a right click does; returns the named submenu.
  QMenu* popUp(ui::MainSubmenu which) {
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 60),
                            window_->mapToGlobal(QPoint(5, 60)));
    QCoreApplication::sendEvent(window_, &event);
    window_->contextMenu()->hide();
    return window_->submenu(which);
  }
  // Names and texts of the Bookmarks submenu's items after its two fixed ones.
  std::vector<std::string> bookmarkItems() {
    std::vector<std::string> items;
    const QList<QAction*> actions = popUp(ui::MainSubmenu::Bookmarks)->actions();
    for (int i = 2; i < actions.size(); ++i)
      items.push_back((actions[i]->objectName() + " " + actions[i]->text()).toStdString());
    return items;
  }
  QAction* bookmarkItem(int n) {
    for (QAction* a : window_->submenu(ui::MainSubmenu::Bookmarks)->actions())
      if (a->objectName() == QStringLiteral("s") + QString::number(n)) return a;
    return nullptr;
  }
  std::string osd() { return player_->osd().message(); }

  QPointer<ui::TfrmMain> window_;
  std::unique_ptr<BookmarksLink> link_;
  std::vector<std::string> messages_;
};

TEST_F(BookmarksLinkTest, MenuListsBookmarksAndChoosingOneSeeks) {
  // Nothing happens without a movie.
  adapter_->keyPressed(Qt::Key_I, Qt::AltModifier);
  EXPECT_TRUE(bookmarkItems().empty());

  open(testMedia().clip);
  adapter_->keyPressed(Qt::Key_I, Qt::AltModifier);
  EXPECT_EQ(osd(), "Bookmark added (1)");
  EXPECT_EQ(player_->state().SettingsChangeScore, 10000);
  player_->state().SettingsChangeScore = 0;
  adapter_->menuCommand(C::AddBookmark);  // the same second: not again
  EXPECT_EQ(player_->state().SettingsChangeScore, 0);
  seekTo(1000);
  adapter_->menuCommand(C::AddBookmark);
  EXPECT_EQ(osd(), "Bookmark added (2)");
  EXPECT_EQ(bookmarkItems(),
            (std::vector<std::string>{"s0 ", "s1 00:00:00\tAlt+1", "s2 00:00:01\tAlt+2"}));

  // The menu item, Alt+n and the digit in the open submenu seek.
  seekTo(0);
  bookmarkItem(2)->trigger();
  ASSERT_TRUE(QTest::qWaitFor([&] { return std::abs(positionMs() - 1000) < 100; }, 5000));
  EXPECT_EQ(osd(), "Bookmark 2");
  adapter_->keyPressed(Qt::Key_1, Qt::AltModifier);
  ASSERT_TRUE(QTest::qWaitFor([&] { return positionMs() < 100; }, 5000));
  EXPECT_EQ(osd(), "Bookmark 1");
  QTest::keyClick(window_->submenu(ui::MainSubmenu::Bookmarks), Qt::Key_2);
  ASSERT_TRUE(QTest::qWaitFor([&] { return std::abs(positionMs() - 1000) < 100; }, 5000));
  // Alt+3 names no bookmark; while Busy none is chosen.
  player_->state().Busy = true;
  adapter_->keyPressed(Qt::Key_1, Qt::AltModifier);
  adapter_->keyPressed(Qt::Key_3, Qt::AltModifier);
  player_->state().Busy = false;
  QTest::qWait(200);
  EXPECT_NEAR(positionMs(), 1000, 100);

  // Shift+C clears them and asks for a save soon.
  player_->state().SettingsChangeScore = 0;
  adapter_->keyPressed(Qt::Key_C, Qt::ShiftModifier);
  EXPECT_EQ(osd(), "Bookmarks erased");
  EXPECT_EQ(player_->state().SettingsChangeScore, 5000);
  EXPECT_TRUE(bookmarkItems().empty());
  EXPECT_TRUE(messages_.empty());
}

TEST_F(BookmarksLinkTest, BookmarksAreRecordedAndRestoredWithoutGaps) {
  open(testMedia().clip);
  seekTo(2000);
  adapter_->keyPressed(Qt::Key_I, Qt::AltModifier);
  player_->controller().CloseMovie(true);
  // Closing records the bookmark and empties the menu.
  const auto index = player_->movieMemory().find(moviememory::recordName(testMedia().clip));
  ASSERT_TRUE(index);
  moviememory::MovieRecord& record = player_->movieMemory().record(*index);
  EXPECT_EQ(record.BookMark[0], "00:00:02");
  EXPECT_TRUE(bookmarkItems().empty());

  // A record with bookmarks in slots 2 and 7 gives bookmarks 1 and 2.
  record.BookMark = {"", "00:00:01", "", "", "", "", "00:00:02"};
  open(testMedia().clip);
  EXPECT_EQ(bookmarkItems(),
            (std::vector<std::string>{"s0 ", "s1 00:00:01\tAlt+1", "s2 00:00:02\tAlt+2"}));
  adapter_->keyPressed(Qt::Key_2, Qt::AltModifier);
  ASSERT_TRUE(QTest::qWaitFor([&] { return std::abs(positionMs() - 2000) < 100; }, 5000));
}

TEST_F(BookmarksLinkTest, RecentFilesMenuOpensTheChosenMovie) {
  // No recent movie: the submenu has nothing to choose.
  QMenu* recent = popUp(ui::MainSubmenu::RecentFiles);
  EXPECT_FALSE(recent->menuAction()->isEnabled());

  open(testMedia().clip);
  open(testMedia().oddName);
  EXPECT_EQ(settings_.RecentFile[0], testMedia().oddName);
  EXPECT_EQ(settings_.RecentFile[1], testMedia().clip);
  recent = popUp(ui::MainSubmenu::RecentFiles);
  EXPECT_TRUE(recent->menuAction()->isEnabled());
  QAction* first = window_->menuAction(C::RecentFile1);
  QAction* second = window_->menuAction(C::RecentFile2);
  EXPECT_TRUE(first->isVisible());
  EXPECT_EQ(first->text().toStdString(), testMedia().oddName);
  EXPECT_EQ(second->text().toStdString(), testMedia().clip);
  EXPECT_FALSE(window_->menuAction(C::RecentFile3)->isVisible());
  EXPECT_TRUE(window_->menuAction(C::ClearHistory)->isVisible());

  // Choosing the second opens it as the only movie of the playlist.
  second->trigger();
  ASSERT_TRUE(
      QTest::qWaitFor([&] { return player_->state().CurrentMovie == testMedia().clip; }, 5000));
  EXPECT_TRUE(player_->controller().movieOpen());
  ASSERT_FALSE(player_->playlist().PlaylistMovies().empty());
  EXPECT_EQ(player_->playlist().PlaylistMovies()[0], testMedia().clip);
  EXPECT_EQ(player_->playlist().CurrentMovieIndex(), 0);
  EXPECT_EQ(settings_.RecentFile[0], testMedia().clip);
  EXPECT_EQ(settings_.RecentFile[1], testMedia().oddName);

  // A recent movie that is gone: nothing happens, no message.
  settings_.RecentFile[2] = testMedia().missing;
  adapter_->menuCommand(C::RecentFile3);
  EXPECT_EQ(player_->state().CurrentMovie, testMedia().clip);
  EXPECT_TRUE(messages_.empty());

  adapter_->menuCommand(C::ClearHistory);
  EXPECT_EQ(settings_.RecentFile, (std::array<std::string, 5>{}));
  recent = popUp(ui::MainSubmenu::RecentFiles);
  EXPECT_FALSE(window_->menuAction(C::ClearHistory)->isVisible());
  EXPECT_FALSE(recent->menuAction()->isEnabled());
}

}  // namespace
}  // namespace app
