#pragma once
// TfrmPlayList: the skinned, resizable playlist window. It shows the playlist
// model (ListVideo, the movies; ListSub, the subtitle choices of the selected
// movie, which can be hidden) and turns mouse, keys, drops, its buttons and
// menus into the model's operations. The frame is composed from the pieces
// PLAYLISTPIECE1..10 for the current size. Keys the lists act on stay here;
// the others go on to the player's key dispatch. Interface thread only.
#include <QListWidget>
#include <QPointer>
#include <QStringList>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "playlist/playlist.h"
#include "playlist/window_input.h"
#include "playlist/window_layout.h"
#include "settings/settings.h"
#include "ui/skin_window.h"

class QMenu;

namespace ui {

class TVirtualButton;
class TVirtualButton2;
class TVirtualFlip;
class TResizeZone;
class TfrmPlayList;

// The two lists of the window; they hand their keys and mouse to the window.
class PlaylistListBox : public QListWidget {
  Q_OBJECT
 public:
  PlaylistListBox(TfrmPlayList& owner, bool movies);
  bool movies() const { return movies_; }

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  friend class TfrmPlayList;
  TfrmPlayList& owner_;
  bool movies_;
};

// What the window asks of the rest of the player. Every hook may stay empty.
struct PlaylistWindowHooks {
  // A key the window does not act on: the player's key dispatch.
  std::function<void(int key, Qt::KeyboardModifiers modifiers)> keyPressed;
  // The user started the selected entry (double click, Enter).
  std::function<void()> played;
  // The model changed in a way the main window shows (shuffle, the list).
  std::function<void()> changed;
  // The window was closed: the automatic playlist is saved or deleted.
  std::function<void()> closed;
  // The file dialogs; by default the toolkit's. filter is in the toolkit's
  // form; selectedFilter (save only) receives the index of the chosen filter.
  std::function<QStringList(const QString& title, const QString& filter, bool several)> openFiles;
  std::function<QString(const QString& title, const QString& filter, int* selectedFilter)> saveFile;
  std::function<QString(const QString& title)> chooseFolder;
};

class TfrmPlayList : public SkinWindow {
  Q_OBJECT
 public:
  // settings and model must outlive the window.
  TfrmPlayList(settings::Settings& settings, playlist::Playlist& model, QWidget* parent = nullptr);
  ~TfrmPlayList() override;

  PlaylistWindowHooks& hooks() { return hooks_; }

  // Rows and selections from the model (after any change made elsewhere).
  void refresh();
  // refresh() when the model or the toggled settings changed since the last
  // one (the player's Next, Previous and opening change the list too).
  void refreshIfChanged();
  // Shows the window at PlaylistXPosition/YPosition with PlayListWidth x
  // PlayListHeight, kept inside the work area.
  void showWindow();
  // The main window's playlist button: closes it when showing, else shows it.
  void toggleWindow();
  // Position and size into the settings.
  void storeGeometry();
  // ListVideo font size from PlaylistFontSize (1..50 points).
  void applyFontSize();
  // Captions, hints and menus after a language change.
  void applyTexts();

  PlaylistListBox* movieList() const { return movieList_; }
  PlaylistListBox* subtitleList() const { return subtitleList_; }
  bool subtitlesShown() const { return subtitlesShown_; }
  void setSubtitlesShown(bool shown);
  bool multiSelection() const { return multiSelection_; }
  const playlist::PlaylistLayout& layout() const { return layout_; }
  QMenu* movieMenu() const { return movieMenu_; }

  // The window's commands (buttons, menus, keys).
  void addMovies();
  void addFolder();
  void replaceMovie();
  void removeSelected();
  void removeAll();
  void savePlaylist();
  void loadPlaylist();
  void addSubtitle();
  void playSelected();
  void closeWindow();
  void sortByFileName();
  void randomize();
  // Dropped files and folders; onSubtitles when dropped on the shown ListSub.
  void acceptFiles(const QStringList& paths, bool onSubtitles);

 protected:
  void widgetClicked(SkinWidget* widget) override;
  void resizeEvent(QResizeEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void changeEvent(QEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  friend class PlaylistListBox;
  void relayout();
  void composeFrame();
  void buildMenus();
  void listKey(PlaylistListBox& list, QKeyEvent* event);
  void runAction(playlist::ListAction action, PlaylistListBox& list);
  void listPressed(PlaylistListBox& list, QMouseEvent* event);
  void listMoved(PlaylistListBox& list, QMouseEvent* event);
  void listReleased();
  void listDoubleClicked(PlaylistListBox& list, QMouseEvent* event);
  int rowAt(PlaylistListBox& list, int y) const;
  void leaveMultiSelection();
  void selectAllRows();
  void refreshSubtitles();
  void modelChanged();
  QStringList chooseFiles(const QString& title, const QString& filter, bool several);

  settings::Settings& settings_;
  playlist::Playlist& model_;
  PlaylistWindowHooks hooks_;
  playlist::PlaylistLayout layout_;
  bool subtitlesShown_ = true;
  bool multiSelection_ = false;
  bool refreshing_ = false;
  int dragRow_ = -1;  // the pressed row while the left button drags an entry
  PlaylistListBox* movieList_ = nullptr;
  PlaylistListBox* subtitleList_ = nullptr;
  TResizeZone* bottomZone_ = nullptr;
  TResizeZone* cornerZone_ = nullptr;
  TResizeZone* rightZone_ = nullptr;
  QMenu* movieMenu_ = nullptr;
  QMenu* subtitleMenu_ = nullptr;
  std::unique_ptr<TVirtualButton> close_, addMovies_, addFolder_, remove_, save_, load_,
      addSubtitle_;
  std::unique_ptr<TVirtualButton2> previousSettings_, shuffle_;
  std::unique_ptr<TVirtualFlip> showHide_;
  int textsListener_ = -1;
  // What the lists show, to notice changes made elsewhere.
  std::vector<std::string> shownRows_, shownSubtitleRows_;
  int shownSelected_ = -1, shownSubtitleRow_ = -1;
};

}  // namespace ui
