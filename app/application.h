#pragma once
// The player's start-up, hand-over to a running instance, and orderly shut-down.
#include <QObject>
#include <QPointer>
#include <QWidget>

#include <memory>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/shell/shell_registration.h"
#include "settings/folders.h"
#include "settings/settings.h"
#include "settings/settings_io.h"

namespace mpris {
class MprisService;
}
namespace playback {
class Player;
}
namespace ui {
class MainWindowPlayback;
class TfrmMain;
class VideoPlayback;
}  // namespace ui

namespace app {

class AudioToolsLink;
class BookmarksLink;
class PlaylistLink;
class ProfilesLink;
class ConfigurationLink;
class HotKeys;
class KeysLink;
class PowerOffLink;
class ScreenCommandsLink;
class InstanceServer;
class VideoToolsLink;

class Application : public QObject {
  Q_OBJECT
 public:
  Application(std::string executablePath, std::vector<std::string> args);
  ~Application() override;

  // Runs the start-up sequence and the event loop; returns the exit code.
  int run();

  // The orderly shut-down: records, files and configuration are written.
  // Called when the main window closes (its close button, the exit command,
  // SIGTERM, SIGINT, the session manager's quit).
  void shutDown();
  // Its saving steps without leaving the event loop (the power-off runs them
  // before asking the system); once per run.
  void closingSteps();

  settings::Settings& Settings() { return settings_; }
  // The profiles editor for the configuration dialog.
  ProfilesLink& profiles() { return *profiles_; }
  const settings::Folders& folders() const { return folders_; }

 private:
  bool startUp();
  void createPlayerAndWindows();
  void firstActivation();
  // The context of the shell registration for this user and program.
  shell::ShellContext shellContext() const;
  // The first run's association question (FirstRun on).
  void firstRunQuestion();
  void registerBossKey();
  void installConfiguration();
  // Equalizer bands, pre-amplification and dynamic amplification from the
  // settings into the sound chain.
  void applySoundSettings();
  void toggleDynamicAmplification();
  // "Always on Top": every player window above other programs' windows, or not.
  void toggleAlwaysOnTop();
  void bossKeyHide();
  void bossKeyShow();
  void mainWindowStateChanged();
  bool eventFilter(QObject* watched, QEvent* event) override;
  void readConfiguration();
  bool handOverIfSecondStart();
  void applyPriority();
  void installQuitSignals();
  void onFilesReceived(const QByteArray& payload, bool raise);
  void onCommandReceived(int code);
  settings::ScreenGeometry screenGeometry() const;

  std::string executablePath_;
  CommandLine commandLine_;
  settings::Folders folders_;
  settings::Settings settings_;
  std::unique_ptr<InstanceServer> instanceServer_;
  std::unique_ptr<playback::Player> player_;
  std::unique_ptr<ui::VideoPlayback> video_;
  std::unique_ptr<ui::MainWindowPlayback> link_;
  std::unique_ptr<AudioToolsLink> audioTools_;  // equalizer window
  std::unique_ptr<VideoToolsLink> videoTools_;  // colour control window, frame capture
  std::unique_ptr<BookmarksLink> bookmarks_;    // bookmarks and recent files
  std::unique_ptr<PowerOffLink> powerOff_;      // power-off after playback
  std::unique_ptr<PlaylistLink> playlist_;      // the playlist window
  std::unique_ptr<ProfilesLink> profiles_;      // the profiles editor
  std::unique_ptr<KeysLink> keys_;              // focus keys, jump, font, key definitions
  QPointer<ui::TfrmMain> mainWindow_;
  std::unique_ptr<HotKeys> hotKeys_;
  std::unique_ptr<mpris::MprisService> mpris_;      // desktop media control; null without a bus
  std::unique_ptr<ScreenCommandsLink> screen_;      // full screen, sizes, display modes
  std::vector<QPointer<QWidget>> hiddenByBossKey_;  // in the screen's window order
  // The configuration dialog.
  std::unique_ptr<ConfigurationLink> configuration_;
  bool pausedByBossKey_ = false;
  bool pausedByMinimize_ = false;
  bool shutDownDone_ = false;
  bool firstActivationDone_ = false;
  bool askFirstRun_ = false;
};

// Process entry: builds the toolkit application and runs the player.
int runTarvelino(int argc, char** argv);

}  // namespace app
