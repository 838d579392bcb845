#pragma once
// Bookmarks and recent files as commands of the main window's adapter: the
// "Bookmarks" submenu with its items for the open movie's bookmarks (Alt+I
// adds one, Alt+1..Alt+9 or an item seeks to one, Shift+C clears them), and
// the "Recent files" submenu's five movies and "Clear history". The lists
// themselves are the open movie's live bookmark times and the RecentFile
// settings; the rules are moviememory/bookmarks.h.
// Interface thread only.
#include <QObject>
#include <QPointer>

#include "settings/settings.h"
#include "playback/player.h"
#include "ui/main_window.h"
#include "ui/main_window_playback.h"

class QMenu;

namespace app {

class BookmarksLink : public QObject {
  Q_OBJECT
 public:
  // All references must outlive the link; the window may go first. Wraps the
  // adapter's keyPressed, menuCommand and contextMenuOpening hooks and the
  // controller's movieOpened and movieClosed hooks; what it does not serve
  // goes on to the previous hooks.
  BookmarksLink(ui::MainWindowPlayback& adapter, playback::Player& player,
                settings::Settings& settings, QPointer<ui::TfrmMain> window);

  // Alt+I: only with a movie open.
  void addBookmark();
  // Alt+n and bookmark item n (1..9): only with a movie open, not while Busy.
  void activateBookmark(int n);
  // Shift+C; quiet when a movie closes (the bookmarks stay in its record).
  void clearBookmarks(bool quiet);
  // Recent item k (1..5): opens that movie as a one-movie playlist; nothing
  // when the file is gone.
  void openRecentFile(int k);
  void clearHistory();
  // Puts the bookmark items into the "Bookmarks" submenu after its two fixed
  // items: a separator named "s0", then items "s1".."s9".
  void refreshBookmarkItems();

 protected:
  // The digits 1..9 choose a bookmark item in the open submenu.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void movieOpened(const std::string& path);
  QMenu* bookmarkMenu() const;

  ui::MainWindowPlayback& adapter_;
  playback::Player& player_;
  settings::Settings& settings_;
  QPointer<ui::TfrmMain> window_;
};

}  // namespace app
