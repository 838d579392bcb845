// The playlist window against its model, offscreen: keys act once and stay in
// the window, Ctrl+A and Delete, drag reordering with the mouse, double click,
// drops, the subtitle flip, the dialogs and the menu.
#include "ui/playlist_window.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMimeData>
#include <QTest>
#include <QUrl>

#include <gtest/gtest.h>

#include "playlist/dialog_filters.h"
#include "tests/playlist/playlist_test_support.h"
#include "texts/interface_texts.h"

namespace ui {
namespace {

using playlist_test::Harness;

class PlaylistWindowTest : public testing::Test {
 protected:
  PlaylistWindowTest() {
    texts::LoadBuiltInTexts(false);
    h_.settings.PlayListWidth = 439;
    h_.settings.PlayListHeight = 330;
    window_ = std::make_unique<TfrmPlayList>(h_.settings, h_.model);
    PlaylistWindowHooks& w = window_->hooks();
    w.keyPressed = [this](int key, Qt::KeyboardModifiers) { playerKeys_.push_back(key); };
    w.closed = [this] { ++closed_; };
    w.openFiles = [this](const QString&, const QString& filter, bool several) {
      filters_.push_back(filter);
      severals_.push_back(several);
      return chosen_;
    };
    w.saveFile = [this](const QString&, const QString& filter, int* selected) {
      filters_.push_back(filter);
      *selected = saveFilter_;
      return saveName_;
    };
    window_->show();
  }
  void fill(int count, int selected) {
    h_.fill(count);
    h_.model.select(selected);
    window_->refresh();
  }
  std::string movie(int row) const { return h_.model.PlaylistMovies()[size_t(row)]; }
  QPoint rowCentre(int row) const {
    QListWidget* list = window_->movieList();
    return list->visualItemRect(list->item(row)).center();
  }
  void key(QWidget* target, int k, Qt::KeyboardModifiers m = Qt::NoModifier) {
    QTest::keyClick(target, Qt::Key(k), m);
  }
  void mouse(QEvent::Type type, QPoint at, Qt::MouseButtons held) {
    QWidget* viewport = window_->movieList()->viewport();
    QMouseEvent e(type, at, viewport->mapToGlobal(at),
                  type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, held, Qt::NoModifier);
    QApplication::sendEvent(viewport, &e);
  }
  void clickWidget(const playlist::Edges& e) {
    const QPoint at((e.left + e.right) / 2, (e.top + e.bottom) / 2);
    QTest::mouseMove(window_.get(), at);
    QTest::mousePress(window_.get(), Qt::LeftButton, {}, at);
    QTest::mouseRelease(window_.get(), Qt::LeftButton, {}, at);
    QApplication::processEvents();
  }

  Harness h_;
  std::unique_ptr<TfrmPlayList> window_;
  std::vector<int> playerKeys_;
  int closed_ = 0;
  QStringList chosen_;
  std::vector<QString> filters_;
  std::vector<bool> severals_;
  QString saveName_;
  int saveFilter_ = 0;
};

TEST_F(PlaylistWindowTest, KeysTheListActsOnNeverReachThePlayer) {
  fill(5, 1);
  QListWidget* list = window_->movieList();
  key(list, Qt::Key_Down);
  EXPECT_EQ(h_.model.selectedIndex(), 2);  // one row, not two
  key(list, Qt::Key_Return);
  EXPECT_EQ(h_.opened, std::vector<std::string>{"/m/2.avi"});  // played once
  key(list, Qt::Key_Up, Qt::AltModifier);
  EXPECT_EQ(movie(1), "/m/2.avi");
  EXPECT_EQ(h_.model.selectedIndex(), 1);
  EXPECT_EQ(h_.model.CurrentMovieIndex(), 1);  // the playing entry followed
  EXPECT_EQ(list->currentRow(), 1);
  EXPECT_TRUE(playerKeys_.empty());  // no zoom, no second step, no volume change

  key(list, Qt::Key_Space);
  key(list, Qt::Key_Left);
  key(list, Qt::Key_F, Qt::NoModifier);
  EXPECT_EQ(playerKeys_, (std::vector<int>{Qt::Key_Space, Qt::Key_Left, Qt::Key_F}));
  EXPECT_EQ(h_.model.selectedIndex(), 1);

  key(list, Qt::Key_Escape);
  EXPECT_FALSE(window_->isVisible());
  EXPECT_EQ(closed_, 1);
}

TEST_F(PlaylistWindowTest, CtrlAThenDeleteEmptiesTheListAndNothingElseDoes) {
  fill(5, 2);
  QListWidget* list = window_->movieList();
  key(list, Qt::Key_A, Qt::ControlModifier);
  EXPECT_TRUE(window_->multiSelection());
  EXPECT_EQ(list->selectedItems().size(), 5);
  EXPECT_EQ(window_->subtitleList()->count(), 0);
  // The remote "remove it" removes the selected entry only.
  key(list, Qt::Key_Delete, Qt::AltModifier);
  EXPECT_EQ(h_.model.count(), 4);
  EXPECT_FALSE(window_->multiSelection());
  // A click on a row ends the selection of every row.
  key(list, Qt::Key_A, Qt::ControlModifier);
  mouse(QEvent::MouseButtonPress, rowCentre(0), Qt::LeftButton);
  mouse(QEvent::MouseButtonRelease, rowCentre(0), Qt::NoButton);
  key(list, Qt::Key_Delete);
  EXPECT_EQ(h_.model.count(), 3);
  // The remove button acts on the selected entry alone.
  key(list, Qt::Key_A, Qt::ControlModifier);
  clickWidget(playlist::kRemoveButton);
  EXPECT_EQ(h_.model.count(), 2);

  key(list, Qt::Key_A, Qt::ControlModifier);
  key(list, Qt::Key_Delete);
  EXPECT_TRUE(h_.model.empty());
  EXPECT_EQ(list->count(), 0);
  EXPECT_TRUE(playerKeys_.empty());
}

TEST_F(PlaylistWindowTest, DraggedEntryTravelsWithThePointer) {
  fill(6, 0);
  h_.model.makeCurrent(4);
  window_->refresh();
  // Row 5 to row 2 in one fast move that skips the rows between.
  mouse(QEvent::MouseButtonPress, rowCentre(4), Qt::LeftButton);
  mouse(QEvent::MouseMove, rowCentre(1), Qt::LeftButton);
  EXPECT_EQ(movie(1), "/m/4.avi");
  EXPECT_EQ(movie(2), "/m/1.avi");
  EXPECT_EQ(h_.model.CurrentMovieIndex(), 1);
  EXPECT_EQ(window_->movieList()->item(1)->text().toStdString(), "2. 4.avi");
  // Below the last row: the entry goes to the end.
  mouse(QEvent::MouseMove, QPoint(10, window_->movieList()->viewport()->height() - 2),
        Qt::LeftButton);
  EXPECT_EQ(movie(5), "/m/4.avi");
  mouse(QEvent::MouseButtonRelease, rowCentre(5), Qt::NoButton);
  // Without the button held the pointer moves nothing.
  mouse(QEvent::MouseMove, rowCentre(0), Qt::NoButton);
  EXPECT_EQ(movie(5), "/m/4.avi");
  EXPECT_EQ(h_.model.CurrentMovieIndex(), 5);
}

TEST_F(PlaylistWindowTest, DoubleClickPlaysTheRowUnderThePointer) {
  fill(4, 0);
  QTest::mouseDClick(window_->movieList()->viewport(), Qt::LeftButton, {}, rowCentre(2));
  EXPECT_EQ(h_.opened, std::vector<std::string>{"/m/2.avi"});
  EXPECT_TRUE(playerKeys_.empty());
}

TEST_F(PlaylistWindowTest, DroppedFilesAndFoldersJoinTheList) {
  playlist_test::TempFolder folder;
  h_.realFiles = true;
  const std::string a = folder.file("a.avi"), b = folder.file("B.MKV"),
                    text = folder.file("notes.txt"), inner = folder.file("inner/c.avi");
  auto mime = new QMimeData;
  mime->setUrls({QUrl::fromLocalFile(QString::fromStdString(b)),
                 QUrl::fromLocalFile(QString::fromStdString(text)),
                 QUrl::fromLocalFile(QString::fromStdString(folder.str() + "inner")),
                 QUrl::fromLocalFile(QString::fromStdString(a))});
  ASSERT_TRUE(mime->hasFormat("text/uri-list"));
  const QPoint at = window_->movieList()->geometry().center();
  // The toolkit takes a drop only after the drag entered the window.
  QDragEnterEvent enter(at, Qt::CopyAction, mime, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(window_.get(), &enter);
  ASSERT_TRUE(enter.isAccepted());
  QDropEvent drop(at, Qt::CopyAction, mime, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(window_.get(), &drop);
  EXPECT_EQ(h_.model.PlaylistMovies(), (std::vector<std::string>{b, inner, a}));
  EXPECT_EQ(window_->movieList()->count(), 3);
  delete mime;
}

TEST_F(PlaylistWindowTest, HidingTheSubtitlesMovesTheFlipAndDisablesAddSubtitle) {
  fill(3, 0);
  const playlist::Edges addSubtitle = window_->layout().addSubtitle;
  ASSERT_TRUE(window_->subtitleList()->isVisible());
  clickWidget(window_->layout().showHideSubtitles);
  EXPECT_FALSE(window_->subtitleList()->isVisible());
  EXPECT_FALSE(h_.settings.ShowSubtitlesInPlaylist);
  EXPECT_EQ(window_->layout().showHideSubtitles,
            (playlist::Edges{7, window_->height() - 16, 19, window_->height() - 8}));
  EXPECT_EQ(window_->movieList()->geometry().height(), window_->height() - 33);
  clickWidget(addSubtitle);
  EXPECT_TRUE(filters_.empty());  // no dialog
  clickWidget(window_->layout().showHideSubtitles);
  EXPECT_TRUE(window_->subtitleList()->isVisible());
  clickWidget(window_->layout().addSubtitle);
  EXPECT_EQ(filters_.size(), 1u);
}

TEST_F(PlaylistWindowTest, DialogsGetTheirFiltersAndTheChosenFiles) {
  playlist_test::TempFolder folder;
  h_.settings.ExtensionList = {"avi", "my ext"};
  chosen_ = {"/m/x.avi", "/m/y.my ext"};
  clickWidget(playlist::kAddMoviesButton);
  ASSERT_EQ(filters_.size(), 1u);
  EXPECT_EQ(filters_[0].toStdString(),
            playlist::movieFilesFilter("Video files", "All files", {"avi", "my ext"}));
  EXPECT_TRUE(severals_[0]);
  EXPECT_EQ(h_.model.count(), 2);

  struct SaveCase {
    const char* typed;
    int filter;
    const char* written;
  };
  for (const SaveCase& c : {SaveCase{"list", 0, "list.mpl"}, SaveCase{"other.MPL", 0, "other.MPL"},
                            SaveCase{"plain", 1, "plain"}}) {
    SCOPED_TRACE(c.typed);
    saveName_ = QString::fromStdString(folder.str() + c.typed);
    saveFilter_ = c.filter;
    clickWidget(playlist::kSavePlaylistButton);
    EXPECT_TRUE(std::filesystem::exists(folder.str() + c.written));
  }
  EXPECT_EQ(filters_.back().toStdString(),
            playlist::playlistFilesFilter("Tarvelino playlist file", "All files"));
}

TEST_F(PlaylistWindowTest, MenuCommandsAndResizing) {
  fill(3, 2);
  h_.model.makeCurrent(2);
  QMenu* menu = window_->movieMenu();
  std::vector<QString> captions;
  for (QAction* a : menu->actions()) captions.push_back(a->isSeparator() ? "-" : a->text());
  EXPECT_EQ(captions,
            (std::vector<QString>{"Add movie(s)", "Add folder", "Replace movie", "-", "Remove",
                                  "Remove all", "-", "Sort by filename", "Randomize"}));
  menu->actions()[5]->trigger();  // Remove all
  EXPECT_TRUE(h_.model.empty());
  EXPECT_EQ(window_->movieList()->count(), 0);

  window_->resize(600, 500);
  QApplication::processEvents();
  const playlist::PlaylistLayout l = playlist::playlistLayout(600, 500, true);
  EXPECT_EQ(window_->movieList()->geometry(),
            QRect(l.movieList.x, l.movieList.y, l.movieList.w, l.movieList.h));
  EXPECT_EQ(window_->backBuffer().size(), QSize(600, 500));
  window_->resize(100, 1000);  // limited to 250..800
  EXPECT_EQ(window_->size(), QSize(250, 800));
}

}  // namespace
}  // namespace ui
