#pragma once
// The configuration dialog as a command of the main window: its button,
// the "Configuration..." item and Ctrl+P open it modally (not while a movie
// is being opened, and only one at a time). The link gives the dialog what
// it cannot do itself: the file associations, the process priority, the
// languages, and the player's reaction to applied settings (subtitle
// durations and drawing, the remembered settings, saving the configuration
// and reporting failures). The boss key's global hot keys are released while
// the dialog is open, so they can be typed into its fields. Interface thread only.
#include <QObject>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/shell/shell_registration.h"
#include "playback/player.h"
#include "settings/folders.h"
#include "settings/settings.h"
#include "ui/configuration_dialog.h"
#include "ui/main_window_playback.h"

namespace app {

// What the link needs of the system and of the rest of the program; the
// program fills it, tests use fakes.
struct ConfigurationEnvironment {
  // The registration the dialog associates extensions with.
  std::function<shell::ShellContext()> shellContext;
  // The process's nice value, and the request for another (false: refused).
  std::function<int()> readNice;
  std::function<bool(int nice)> writeNice;
  // true: the boss key's hot keys are released; false: registered again
  // from the settings.
  std::function<void(bool dialogOpen)> bossKeyDialog;
  bool globalHotKeys = false;
  std::function<std::vector<std::string>()> displayModeLabels;
  std::function<void()> uncheckMovieMode;
  // Writes the configuration file; false when it could not be written.
  std::function<bool()> saveConfiguration;
  // The message window; with a check box it returns the box's state.
  std::function<bool(const std::string& text, bool checkBox)> showMessage;
  // The subtitle on the picture is laid out and drawn again.
  std::function<void()> repaintSubtitles;
  // The playlist window takes a new PlaylistFontSize.
  std::function<void()> applyPlaylistFont;
  std::string desktopFolder;
  // The video window's monitor while it is in full screen, else empty.
  std::function<QRect()> fullScreenMonitor;
};

class ConfigurationLink : public QObject {
  Q_OBJECT
 public:
  // References must outlive the link. Takes the adapter's configuration hook
  // and the Configuration menu command; other commands go on to the previous hook.
  ConfigurationLink(ui::MainWindowPlayback& adapter, playback::Player& player,
                    settings::Settings& settings, const settings::Folders& folders,
                    QPointer<QWidget> mainWindow, ConfigurationEnvironment env);
  ~ConfigurationLink() override;

  // Opens the dialog and returns when it closed; does nothing while a movie
  // is being opened or while the dialog is open.
  void open();
  bool isOpen() const { return open_; }

  // What the dialog gets; the registration lives while the link does.
  ui::ConfigurationServices services();

  // Opens the profiles editor; empty: the dialog's button shows disabled.
  std::function<void(QWidget* owner)> openProfilesEditor;
  // Runs on the dialog before it shows (tests drive it from here).
  std::function<void(ui::TfrmConfig&)> prepareDialog;

 private:
  shell::ShellRegistration& registration();
  int priorityLevel() const;
  void applied(const settings::Settings& before);

  ui::MainWindowPlayback& adapter_;
  playback::Player& player_;
  settings::Settings& settings_;
  const settings::Folders& folders_;
  QPointer<QWidget> mainWindow_;
  ConfigurationEnvironment env_;
  std::unique_ptr<shell::ShellRegistration> registration_;
  bool open_ = false;
};

}  // namespace app
