#pragma once
// TfrmMain: the player's small skinned control window. A borderless window
// whose face is MAINIMAGE, with the transport buttons, the mute flip, the
// volume control, the seek bar and four labels drawn on it. It routes mouse
// input to its widgets, turns clicks into MainWindowCommands (queued, so
// commands never run inside the mouse handler), opens the context menu, lets
// the user drag it by any free spot with snapping and carries docked windows
// along. Its position is kept in MainXPosition and MainYPosition.
// Interface thread only.
#include "settings/settings.h"
#include "texts/interface_texts.h"
#include "ui/main_window_commands.h"
#include "ui/skin_window.h"

#include <QPointer>
#include <QTimer>

#include <map>
#include <memory>
#include <vector>

class QAction;
class QMenu;

namespace ui {

class TVirtualButton;
class TVirtualFlip;
class TVolumeControl;
class TVirtualProgressBar;
class TVirtualLabel;

enum class MainButton {
  OpenMovie,
  Rewind,
  Play,
  Forward,
  Pause,
  Stop,
  OpenSubtitle,
  Prior,
  Next,
  Playlist,
  Configuration,
  Close,
  Minimize,
  VolumeUp,
  VolumeDown,
  Info,
};

// The transport looks that the playback controller switches between.
enum class TransportState {
  NoMovie,  // rewind, forward, stop and pause disabled; play and pause released
  Opening,  // rewind and forward disabled, stop enabled, play and pause held down
  Playing,  // play held down, pause enabled, rewind, forward and stop enabled
  Paused,   // pause held down, play enabled, rewind, forward and stop enabled
};

enum class MainSubmenu {
  RecentFiles,
  Bookmarks,
  ChangeResolution,
  PanScan,     // shown in full screen only
  WindowSize,  // shown in a window only
  SendWindowTo,
  Filters,
};

class TfrmMain : public SkinWindow {
  Q_OBJECT
 public:
  // The window keeps references to all three; they must outlive it.
  TfrmMain(settings::Settings& settings, const texts::InterfaceTexts& texts,
           MainWindowCommands& commands, QWidget* parent = nullptr);
  ~TfrmMain() override;

  // Transport buttons, seek bar and time display, as the controller sees them.
  void showTransport(TransportState state);
  void setButtonEnabled(MainButton button, bool enabled);
  void setButtonHeldDown(MainButton button, bool held);
  bool buttonEnabled(MainButton button) const;
  bool buttonHeldDown(MainButton button) const;
  QRect buttonRect(MainButton button) const;
  void setSeekEnabled(bool enabled);
  void setSeekMaximum(int maximum);
  void setSeekPosition(int position);
  int seekPosition() const;
  int seekMaximum() const;
  QRect seekRect() const;
  // The volume control position 0..20 (AudioVolume) and the mute flip.
  void setVolumePosition(int position);
  int volumePosition() const;
  void setMuted(bool muted);
  bool muted() const;
  QRect volumeRect() const;
  QRect muteRect() const;

  // Label texts (UTF-8).
  void setMovieName(const std::string& name);
  void setSubtitleName(const std::string& name);
  void setTimesText(const std::string& text);
  void setRepeatText(const std::string& text);
  // "Click for frames" while times show, "Click for times" while frames show.
  void setShowingFrames(bool frames);
  QString movieName() const;
  QString timesText() const;
  QRect movieLabelRect() const;
  QRect timesLabelRect() const;
  QRect repeatLabelRect() const;
  bool scrollTimerActive() const { return scrollTimer_.isActive(); }
  // One scroll timer tick (the timer calls it every 1500 ms).
  void scrollTick();

  // Pushes the current interface texts into hints, labels and the menu.
  void applyTexts(const texts::InterfaceTexts& texts);

  // The context menu and the parts that other windows fill in.
  QMenu* contextMenu() const { return menu_; }
  QMenu* submenu(MainSubmenu which) const;
  QAction* menuAction(MenuCommand command) const;

  // Moves to MainXPosition, MainYPosition (kept inside the screen).
  void restorePosition();

 protected:
  void widgetClicked(SkinWidget* widget) override;
  void facePressed(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void createWidgets();
  void buildMenu();
  // Menu items and buttons of commands that are not built show disabled.
  void applyCommandAvailability();
  void runButton(MainButton button);
  void runLabel(TVirtualLabel* label);
  void updateScrollTimer();
  QRect adjustMove(const QRect& proposed);
  void beginMove();
  void endMove();
  TVirtualButton& button(MainButton which) const;

  settings::Settings& settings_;
  const texts::InterfaceTexts* texts_;
  MainWindowCommands& commands_;
  std::map<MainButton, std::unique_ptr<TVirtualButton>> buttons_;
  std::unique_ptr<TVirtualFlip> mute_;
  std::unique_ptr<TVolumeControl> volume_;
  std::unique_ptr<TVirtualProgressBar> seekBar_;
  std::unique_ptr<TVirtualLabel> movieLabel_, subtitleLabel_, timesLabel_, repeatLabel_;
  bool showingFrames_ = false;
  QTimer scrollTimer_;
  TVirtualLabel* scrollTurn_ = nullptr;  // the name label whose band moves now
  QMenu* menu_ = nullptr;
  std::map<MenuCommand, QAction*> actions_;
  std::map<MainSubmenu, QMenu*> submenus_;
  struct Dock {
    QPointer<QWidget> window;
    bool docked = false;
    QPoint offset;
  };
  std::vector<Dock> docks_;
  bool moving_ = false;
  int textsListener_ = -1;
};

}  // namespace ui
