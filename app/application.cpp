#include "app/application.h"

#include <sys/resource.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>
#include <QSessionManager>
#include <QSocketNotifier>
#include <QStandardPaths>
#include <QTimer>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <iostream>

#include "app/audio_tools_link.h"
#include "app/bookmarks_link.h"
#include "app/configuration_link.h"
#include "app/close_when_idle.h"
#include "app/hot_keys.h"
#include "app/info_commands_link.h"
#include "app/instance_channel.h"
#include "app/keys_link.h"
#include "app/mpris_link.h"
#include "app/player_commands.h"
#include "app/playlist_link.h"
#include "app/profiles_link.h"
#include "app/power_off_link.h"
#include "app/remote_commands_link.h"
#include "app/screen_commands_link.h"
#include "app/shell/registration_moments.h"
#include "app/video_tools_link.h"
#include "audio/processing_chain.h"
#include "audio/window/equalizer_window.h"
#include "platform/display_modes_x11.h"
#include "platform/logind_power_off.h"
#include "playback/gst_engine.h"
#include "playback/player.h"
#include "settings/configuration_file.h"
#include "settings/save_configuration.h"
#include "texts/interface_texts.h"
#include "texts/language_file.h"
#include "ui/main_window.h"
#include "ui/main_window_playback.h"
#include "ui/message_window.h"
#include "ui/playlist_window.h"
#include "ui/skin_cursors.h"
#include "ui/skin_data.h"
#include "ui/videowindow/video_playback.h"
#include "ui/window_drag.h"
#include "video/window/color_control_window.h"

namespace app {

namespace {

constexpr const char* kLoadingTitle = "Tarvelino - Loading...";
constexpr int kFirstRunRetryMs = 50;

int quitSignalFds[2] = {-1, -1};

void onQuitSignal(int) {
  const int saved = errno;
  char b = 1;
  [[maybe_unused]] ssize_t n = ::write(quitSignalFds[1], &b, 1);
  errno = saved;
}

// SIGTERM, SIGINT and SIGHUP only leave a byte in a socket pair; the event
// loop reads it and closes the player the orderly way, saving its files. The
// handlers are in place before anything is read, so a signal during start-up
// no longer ends the process on the spot: it is acted on once the loop runs.
void catchQuitSignals() {
  if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, quitSignalFds) != 0)
    return;
  struct sigaction sa {};
  sa.sa_handler = onQuitSignal;
  sigemptyset(&sa.sa_mask);
  sa.sa_flags = SA_RESTART;
  sigaction(SIGTERM, &sa, nullptr);
  sigaction(SIGINT, &sa, nullptr);
  sigaction(SIGHUP, &sa, nullptr);
}

// Ends the program after an error that no handler caught. The exit code tells
// the caller that the run failed.
[[noreturn]] void terminateAfterError(const std::string& ProgramName, const char* what) {
  const QString text =
      QString::fromStdString(ProgramName) + " has detected a problem and will be terminated...";
  std::cerr << text.toStdString() << (what ? std::string(" (") + what + ")" : "") << std::endl;
  if (QGuiApplication::platformName() != "offscreen" &&
      QGuiApplication::platformName() != "minimal")
    QMessageBox::critical(nullptr, QString::fromStdString(ProgramName), text);
  std::_Exit(EXIT_FAILURE);
}

std::string gProgramName = "Tarvelino";

// The program's icon for the desktop's icon theme: the skin's APPICON.
std::string appIconPng() {
  for (const ui::EmbeddedFile& f : ui::embeddedSkinFiles())
    if (std::string_view(f.name) == "APPICON")
      return std::string(reinterpret_cast<const char*>(f.data), f.size);
  return {};
}

class TarvelinoApplication : public QApplication {
 public:
  using QApplication::QApplication;
  bool notify(QObject* receiver, QEvent* event) override {
    try {
      return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
      terminateAfterError(gProgramName, e.what());
    } catch (...) {
      terminateAfterError(gProgramName, nullptr);
    }
  }
};

}  // namespace

Application::Application(std::string executablePath, std::vector<std::string> args)
    : executablePath_(std::move(executablePath)), commandLine_(parseCommandLine(args)) {}

Application::~Application() {
  // The main window refers to the adapter and the player: it goes first.
  delete mainWindow_.data();
}

settings::ScreenGeometry Application::screenGeometry() const {
  settings::ScreenGeometry g;
  QScreen* primary = QGuiApplication::primaryScreen();
  if (!primary) return g;
  auto rect = [](const QRect& r) {
    return settings::Rect{r.left(), r.top(), r.width(), r.height()};
  };
  g.width = primary->geometry().width();
  g.height = primary->geometry().height();
  g.primaryWorkArea = rect(primary->availableGeometry());
  g.virtualDesktop = rect(primary->virtualGeometry());
  std::vector<settings::Rect> monitors;
  for (QScreen* s : QGuiApplication::screens()) monitors.push_back(rect(s->geometry()));
  g.MultiMonitorDesktop = settings::computeMultiMonitorDesktop(monitors);
  return g;
}

void Application::readConfiguration() {
  settings::ApplyContext context;
  context.screen = screenGeometry();
  context.folderExists = [](const std::string& p) {
    std::error_code ec;
    return std::filesystem::is_directory(p, ec);
  };
  settings::applyDefaultPositions(settings_, context.screen);
  settings::applyConfigurationValues(settings::ReadConfigurationFile(folders_.ConfigurationFile),
                                     settings_, context);
}

bool Application::handOverIfSecondStart() {
  instanceServer_ = std::make_unique<InstanceServer>();
  const QString name = instanceSocketName(folders_.ProgramName);
  if (instanceServer_->listen(name)) {
    // A remote command with no player running has nobody to reach: this
    // start ends instead of becoming a player without a movie.
    if (commandLine_.kind == CommandKind::Command) {
      instanceServer_.reset();
      return true;
    }
    connect(instanceServer_.get(), &InstanceServer::filesReceived, this,
            &Application::onFilesReceived);
    // Queued: a command may open a modal dialog, which must not run inside
    // the socket's read handler.
    connect(instanceServer_.get(), &InstanceServer::commandReceived, this,
            &Application::onCommandReceived, Qt::QueuedConnection);
    return false;
  }
  const bool enqueue =
      commandLine_.kind == CommandKind::AddFile || commandLine_.kind == CommandKind::AddFolder;
  if (commandLine_.kind == CommandKind::Command) {
    sendRemoteCommand(name, commandLine_.commandCode);
    return true;
  }
  if (settings_.AllowMultipleInstances && !enqueue) {
    instanceServer_.reset();  // an independent instance: no channel of its own
    return false;
  }
  handOverPayload(name, buildInstancePayload(commandLine_.args), !enqueue);
  return true;
}

void Application::applyPriority() {
  static const int kNiceByLevel[] = {-10, -5, 0, 10};
  int level = settings::priorityLevel(settings_.CpuPriority);
  if (level != 2) setpriority(PRIO_PROCESS, 0, kNiceByLevel[level]);  // failures are silent
}

void Application::installQuitSignals() {
  if (quitSignalFds[0] < 0) return;
  auto* notifier = new QSocketNotifier(quitSignalFds[0], QSocketNotifier::Read, this);
  connect(notifier, &QSocketNotifier::activated, this, [this] {
    char b[16];
    while (::read(quitSignalFds[0], b, sizeof b) > 0) {
    }
    if (mainWindow_)
      mainWindow_->close();
    else
      QCoreApplication::quit();
  });
  // The session manager's quit closes the player like the end-of-session notice.
  connect(qApp, &QGuiApplication::commitDataRequest, this, [this](QSessionManager&) {
    if (mainWindow_) mainWindow_->close();
  });
}

bool Application::startUp() {
  folders_ = settings::determineFolders(executablePath_);
  gProgramName = folders_.ProgramName;
  if (commandLine_.kind == CommandKind::Install) {
    shell::ShellRegistration registration(shellContext());
    shell::InstallProgram(registration);
    return false;
  }
  installQuitSignals();
  settings::migrateOldFiles(folders_);
  texts::LoadBuiltInTexts(false);
  QGuiApplication::setApplicationDisplayName(kLoadingTitle);
  QApplication::setWindowIcon(ui::applicationIcon());  // every window carries it
  readConfiguration();
  if (commandLine_.kind == CommandKind::Uninstall) {
    shell::ShellRegistration registration(shellContext());
    shell::UninstallAssociations(registration, settings_);
    return false;
  }
  // A second start hands over before it builds any window or media engine,
  // so it stays short-lived.
  if (handOverIfSecondStart()) return false;
  applyPriority();
  {
    shell::ShellRegistration registration(shellContext());
    shell::RegisterAtStart(registration, settings_);  // a failure is not reported here
  }
  createPlayerAndWindows();
  if (!settings_.RememberPanScanSettings) settings_.PanScanSize = 0;
  applySoundSettings();
  player_->restore();  // last playlist (clamps LastMovieSelectedInPlaylist) and remembered movies
  auto language = texts::loadStartupLanguage(folders_.ProgramFolder, settings_.LastUsedLanguage,
                                             settings_.FullscreenModeSwitch);
  if (!language.message.empty()) ui::ShowMessageWindow(language.message, mainWindow_);
  player_->setTexts(texts::currentTexts());
  screen_->start(texts::currentTexts().Options[6]);
  // The first-run question is asked once the main window shows (queued in run()).
  askFirstRun_ = settings_.FirstRun;
  settings_.FirstRun = false;
  if (settings_.BossKey) registerBossKey();
  // Desktop media keys and tools; without a session bus the player runs without.
  mpris_ = startMpris(*player_, settings_, mainWindow_.data(), folders_.ProgramName);
  return true;
}

void Application::createPlayerAndWindows() {
  playback::PlayerOptions options;
  options.programName = folders_.ProgramName;
  options.dataFolder = folders_.DataFolder;
  player_ = std::make_unique<playback::Player>(settings_, texts::currentTexts(), options);
  video_ = std::make_unique<ui::VideoPlayback>(*player_, settings_, folders_.ProgramName);
  link_ = std::make_unique<ui::MainWindowPlayback>(player_->controller(), player_->engine(),
                                                   player_->state(), settings_);
  auto* window = new ui::TfrmMain(settings_, texts::currentTexts(), *link_);
  window->setAttribute(Qt::WA_DeleteOnClose);
  window->setWindowRole(QString::fromStdString(folders_.ProgramName + "MainWindow"));
  window->installEventFilter(this);
  // A close waits for Busy and OpeningBusy to clear, then shuts down in order.
  new CloseWhenIdle(*window, player_->state(), [this] { shutDown(); });
  mainWindow_ = window;
  link_->attach(window);
  link_->hooks().videoFullScreen = [this] { return video_->window().fullScreen(); };
  link_->hooks().titleChanged = [this](const std::string& title) {
    video_->window().setWindowTitle(QString::fromStdString(title));
  };
  installPlayerCommands(*link_, *player_, settings_, window, video_->window());
  installInfoCommands(*link_, *player_, window);  // info button, F6, Q, Ctrl+F1, About
  // E, Alt+G and the Equalizer item show the equalizer window; Alt+Up/Down
  // step its pre-amplification.
  audioTools_ = std::make_unique<AudioToolsLink>(*link_, *player_, settings_,
                                                 folders_.DataFolder + "Presets.EQ");
  // Ctrl+C and Alt+C with their menu items: colour control window, frame capture.
  videoTools_ =
      std::make_unique<VideoToolsLink>(*link_, *player_, settings_, window, video_->window());
  // Full screen, window sizes, movie mode and display modes come before the
  // player's other keys and commands.
  std::unique_ptr<video::DisplayModeService> modes;
  if (QGuiApplication::platformName() == "xcb") modes = platform::openXRandRModes();
  screen_ = std::make_unique<ScreenCommandsLink>(*player_, settings_, *window, video_->window(),
                                                 std::move(modes));
  {
    auto playerKey = link_->hooks().keyPressed;
    auto playerMenu = link_->hooks().menuCommand;
    link_->hooks().keyPressed = [this, playerKey](int key, Qt::KeyboardModifiers modifiers) {
      if (!screen_->key(key, modifiers) && playerKey) playerKey(key, modifiers);
    };
    link_->hooks().menuCommand = [this, playerMenu](ui::MenuCommand command) {
      if (!screen_->menuCommand(command) && playerMenu) playerMenu(command);
    };
  }
  // Commands of the application itself come before the player's own.
  auto playerMenu = link_->hooks().menuCommand;
  link_->hooks().menuCommand = [this, playerMenu](ui::MenuCommand command) {
    using C = ui::MenuCommand;
    switch (command) {
      case C::DynamicAmplification:
        toggleDynamicAmplification();
        break;
      case C::AlwaysOnTop:
        toggleAlwaysOnTop();
        break;
      case C::SubtitleUp:
        video_->MoveSubtitleUp();
        break;
      case C::SubtitleDown:
        video_->MoveSubtitleDown();
        break;
      case C::IncreaseSize:
        video_->IncreaseSubtitleSize();
        break;
      case C::DecreaseSize:
        video_->DecreaseSubtitleSize();
        break;
      case C::DisableSubtitle:
        video_->ToggleSubtitles();
        break;
      case C::DecreaseTime:
        video_->ShiftSubtitleTimes(-500);
        break;
      case C::IncreaseTime:
        video_->ShiftSubtitleTimes(500);
        break;
      default:
        if (playerMenu) playerMenu(command);
    }
  };
  // The check marks follow the states they show (a new language rebuilds the
  // menu, and keys change the states too).
  link_->hooks().contextMenuOpening = [this] {
    if (QAction* item = mainWindow_->menuAction(ui::MenuCommand::DynamicAmplification))
      item->setChecked(settings_.DynamicAmplification);
    if (QAction* item = mainWindow_->menuAction(ui::MenuCommand::AlwaysOnTop))
      item->setChecked(ui::playerWindowsOnTop());
    if (QAction* item = mainWindow_->menuAction(ui::MenuCommand::DisableSubtitle))
      item->setChecked(!player_->subtitles().SubtitlesEnabled());
    screen_->refreshMonitorMenu();
  };
  // Bookmarks (Alt+I, Alt+1..9, Shift+C) and recent files; it keeps the
  // context menu hook above and adds the bookmark items to it.
  bookmarks_ = std::make_unique<BookmarksLink>(*link_, *player_, settings_, window);
  // The playlist window (its button, F10, Alt+E, Alt+P) and the profiles editor.
  playlist_ =
      std::make_unique<PlaylistLink>(*link_, *player_, settings_, folders_, video_->window(),
                                     [this] { return video_->window().fullScreen(); });
  profiles_ = std::make_unique<ProfilesLink>(*player_);
  // The keys of no other link (focus, clock, F6, Ctrl+M, ...), the jump
  // dialog, the subtitle font dialog and the key definitions window.
  keys_ = std::make_unique<KeysLink>(*link_, *player_, settings_, window, *video_, *screen_);
  // Ctrl+T and its item: the power-off countdown after the last movie.
  {
    PowerOffEnvironment env;
    env.videoWindow = &video_->window();
    env.videoFullScreen = [this] { return video_->window().fullScreen(); };
    env.closingSteps = [this] { closingSteps(); };
    env.endProgram = [] { QCoreApplication::quit(); };
    env.showMessage = [this](const std::string& text) { ui::ShowMessageWindow(text, mainWindow_); };
    powerOff_ = std::make_unique<PowerOffLink>(
        *link_, *player_, window, std::make_unique<platform::LogindPowerOff>(), std::move(env));
  }
  installConfiguration();
  // The video window answers the same keys and drops as the main window, and
  // closing it closes the player.
  ui::TfrmVideoWindow* videoWindow = &video_->window();
  ui::registerPlayerWindow(videoWindow);  // snaps to and docks with the main window
  connect(videoWindow, &ui::TfrmVideoWindow::keyPressed, this,
          [this](int key, Qt::KeyboardModifiers modifiers) {
            link_->keyPressedIn(playback::KeyWindow::Video, key, modifiers);
          });
  connect(videoWindow, &ui::TfrmVideoWindow::filesDropped, this, [this](const QStringList& paths) {
    std::vector<std::string> list;
    for (const QString& p : paths) list.push_back(p.toStdString());
    link_->filesDropped(list);
  });
  connect(videoWindow, &ui::TfrmVideoWindow::closeRequested, this, [this] {
    if (mainWindow_) mainWindow_->close();
  });
  window->restorePosition();
  video_->window().setGeometry(settings_.VideoWindowXPosition, settings_.VideoWindowYPosition,
                               settings_.VideoWindowWidth, settings_.VideoWindowHeight);

  playback::PlaybackHooks& h = player_->controller().hooks();
  h.showMessage = [this](const std::string& text) { ui::ShowMessageWindow(text, mainWindow_); };
  h.isMinimized = [this] { return mainWindow_ && mainWindow_->isMinimized(); };
  h.showMainWindow = [this] {
    if (mainWindow_) mainWindow_->show();
  };
  h.closePlayer = [this] {
    if (mainWindow_) mainWindow_->close();
  };
}

bool Application::eventFilter(QObject* watched, QEvent* event) {
  if (watched == mainWindow_ && event->type() == QEvent::WindowStateChange)
    mainWindowStateChanged();
  return QObject::eventFilter(watched, event);
}

void Application::mainWindowStateChanged() {
  playback::PlayerState& state = player_->state();
  if (state.Busy) return;
  playback::PlaybackController& c = player_->controller();
  if (mainWindow_->isMinimized()) {
    if (settings_.PauseOnMinimize && c.playing()) {
      c.Pause();
      pausedByMinimize_ = true;
    }
  } else if (pausedByMinimize_) {
    pausedByMinimize_ = false;
    if (c.movieOpen()) c.Play();
  }
}

void Application::registerBossKey() {
  hotKeys_ = std::make_unique<HotKeys>();
  // A shortcut that names no key becomes no shortcut (and is saved so). One
  // the display refuses (another program holds it) is not in effect but stays
  // the user's choice, so it is grabbed again at the next start or Apply.
  auto grab = [this](int id, std::string& text, void (Application::*action)()) {
    text = grabShortcut(text, [&](const Shortcut& shortcut) {
      return hotKeys_->add(id, shortcut, [this, action] { (this->*action)(); });
    });
  };
  grab(1, settings_.BossKeyHide, &Application::bossKeyHide);
  grab(2, settings_.BossKeyShow, &Application::bossKeyShow);
}

void Application::installConfiguration() {
  ConfigurationEnvironment env;
  env.shellContext = [this] { return shellContext(); };
  env.bossKeyDialog = [this](bool open) {
    hotKeys_.reset();
    if (!open && settings_.BossKey) registerBossKey();
  };
  env.globalHotKeys = QGuiApplication::platformName() == "xcb";
  env.displayModeLabels = [this] { return screen_->displayModeLabels(); };
  env.uncheckMovieMode = [this] { screen_->uncheckMovieMode(); };
  env.saveConfiguration = [this] {
    return settings::SaveConfiguration(settings_, folders_, screenGeometry(),
                                       texts::currentTexts().Options[6]);
  };
  env.showMessage = [this](const std::string& text, bool checkBox) {
    return ui::ShowMessageWindow(text, mainWindow_, checkBox);
  };
  env.repaintSubtitles = [this] { video_->RelayOutSubtitle(); };
  env.applyPlaylistFont = [this] { playlist_->window().applyFontSize(); };
  env.fullScreenMonitor = [this] {
    ui::TfrmVideoWindow& v = video_->window();
    return v.fullScreen() && v.screen() ? v.screen()->geometry() : QRect();
  };
  env.desktopFolder =
      QStandardPaths::writableLocation(QStandardPaths::DesktopLocation).toStdString();
  configuration_ = std::make_unique<ConfigurationLink>(*link_, *player_, settings_, folders_,
                                                       mainWindow_.data(), std::move(env));
  // The dialog's "Profiles editor" button.
  configuration_->openProfilesEditor = [this](QWidget* owner) {
    profiles_->openProfilesEditor(owner);
  };
}

void Application::bossKeyHide() {
  if (!hiddenByBossKey_.empty()) return;
  playback::PlaybackController& c = player_->controller();
  if (c.playing()) {
    c.Pause();
    pausedByBossKey_ = true;
  }
  if (mainWindow_ && mainWindow_->isMinimized()) {
    hiddenByBossKey_.push_back(mainWindow_.data());
  } else {
    for (QWidget* w : QApplication::topLevelWidgets())
      if (w->isVisible() && !w->isMinimized()) hiddenByBossKey_.push_back(w);
  }
  for (auto& w : hiddenByBossKey_) w->hide();
}

void Application::bossKeyShow() {
  if (hiddenByBossKey_.empty()) return;
  for (auto it = hiddenByBossKey_.rbegin(); it != hiddenByBossKey_.rend(); ++it)
    if (*it) (*it)->show();
  hiddenByBossKey_.clear();
  if (pausedByBossKey_) {
    pausedByBossKey_ = false;
    if (player_->controller().movieOpen()) player_->controller().Play();
  }
}

void Application::applySoundSettings() {
  // The equalizer window's sliders take EqualizerSettings and apply them:
  // pre-amplification first, then bands 0..9.
  audioTools_->applySettings();
  audio::ProcessingChain* chain = player_->audioChain();
  if (chain) chain->dynamicAmplify().setEnabled(settings_.DynamicAmplification);
  if (QAction* item = mainWindow_->menuAction(ui::MenuCommand::DynamicAmplification))
    item->setChecked(settings_.DynamicAmplification);
}

void Application::toggleDynamicAmplification() {
  settings_.DynamicAmplification = !settings_.DynamicAmplification;
  applySoundSettings();
  const texts::InterfaceTexts& t = texts::currentTexts();
  player_->controller().ShowOsd(t.Messages[settings_.DynamicAmplification ? 54 : 55]);
}

void Application::toggleAlwaysOnTop() {
  const bool on = !ui::playerWindowsOnTop();
  ui::setPlayerWindowsOnTop(on);
  if (QAction* item = mainWindow_->menuAction(ui::MenuCommand::AlwaysOnTop)) item->setChecked(on);
  const texts::InterfaceTexts& t = texts::currentTexts();
  player_->controller().ShowOsd(t.Messages[on ? 44 : 45]);
}

void Application::firstActivation() {
  firstActivationDone_ = true;
  // The equalizer window as it was at the last exit, under the main window.
  if (settings_.EqualizerShow) {
    audioTools_->equalizerWindow().showWindow();
    if (mainWindow_) mainWindow_->raise();
  }
  if (instanceServer_) instanceServer_->setRunning();
  if (commandLine_.kind == CommandKind::None) playlist_->showAtStart();
  playback::PlaybackController& c = player_->controller();
  switch (commandLine_.kind) {
    case CommandKind::AddFile:
      player_->playlist().addMovie(commandLine_.args[1]);
      break;
    case CommandKind::AddFolder:
      player_->playlist().addFolderWithMovies(commandLine_.args[1]);
      break;
    case CommandKind::Paths:
      player_->state().AutoClosePlayerOnce = settings_.AutoClosePlayerWhenFinished;
      c.OpenCommandLine(commandLine_.args);
      break;
    default:
      break;
  }
  if (!c.movieOpen()) settings::EnterNearestFolder(settings_.LastAccessedFolder);
}

int Application::run() {
  if (!startUp()) return 0;
  // From the first show the player's title is ProgramName, carried by the main
  // and video windows (the movie's name joins it while a movie is open). Every
  // window shows its own title as it is: an empty display name keeps the
  // toolkit from appending one. Another instance is found through the local
  // socket, not by window titles.
  const QString title = QString::fromStdString(folders_.ProgramName);
  QGuiApplication::setApplicationDisplayName(QString());
  mainWindow_->setWindowTitle(title);
  video_->window().setWindowTitle(title);
  mainWindow_->show();
  video_->start();
  // The first activation acts on the command line once the window is shown.
  QTimer::singleShot(0, this, &Application::firstActivation);
  // Then the engine's plugins load in the background, so the first movie the
  // user opens does not wait for them.
  QTimer::singleShot(0, this, [] { playback::warmUpEngineInBackground(); });
  if (askFirstRun_) QTimer::singleShot(0, this, &Application::firstRunQuestion);
  QObject::connect(qApp, &QCoreApplication::aboutToQuit, this, &Application::shutDown);
  return QApplication::exec();
}

shell::ShellContext Application::shellContext() const {
  shell::ShellContext c = shell::makeShellContext(folders_.ProgramName, executablePath_,
                                                  folders_.DataFolder, settings_.ExtensionList);
  c.iconPng = appIconPng();
  return c;
}

void Application::firstRunQuestion() {
  // An open pumps events while it waits for the engine; a modal question
  // shown from inside that wait would hold the open until it is answered.
  // It is asked once the open is done.
  const playback::PlayerState& state = player_->state();
  if (state.OpeningBusy || state.Busy) {
    QTimer::singleShot(kFirstRunRetryMs, this, &Application::firstRunQuestion);
    return;
  }
  const texts::InterfaceTexts& t = texts::currentTexts();
  const std::string question = t.Messages[57] + " " + folders_.ProgramName + " " + t.Messages[58];
  shell::FirstRunHooks hooks;
  hooks.ask = [this](const std::string& text) {
    // The system's question box (Yes and No), owned by the main window.
    return QMessageBox::question(mainWindow_, QString::fromStdString(folders_.ProgramName),
                                 QString::fromStdString(text),
                                 QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
  };
  hooks.showRegistryError = [this] {
    return ui::ShowMessageWindow(texts::currentTexts().Messages[66], mainWindow_, true);
  };
  shell::ShellRegistration registration(shellContext());
  shell::FirstRunAssociation(registration, settings_, question, hooks);
}

void Application::onFilesReceived(const QByteArray& payload, bool raise) {
  playback::PlayerState& state = player_->state();
  if (!firstActivationDone_ || state.Busy || state.OpeningBusy) return;
  state.AutoClosePlayerOnce = false;
  ReceivedFiles files = parseInstancePayload(payload.toStdString());
  if (files.kind == ReceivedFiles::Kind::AddFile && !files.paths.empty())
    player_->playlist().addMovie(files.paths[0]);
  else if (files.kind == ReceivedFiles::Kind::AddFolder && !files.paths.empty())
    player_->playlist().addFolderWithMovies(files.paths[0]);
  else if (!files.paths.empty())
    player_->controller().OpenFileList(files.paths, -1);
  if (raise && mainWindow_) {
    if (mainWindow_->isMinimized()) mainWindow_->showNormal();
    mainWindow_->raise();
    mainWindow_->activateWindow();
  }
}

void Application::onCommandReceived(int code) {
  if (!firstActivationDone_ || !link_) return;
  RemoteCommandTargets targets;
  targets.commands = link_.get();
  targets.mainWindow = mainWindow_.data();
  targets.equalizer = &audioTools_->equalizerWindow();
  targets.colorControl = &videoTools_->colorWindow();
  targets.playlistMovieList = [this] { return playlist_->visibleMovieList(); };
  targets.holdScreenSaver = [this] { player_->controller().ResetTimerTimer(); };
  runRemoteCommand(code, targets);
}

void Application::shutDown() {
  closingSteps();
  QCoreApplication::quit();
}

void Application::closingSteps() {
  if (shutDownDone_) return;
  shutDownDone_ = true;
  // The main window's close waits for Busy and OpeningBusy to clear
  // (CloseWhenIdle); a quit that cannot wait still must not record a
  // half-done state, so it ends the process at once.
  // The display mode of the start comes back on every way out.
  if (screen_) screen_->restoreDisplayMode();
  if (player_ && (player_->state().Busy || player_->state().OpeningBusy)) std::_Exit(0);
  if (mainWindow_) {
    settings_.MainXPosition = mainWindow_->x();
    settings_.MainYPosition = mainWindow_->y();
  }
  if (video_) {
    QRect bounds = video_->window().geometry();
    if (screen_ && screen_->fullScreen().active()) {
      const video::Bounds& b = screen_->fullScreen().restoreBounds();
      bounds = QRect(b.Left, b.Top, b.width(), b.height());
    }
    settings_.VideoWindowXPosition = bounds.x();
    settings_.VideoWindowYPosition = bounds.y();
    settings_.VideoWindowWidth = bounds.width();
    settings_.VideoWindowHeight = bounds.height();
    video_->stop();
  }
  if (audioTools_) audioTools_->storeSettings();
  if (playlist_) playlist_->storeSettings();
  if (player_) player_->shutDown();
  settings::SaveConfiguration(settings_, folders_, screenGeometry(),
                              texts::currentTexts().Options[6]);
  hotKeys_.reset();
  mpris_.reset();
}

int runTarvelino(int argc, char** argv) {
  // The player positions and snaps its windows, which needs X11.
  if (std::getenv("DISPLAY") && !std::getenv("QT_QPA_PLATFORM"))
    setenv("QT_QPA_PLATFORM", "xcb", 1);
  std::vector<std::string> args(argv + 1, argv + argc);
  catchQuitSignals();
  TarvelinoApplication qtApp(argc, argv);
  qtApp.setQuitOnLastWindowClosed(false);
  std::string exe = QCoreApplication::applicationFilePath().toStdString();
  if (exe.empty()) exe = argv[0];
  try {
    Application app(exe, args);
    return app.run();
  } catch (const std::exception& e) {
    terminateAfterError(gProgramName, e.what());
  }
}

}  // namespace app
