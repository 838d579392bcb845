// The playlist window on the real player: three clips dropped on the window
// as a text/uri-list, the second played by a double click, the window opened
// and closed from the main window's button and menu item, the remote playlist
// keys, and the automatic playlist written when the window closes.
#include "app/playlist_link.h"

#include <QApplication>
#include <QMimeData>
#include <QTest>
#include <QUrl>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "app/remote_commands_link.h"
#include "tests/app/player_link_fixture.h"
#include "tests/playback/test_media.h"
#include "ui/playlist_window.h"

namespace app {
namespace {

namespace fs = std::filesystem;

class PlaylistLinkTest : public PlayerLinkTest {
 protected:
  PlaylistLinkTest() {
    settings_.AutoLoadSubtitle = false;
    settings_.RememberMovieSettings = false;
    startPlayer();
    folders_.ProgramName = "Tarvelino";
    folders_.DataFolder = folder_.string() + "/";
    link_ = std::make_unique<PlaylistLink>(*adapter_, *player_, settings_, folders_, video_,
                                           [] { return false; });
    for (const char* name : {"one.mp4", "two.mp4", "three.mp4"}) {
      const fs::path to = folder_ / name;
      fs::copy_file(playback::testing::testMedia().clip, to);
      clips_.push_back(to.string());
    }
  }
  ~PlaylistLinkTest() override { link_.reset(); }
  ui::TfrmPlayList& window() { return link_->window(); }
  void drop(const std::vector<std::string>& paths) {
    QMimeData mime;
    QList<QUrl> urls;
    for (const std::string& p : paths) urls << QUrl::fromLocalFile(QString::fromStdString(p));
    mime.setUrls(urls);
    const QPoint at = window().movieList()->geometry().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window(), &enter);
    QDropEvent dropped(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window(), &dropped);
  }
  std::string automaticPlaylist() const {
    std::ifstream in(folder_ / "Tarvelino.mpl", std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }

  settings::Folders folders_;
  QWidget video_;
  std::unique_ptr<PlaylistLink> link_;
  std::vector<std::string> clips_;
};

TEST_F(PlaylistLinkTest, DroppedClipsPlayByDoubleClickAndCloseSavesTheList) {
  // The menu item only shows the window; the button toggles it.
  adapter_->menuCommand(ui::MenuCommand::Playlist);
  ASSERT_TRUE(window().isVisible());
  adapter_->menuCommand(ui::MenuCommand::Playlist);
  EXPECT_TRUE(window().isVisible());
  adapter_->togglePlaylist();
  EXPECT_FALSE(window().isVisible());
  adapter_->togglePlaylist();
  ASSERT_TRUE(window().isVisible());

  drop(clips_);
  ASSERT_EQ(player_->playlist().PlaylistMovies(), clips_);
  QListWidget* list = window().movieList();
  ASSERT_EQ(list->count(), 3);
  EXPECT_EQ(list->item(1)->text().toStdString(), "2. two.mp4");

  QTest::mouseDClick(list->viewport(), Qt::LeftButton, {},
                     list->visualItemRect(list->item(1)).center());
  ASSERT_TRUE(QTest::qWaitFor([&] { return player_->controller().movieOpen(); }, 5000));
  EXPECT_EQ(player_->state().CurrentMovie, clips_[1]);
  EXPECT_EQ(player_->playlist().CurrentMovieIndex(), 1);
  EXPECT_TRUE(QTest::qWaitFor([&] { return player_->engine().frameSerial() > 0; }, 5000));

  // Remote codes 66 (selection down) and 67 (play it) reach the list once each.
  RemoteCommandTargets targets;
  targets.commands = adapter_.get();
  targets.playlistMovieList = [this] { return link_->visibleMovieList(); };
  runRemoteCommand(66, targets);
  EXPECT_EQ(player_->playlist().selectedIndex(), 2);
  runRemoteCommand(67, targets);
  ASSERT_TRUE(QTest::qWaitFor(
      [&] {
        return player_->controller().movieOpen() && player_->state().CurrentMovie == clips_[2];
      },
      5000));

  window().closeWindow();
  EXPECT_EQ(automaticPlaylist(), clips_[0] + "\r\nNo subtitle\r\n" + clips_[1] +
                                     "\r\nNo subtitle\r\n" + clips_[2] + "\r\nNo subtitle\r\n");
  EXPECT_EQ(settings_.LastMovieSelectedInPlaylist, 3);

  // Emptied by the user (Ctrl+A, Delete): closing deletes the automatic playlist.
  adapter_->togglePlaylist();
  QTest::keyClick(list, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClick(list, Qt::Key_Delete);
  EXPECT_TRUE(player_->playlist().empty());
  QTest::keyClick(list, Qt::Key_Escape);
  EXPECT_FALSE(window().isVisible());
  EXPECT_FALSE(fs::exists(folder_ / "Tarvelino.mpl"));
}

}  // namespace
}  // namespace app
