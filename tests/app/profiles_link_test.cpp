// The profiles editor on the real player: a record the user deleted for the
// open movie is written again neither by the periodic save nor when the movie
// closes, and comes back when the movie is opened anew.
#include "app/profiles_link.h"

#include <QApplication>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include "tests/app/player_link_fixture.h"
#include "tests/playback/test_media.h"
#include "ui/profiles_editor.h"

namespace app {
namespace {

class ProfilesLinkTest : public PlayerLinkTest {
 protected:
  ProfilesLinkTest() {
    settings_.RememberMovieSettings = true;
    settings_.RememberLastMoviePosition = false;
    settings_.AutoLoadSubtitle = false;
    settings_.AutoPlayOnLoad = false;
    startPlayer();
    link_ = std::make_unique<ProfilesLink>(*player_);
  }
  bool recorded() const {
    return player_->movieMemory()
        .find(moviememory::recordName(playback::testing::testMedia().clip))
        .has_value();
  }
  void open() {
    player_->controller().OpenCommandLine({playback::testing::testMedia().clip});
    ASSERT_TRUE(player_->controller().movieOpen());
  }
  // Opens the editor and deletes every record in it.
  void deleteAllInEditor() {
    QTimer::singleShot(0, [] {
      for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* editor = qobject_cast<ui::TfrmProfilesEditor*>(w);
            editor && editor->isVisible()) {
          editor->deleteAll();
          editor->close();
        }
    });
    link_->openProfilesEditor(nullptr);
  }
  void periodicSave() {
    QTest::qWait(1100);  // a second after the last write
    player_->state().SettingsChangeScore = 10000;
    player_->controller().GeneralTimerTimer();
  }

  std::unique_ptr<ProfilesLink> link_;
};

TEST_F(ProfilesLinkTest, DeletedRecordOfTheOpenMovieStaysDeletedUntilItOpensAgain) {
  open();
  ASSERT_TRUE(recorded());  // opening records the movie
  deleteAllInEditor();
  EXPECT_FALSE(recorded());
  EXPECT_TRUE(link_->recordingSuppressed());
  periodicSave();
  periodicSave();  // not only once
  EXPECT_FALSE(recorded());
  player_->controller().CloseMovie(true);
  EXPECT_FALSE(recorded());
  open();
  EXPECT_TRUE(recorded());
  EXPECT_FALSE(link_->recordingSuppressed());
  periodicSave();
  EXPECT_TRUE(recorded());
}

}  // namespace
}  // namespace app
