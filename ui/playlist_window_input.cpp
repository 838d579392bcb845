// TfrmPlayList: the two lists (rows from the model, keys, mouse, drag
// reordering) and dropped files.
#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QUrl>

#include "ui/playlist_window.h"
#include "ui/virtual_toggles.h"

namespace ui {

namespace {

playlist::ListKey keyOf(int key) {
  using K = playlist::ListKey;
  switch (key) {
    case Qt::Key_F10:
      return K::F10;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return K::Enter;
    case Qt::Key_Escape:
      return K::Escape;
    case Qt::Key_Left:
      return K::Left;
    case Qt::Key_Right:
      return K::Right;
    case Qt::Key_Up:
      return K::Up;
    case Qt::Key_Down:
      return K::Down;
    case Qt::Key_Home:
      return K::Home;
    case Qt::Key_End:
      return K::End;
    case Qt::Key_PageUp:
      return K::PageUp;
    case Qt::Key_PageDown:
      return K::PageDown;
    case Qt::Key_Insert:
      return K::Insert;
    case Qt::Key_Delete:
      return K::Delete;
    case Qt::Key_A:
      return K::A;
    case Qt::Key_L:
      return K::L;
    case Qt::Key_F5:
      return K::F5;
    default:
      return K::Other;
  }
}

bool modifierKey(int key) {
  return key == Qt::Key_Shift || key == Qt::Key_Control || key == Qt::Key_Alt ||
         key == Qt::Key_Meta || key == Qt::Key_AltGr;
}

playlist::KeyModifiers keyModifiers(Qt::KeyboardModifiers m) {
  return {bool(m & Qt::ShiftModifier), bool(m & Qt::ControlModifier), bool(m & Qt::AltModifier)};
}

// Local files and folders of a drop, in drop order.
QStringList droppedPaths(const QMimeData* data) {
  QStringList list;
  if (!data || !data->hasUrls()) return list;
  for (const QUrl& url : data->urls())
    if (url.isLocalFile()) list << url.toLocalFile();
  return list;
}

}  // namespace

PlaylistListBox::PlaylistListBox(TfrmPlayList& owner, bool movies)
    : QListWidget(&owner), owner_(owner), movies_(movies) {
  setSelectionMode(QAbstractItemView::SingleSelection);
  setAcceptDrops(true);
  setDragDropMode(QAbstractItemView::DropOnly);
  setMouseTracking(true);
  setFrameShape(QFrame::NoFrame);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  QPalette p = palette();
  p.setColor(QPalette::Base, QColor(0xF6, 0xF7, 0xF6));  // 16185078 as 0x00BBGGRR
  p.setColor(QPalette::Text, QColor(0x0C, 0x34, 0x0C));  // 799756
  setPalette(p);
  QFont font("MS Sans Serif");
  font.setPixelSize(11);
  setFont(font);
}

void PlaylistListBox::keyPressEvent(QKeyEvent* event) {
  owner_.listKey(*this, event);
}

void PlaylistListBox::mousePressEvent(QMouseEvent* event) {
  owner_.listPressed(*this, event);
}

void PlaylistListBox::mouseMoveEvent(QMouseEvent* event) {
  if (movies_ && (event->buttons() & Qt::LeftButton))
    owner_.listMoved(*this, event);
  else
    QListWidget::mouseMoveEvent(event);
  // The hint follows the row under the pointer.
  if (owner_.settings_.DisplayHintInPlaylist) {
    QListWidgetItem* item = itemAt(event->position().toPoint());
    setToolTip(item ? item->data(Qt::UserRole).toString() : QString());
  } else {
    setToolTip(QString());
  }
}

void PlaylistListBox::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) owner_.listReleased();
}

void PlaylistListBox::mouseDoubleClickEvent(QMouseEvent* event) {
  owner_.listDoubleClicked(*this, event);
}

void PlaylistListBox::focusOutEvent(QFocusEvent* event) {
  QListWidget::focusOutEvent(event);
  // A selection of every row lasts only while the list has the keyboard, so
  // a later Delete (or a remote key) cannot empty the list unexpectedly.
  if (movies_ && !(QApplication::activePopupWidget())) owner_.leaveMultiSelection();
}

void PlaylistListBox::dragEnterEvent(QDragEnterEvent* event) {
  if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void PlaylistListBox::dragMoveEvent(QDragMoveEvent* event) {
  if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void PlaylistListBox::dropEvent(QDropEvent* event) {
  const QStringList list = droppedPaths(event->mimeData());
  if (list.isEmpty()) return;
  event->acceptProposedAction();
  owner_.acceptFiles(list, !movies_);
}

void TfrmPlayList::dragEnterEvent(QDragEnterEvent* event) {
  if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void TfrmPlayList::dropEvent(QDropEvent* event) {
  const QStringList list = droppedPaths(event->mimeData());
  if (list.isEmpty()) return;
  event->acceptProposedAction();
  const QPoint at = event->position().toPoint();
  // Edges count as inside the subtitle list.
  const bool onSubtitles =
      subtitlesShown_ && subtitleList_->geometry().adjusted(0, 0, 1, 1).contains(at);
  acceptFiles(list, onSubtitles);
}

void TfrmPlayList::refresh() {
  refreshing_ = true;
  const std::vector<std::string>& rows = model_.movieRows();
  const std::vector<std::string>& movies = model_.PlaylistMovies();
  if (movieList_->count() != static_cast<int>(rows.size())) {
    movieList_->clear();
    for (std::size_t i = 0; i < rows.size(); ++i) movieList_->addItem(QString());
  }
  for (int i = 0; i < movieList_->count(); ++i) {
    QListWidgetItem* item = movieList_->item(i);
    const QString text = QString::fromStdString(rows[size_t(i)]);
    if (item->text() != text) item->setText(text);
    item->setData(Qt::UserRole, QString::fromStdString(movies[size_t(i)]));
    item->setSizeHint(QSize(0, std::max(13, movieList_->fontMetrics().height())));
  }
  if (!multiSelection_) {
    const int s = model_.selectedIndex();
    if (s >= 0) {
      movieList_->setCurrentRow(s);
    } else {
      movieList_->clearSelection();
      movieList_->setCurrentRow(-1);
    }
  }
  refreshing_ = false;
  shownRows_ = rows;
  shownSelected_ = model_.selectedIndex();
  refreshSubtitles();
}

void TfrmPlayList::refreshIfChanged() {
  if (shuffle_->on() != settings_.Shuffle) shuffle_->setOn(settings_.Shuffle);
  if (previousSettings_->on() != settings_.RememberPreviousMovieSettings)
    previousSettings_->setOn(settings_.RememberPreviousMovieSettings);
  if (multiSelection_ || dragRow_ >= 0) return;
  if (shownSelected_ != model_.selectedIndex() || shownRows_ != model_.movieRows() ||
      shownSubtitleRow_ != model_.selectedSubtitleRow() ||
      shownSubtitleRows_ != model_.subtitleRows())
    refresh();
}

void TfrmPlayList::refreshSubtitles() {
  refreshing_ = true;
  subtitleList_->clear();
  if (!multiSelection_) {
    const std::vector<std::string>& rows = model_.subtitleRows();
    const std::vector<std::string>& candidates = model_.SubtitleCandidates();
    for (std::size_t i = 0; i < rows.size(); ++i) {
      auto* item = new QListWidgetItem(QString::fromStdString(rows[i]), subtitleList_);
      item->setSizeHint(QSize(0, 13));
      if (i > 0 && i - 1 < candidates.size())
        item->setData(Qt::UserRole, QString::fromStdString(candidates[i - 1]));
    }
    if (model_.selectedSubtitleRow() >= 0)
      subtitleList_->setCurrentRow(model_.selectedSubtitleRow());
  }
  shownSubtitleRows_ = model_.subtitleRows();
  shownSubtitleRow_ = model_.selectedSubtitleRow();
  refreshing_ = false;
}

void TfrmPlayList::leaveMultiSelection() {
  if (!multiSelection_) return;
  multiSelection_ = false;
  movieList_->setSelectionMode(QAbstractItemView::SingleSelection);
  refresh();
}

void TfrmPlayList::selectAllRows() {
  multiSelection_ = true;
  movieList_->setSelectionMode(QAbstractItemView::MultiSelection);
  movieList_->selectAll();
  subtitleList_->clear();
}

int TfrmPlayList::rowAt(PlaylistListBox& list, int y) const {
  if (list.count() == 0) return -1;
  const QModelIndex index = list.indexAt(QPoint(4, y));
  if (index.isValid()) return index.row();
  // Above the first or below the last row: the nearest end.
  const QRect first = list.visualItemRect(list.item(0));
  return y < first.top() ? 0 : list.count() - 1;
}

void TfrmPlayList::listKey(PlaylistListBox& list, QKeyEvent* event) {
  if (modifierKey(event->key())) return;  // Shift, Ctrl or Alt alone: nothing yet
  const playlist::ListKey key = keyOf(event->key());
  const playlist::KeyModifiers m = keyModifiers(event->modifiers());
  const playlist::KeyDecision d = list.movies() ? playlist::movieListKey(key, m, multiSelection_)
                                                : playlist::subtitleListKey(key, m);
  const bool wasMulti = multiSelection_;
  if (d.leaveMultiSelection && d.action != playlist::ListAction::RemoveAll) leaveMultiSelection();
  if (d.action == playlist::ListAction::Navigate) {
    // The list moves its own cursor; the model follows the new row.
    list.QListWidget::keyPressEvent(event);
    if (list.movies()) {
      model_.select(list.currentRow());
      refreshSubtitles();
    }
    return;
  }
  if (d.action != playlist::ListAction::None) {
    runAction(d.action, list);
    if (wasMulti && d.action == playlist::ListAction::RemoveAll) leaveMultiSelection();
  }
  if (d.toPlayer && hooks_.keyPressed) hooks_.keyPressed(event->key(), event->modifiers());
  event->accept();
}

void TfrmPlayList::keyPressEvent(QKeyEvent* event) {
  if (modifierKey(event->key())) return;
  const playlist::KeyDecision d =
      playlist::windowKey(keyOf(event->key()), keyModifiers(event->modifiers()));
  if (d.action != playlist::ListAction::None) runAction(d.action, *movieList_);
  if (d.toPlayer && hooks_.keyPressed) hooks_.keyPressed(event->key(), event->modifiers());
}

void TfrmPlayList::runAction(playlist::ListAction action, PlaylistListBox& list) {
  using A = playlist::ListAction;
  // Dialogs are opened after the key handler returned.
  auto later = [this](void (TfrmPlayList::*command)()) {
    QMetaObject::invokeMethod(
        this, [this, command] { (this->*command)(); }, Qt::QueuedConnection);
  };
  switch (action) {
    case A::Close:
      closeWindow();
      break;
    case A::Play:
      playSelected();
      break;
    case A::MoveUp:
      model_.moveUp(true);
      modelChanged();
      break;
    case A::MoveDown:
      model_.moveDown(true);
      modelChanged();
      break;
    case A::AddMovies:
      later(&TfrmPlayList::addMovies);
      break;
    case A::AddFolder:
      later(&TfrmPlayList::addFolder);
      break;
    case A::AddSubtitle:
      later(&TfrmPlayList::addSubtitle);
      break;
    case A::Remove:
      removeSelected();
      break;
    case A::RemoveAll:
      removeAll();
      break;
    case A::SelectAll:
      selectAllRows();
      break;
    case A::ChooseSubtitle:
      if (list.currentRow() >= 0) {
        model_.chooseSubtitle(list.currentRow());
        modelChanged();
      }
      break;
    case A::RebuildChoices:
      model_.listVideoSelectItem();
      refreshSubtitles();
      break;
    case A::Navigate:
    case A::None:
      break;
  }
}

void TfrmPlayList::listPressed(PlaylistListBox& list, QMouseEvent* event) {
  leaveMultiSelection();
  setHintText(QString());
  const QPoint at = event->position().toPoint();
  QListWidgetItem* item = list.itemAt(at);
  if (event->button() == Qt::RightButton) {
    // The row under the pointer first, then the menu.
    if (item && list.movies()) {
      model_.select(list.row(item));
      refresh();
    } else if (item) {
      list.setCurrentItem(item);
    }
    QMenu* menu = list.movies() ? movieMenu_ : subtitleMenu_;
    menu->popup(event->globalPosition().toPoint());
    return;
  }
  if (event->button() != Qt::LeftButton) return;
  if (!list.movies()) {
    // ListSubClick: the clicked row becomes the entry's subtitle.
    if (item) {
      model_.chooseSubtitle(list.row(item));
      modelChanged();
    }
    return;
  }
  if (!item) return;
  dragRow_ = list.row(item);
  model_.select(dragRow_);
  refresh();
}

void TfrmPlayList::listMoved(PlaylistListBox& list, QMouseEvent* event) {
  if (dragRow_ < 0 || model_.selectedIndex() < 0) return;
  const int target = rowAt(list, event->position().toPoint().y());
  if (target < 0 || target == model_.selectedIndex()) return;
  playlist::dragSelectedTo(model_, target);
  dragRow_ = model_.selectedIndex();
  modelChanged();
}

void TfrmPlayList::listReleased() {
  dragRow_ = -1;
}

void TfrmPlayList::listDoubleClicked(PlaylistListBox& list, QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !list.movies()) return;
  QListWidgetItem* item = list.itemAt(event->position().toPoint());
  if (!item) return;
  // The row double-clicked is the one played, even when no press selected it.
  if (list.row(item) != model_.selectedIndex()) model_.select(list.row(item));
  playSelected();
}

}  // namespace ui
