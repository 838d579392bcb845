#include "app/application.h"

#include <sys/resource.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>
#include <QSessionManager>
#include <QSocketNotifier>
#include <QTimer>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <iostream>

#include "app/instance_channel.h"
#include "app/settings/configuration_file.h"
#include "app/settings/save_configuration.h"
#include "app/texts/interface_texts.h"
#include "app/texts/language_file.h"

namespace app {

namespace {

constexpr const char* kLoadingTitle = "Tarvelino - Loading...";

int quitSignalFds[2] = {-1, -1};

void onQuitSignal(int) {
  char b = 1;
  [[maybe_unused]] ssize_t n = ::write(quitSignalFds[1], &b, 1);
}

// The main window until the skinned one takes its place: a borderless window
// whose closing runs the orderly shut-down.
class BareMainWindow : public QWidget {
 public:
  explicit BareMainWindow(Application& app) : app_(app) {
    setWindowFlag(Qt::FramelessWindowHint);
    setWindowTitle("TarvelinoMainWindow loading...");
    resize(460, 150);
    setStyleSheet("background: #1c1f24;");
  }

 protected:
  void closeEvent(QCloseEvent* event) override {
    app_.shutDown();
    event->accept();
  }

 private:
  Application& app_;
};

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

Application::~Application() = default;

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
    connect(instanceServer_.get(), &InstanceServer::filesReceived, this,
            &Application::onFilesReceived);
    connect(instanceServer_.get(), &InstanceServer::commandReceived, this,
            &Application::onCommandReceived);
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
  if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, quitSignalFds) != 0) return;
  auto* notifier = new QSocketNotifier(quitSignalFds[0], QSocketNotifier::Read, this);
  connect(notifier, &QSocketNotifier::activated, this, [this] {
    char b;
    [[maybe_unused]] ssize_t n = ::read(quitSignalFds[0], &b, 1);
    if (mainWindow_)
      mainWindow_->close();
    else
      QCoreApplication::quit();
  });
  struct sigaction sa {};
  sa.sa_handler = onQuitSignal;
  sigemptyset(&sa.sa_mask);
  sa.sa_flags = SA_RESTART;
  sigaction(SIGTERM, &sa, nullptr);
  sigaction(SIGINT, &sa, nullptr);
  sigaction(SIGHUP, &sa, nullptr);
  // The session manager's quit closes the player like the end-of-session notice.
  connect(qApp, &QGuiApplication::commitDataRequest, this, [this](QSessionManager&) {
    if (mainWindow_) mainWindow_->close();
  });
}

bool Application::startUp() {
  folders_ = settings::determineFolders(executablePath_);
  gProgramName = folders_.ProgramName;
  if (commandLine_.kind == CommandKind::Install) return false;
  settings::migrateOldFiles(folders_);
  texts::LoadBuiltInTexts(false);
  QGuiApplication::setApplicationDisplayName(kLoadingTitle);

  auto* window = new BareMainWindow(*this);
  window->setAttribute(Qt::WA_DeleteOnClose);
  mainWindow_ = window;

  readConfiguration();
  if (commandLine_.kind == CommandKind::Uninstall) return false;
  if (handOverIfSecondStart()) return false;
  applyPriority();
  mainWindow_->move(settings_.MainXPosition, settings_.MainYPosition);
  if (!settings_.RememberPanScanSettings) settings_.PanScanSize = 0;
  if (settings_.Shuffle) std::srand(static_cast<unsigned>(time(nullptr)));
  settings_.LastMovieSelectedInPlaylist = std::max(0, settings_.LastMovieSelectedInPlaylist);

  auto language = texts::loadStartupLanguage(folders_.ProgramFolder, settings_.LastUsedLanguage,
                                             settings_.FullscreenModeSwitch);
  if (!language.message.empty()) std::cerr << language.message << std::endl;
  settings_.FirstRun = false;
  installQuitSignals();
  return true;
}

int Application::run() {
  if (!startUp()) {
    delete mainWindow_;
    return 0;
  }
  QGuiApplication::setApplicationDisplayName(QString::fromStdString(folders_.ProgramName));
  mainWindow_->setWindowTitle(QString::fromStdString(folders_.ProgramName) + "MainWindow");
  mainWindow_->show();
  // The first activation acts on the command line once the window is shown.
  QTimer::singleShot(0, this, [this] {
    firstActivationDone_ = true;
    if (instanceServer_) instanceServer_->setRunning();
    settings::EnterNearestFolder(settings_.LastAccessedFolder);
  });
  QObject::connect(qApp, &QCoreApplication::aboutToQuit, this, &Application::shutDown);
  return QApplication::exec();
}

void Application::onFilesReceived(const QByteArray& payload, bool raise) {
  if (!firstActivationDone_) return;
  ReceivedFiles files = parseInstancePayload(payload.toStdString());
  (void)files;
  if (raise && mainWindow_) {
    if (mainWindow_->isMinimized()) mainWindow_->showNormal();
    mainWindow_->raise();
    mainWindow_->activateWindow();
  }
}

void Application::onCommandReceived(int code) {
  // Remote command codes are accepted here; acting on them belongs to the
  // command dispatch.
  (void)code;
}

void Application::shutDown() {
  if (shutDownDone_) return;
  shutDownDone_ = true;
  settings::SaveConfiguration(settings_, folders_, screenGeometry(),
                              texts::currentTexts().Options[6]);
  QCoreApplication::quit();
}

int runTarvelino(int argc, char** argv) {
  // The player positions and snaps its windows, which needs X11.
  if (std::getenv("DISPLAY") && !std::getenv("QT_QPA_PLATFORM"))
    setenv("QT_QPA_PLATFORM", "xcb", 1);
  std::vector<std::string> args(argv + 1, argv + argc);
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
