#include "app/bookmarks_link.h"

#include <QAction>
#include <QKeyEvent>
#include <QMenu>

#include <filesystem>

#include "texts/interface_texts.h"
#include "moviememory/bookmarks.h"

namespace app {

namespace {

// Interface texts by their index in the message table.
constexpr int kBookmarkAdded = 38, kBookmarksErased = 39, kBookmark = 40;

// The menu shows the bookmark caption's tabs as one column break; its access
// key (the "&" before the number) is served by the submenu's key filter, as
// the number sits in the shortcut column where the toolkit shows "&" as is.
QString menuText(const std::string& caption) {
  QString text = QString::fromStdString(caption);
  text.replace(QStringLiteral("\t\t\t"), QStringLiteral("\t"));
  text.replace(QStringLiteral("Alt+&"), QStringLiteral("Alt+"));
  return text;
}

bool isFile(const std::string& path) {
  std::error_code ec;
  return std::filesystem::is_regular_file(path, ec);
}

}  // namespace

BookmarksLink::BookmarksLink(ui::MainWindowPlayback& adapter, playback::Player& player,
                             settings::Settings& settings, QPointer<ui::TfrmMain> window)
    : adapter_(adapter), player_(player), settings_(settings), window_(window) {
  ui::MainWindowHooks& h = adapter_.hooks();
  auto previousKey = h.keyPressed;
  h.keyPressed = [this, previousKey](int key, Qt::KeyboardModifiers modifiers) {
    const Qt::KeyboardModifiers m =
        modifiers & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    if (m == Qt::AltModifier && key >= Qt::Key_1 && key <= Qt::Key_9)
      activateBookmark(key - Qt::Key_0);
    else if (previousKey)
      previousKey(key, modifiers);
  };
  auto previousMenu = h.menuCommand;
  h.menuCommand = [this, previousMenu](ui::MenuCommand command) {
    using C = ui::MenuCommand;
    switch (command) {
      case C::AddBookmark:
        addBookmark();
        break;
      case C::ClearBookmarks:
        clearBookmarks(false);
        break;
      case C::RecentFile1:
      case C::RecentFile2:
      case C::RecentFile3:
      case C::RecentFile4:
      case C::RecentFile5:
        openRecentFile(static_cast<int>(command) - static_cast<int>(C::RecentFile1) + 1);
        break;
      case C::ClearHistory:
        clearHistory();
        break;
      default:
        if (previousMenu) previousMenu(command);
    }
  };
  auto previousOpening = h.contextMenuOpening;
  h.contextMenuOpening = [this, previousOpening] {
    if (previousOpening) previousOpening();
    // A movie whose open failed after its bookmarks were restored has none.
    if (!player_.controller().movieOpen() && !player_.state().OpeningBusy)
      moviememory::clearBookmarks(player_.live().Bookmarks);
    refreshBookmarkItems();
  };

  playback::PlaybackHooks& c = player_.controller().hooks();
  auto previousOpened = c.movieOpened;
  c.movieOpened = [this, previousOpened](const std::string& path) {
    if (previousOpened) previousOpened(path);
    movieOpened(path);
  };
  auto previousClosed = c.movieClosed;
  c.movieClosed = [this, previousClosed](bool full) {
    if (previousClosed) previousClosed(full);
    clearBookmarks(true);
  };
}

void BookmarksLink::movieOpened(const std::string& path) {
  // The record's slots become bookmarks 1, 2, ... in slot order.
  moviememory::closeBookmarkGaps(player_.live().Bookmarks);
  refreshBookmarkItems();
  moviememory::noteRecentFile(settings_.RecentFile, path);
}

void BookmarksLink::addBookmark() {
  playback::PlaybackController& c = player_.controller();
  if (!c.movieOpen()) return;
  const std::int64_t ms = player_.engine().currentPosition() / playback::kUnitsPerMs;
  const moviememory::BookmarkAddResult added =
      moviememory::addBookmark(player_.live().Bookmarks, ms);
  if (added.outcome != moviememory::BookmarkAdd::Added) return;
  refreshBookmarkItems();
  const texts::InterfaceTexts& t = player_.texts();
  c.ShowCommandOsd(t.Messages[kBookmarkAdded] + " (" + std::to_string(added.number) + ")");
  // Saved at the next check of the periodic save.
  player_.state().SettingsChangeScore = 10000;
}

void BookmarksLink::activateBookmark(int n) {
  playback::PlaybackController& c = player_.controller();
  const moviememory::BookmarkTimes& times = player_.live().Bookmarks;
  if (!c.movieOpen() || player_.state().Busy || n < 1 || n > moviememory::bookmarkCount(times))
    return;
  const std::optional<std::int64_t> ms = moviememory::bookmarkPositionMs(times[n - 1]);
  if (!ms) return;
  c.SeekToMs(*ms);
  c.ShowCommandOsd(player_.texts().Messages[kBookmark] + " " + std::to_string(n));
}

void BookmarksLink::clearBookmarks(bool quiet) {
  const bool had = moviememory::clearBookmarks(player_.live().Bookmarks);
  refreshBookmarkItems();
  if (!had || quiet) return;
  playback::PlaybackController& c = player_.controller();
  c.ShowCommandOsd(player_.texts().Messages[kBookmarksErased]);
  if (c.movieOpen()) playback::addSettingsChange(player_.state(), 5000);
}

void BookmarksLink::openRecentFile(int k) {
  if (k < 1 || k > static_cast<int>(moviememory::kRecentFiles)) return;
  const std::string path = settings_.RecentFile[k - 1];
  playback::PlayerState& state = player_.state();
  if (path.empty() || !isFile(path) || state.Busy || state.OpeningBusy) return;
  playback::PlaybackController& c = player_.controller();
  if (player_.engine().active()) c.CloseMovie(true);
  playlist::Playlist& list = player_.playlist();
  list.removeAll();
  list.addMovie(path);
  list.makeCurrent(0);
  state.AutoClosePlayerOnce = false;
  list.setPlayingFromPlaylist(false);
  state.CurrentMovie = path;
  // Opened as a single movie: its following parts join the playlist.
  c.OpenMovie(settings_.AutoPlayOnLoad, true);
}

void BookmarksLink::clearHistory() {
  moviememory::clearRecentFiles(settings_.RecentFile);
}

QMenu* BookmarksLink::bookmarkMenu() const {
  return window_ ? window_->submenu(ui::MainSubmenu::Bookmarks) : nullptr;
}

void BookmarksLink::refreshBookmarkItems() {
  QMenu* menu = bookmarkMenu();
  if (!menu) return;
  menu->installEventFilter(this);
  for (QAction* action : menu->actions()) {
    if (action->objectName().startsWith('s')) {
      menu->removeAction(action);
      action->deleteLater();
    }
  }
  const moviememory::BookmarkTimes& times = player_.live().Bookmarks;
  const int count = moviememory::bookmarkCount(times);
  if (count == 0) return;
  menu->addSeparator()->setObjectName(QStringLiteral("s0"));
  for (int n = 1; n <= count; ++n) {
    QAction* item = menu->addAction(menuText(moviememory::bookmarkCaption(times[n - 1], n)));
    item->setObjectName(QStringLiteral("s") + QString::number(n));
    // Queued, as every menu command is, so the seek runs after the menu closed.
    connect(item, &QAction::triggered, this, [this, n] {
      QMetaObject::invokeMethod(
          this,
          [this, n] {
            activateBookmark(n);
            adapter_.refresh();
          },
          Qt::QueuedConnection);
    });
  }
}

bool BookmarksLink::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress && watched == bookmarkMenu()) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() >= Qt::Key_1 && key->key() <= Qt::Key_9 &&
        !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
      auto* menu = static_cast<QMenu*>(watched);
      const QString name = QStringLiteral("s") + QString::number(key->key() - Qt::Key_0);
      for (QAction* action : menu->actions()) {
        if (action->objectName() == name) {
          menu->hide();
          if (QMenu* top = window_ ? window_->contextMenu() : nullptr) top->hide();
          action->trigger();
          return true;
        }
      }
    }
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace app
