// Whole-process tests of the hand-over between instances and the orderly
// shut-down. Each test gets its own configuration and socket folders.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QLocalServer>
#include <QLocalSocket>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <QtEndian>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>

#include "app/instance_channel.h"
#include "tests/app/h264_clip.h"
#include "tests/app/x_windows.h"

namespace app {
namespace {

class InstanceProcessTest : public testing::Test {
 protected:
  InstanceProcessTest() {
    env_ = QProcessEnvironment::systemEnvironment();
    env_.insert("XDG_CONFIG_HOME", dir_.path() + "/config");
    env_.insert("XDG_DATA_HOME", dir_.path() + "/data");  // the shell registration's files
    env_.insert("TMPDIR", dir_.path());
    env_.insert("XDG_RUNTIME_DIR", dir_.path());
    env_.insert("QT_QPA_PLATFORM", "offscreen");
    qputenv("TMPDIR", dir_.path().toUtf8());  // the test's own sockets go there too
    qputenv("XDG_RUNTIME_DIR", dir_.path().toUtf8());
  }
  ~InstanceProcessTest() override {
    qunsetenv("TMPDIR");
    qunsetenv("XDG_RUNTIME_DIR");
  }

  QProcess* start(const QStringList& args) {
    auto* p = new QProcess;
    p->setProcessEnvironment(env_);
    p->start(TARVELINO_EXE, args);
    p->waitForStarted();
    processes_.emplace_back(p);
    return p;
  }
  // Waits until a first instance answers as running (its answer is read
  // without sending it anything: every command code does something).
  bool waitRunning() {
    for (int i = 0; i < 200; ++i) {
      QLocalSocket socket;
      socket.connectToServer(instanceSocketName("Tarvelino"));
      char state = 0;
      if (socket.waitForConnected(1000) && socket.waitForReadyRead(1000) &&
          socket.getChar(&state) && state == 'R')
        return true;
      QThread::msleep(50);
    }
    return false;
  }
  std::string configText() {
    std::ifstream in((dir_.path() + "/config/Tarvelino/Tarvelino.ini").toStdString(),
                     std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), {});
  }

  QTemporaryDir dir_;
  QProcessEnvironment env_;
  std::vector<std::unique_ptr<QProcess>> processes_;
};

// A fake first instance that answers with the given state and records what it gets.
// A second start connects twice (a probe, then its message); everything it
// sends on any connection is collected until it ends.
QByteArray receiveFromSecondStart(QLocalServer& server, char state, QProcess* second) {
  QByteArray got;
  while (second->state() != QProcess::NotRunning) {
    if (!server.waitForNewConnection(100)) {
      second->waitForFinished(10);
      continue;
    }
    QLocalSocket* socket = server.nextPendingConnection();
    socket->write(&state, 1);
    socket->waitForBytesWritten(3000);
    while (socket->waitForReadyRead(1000)) got += socket->readAll();
    delete socket;
  }
  return got;
}

TEST_F(InstanceProcessTest, SecondStartHandsOverItsArguments) {
  struct Row {
    QStringList args;
    QByteArray message;
  } rows[] = {
      {{"/AddFile", "/m/a.avi"},
       QByteArray("F\0", 2) + QByteArray("\x12\0\0\0", 4) + QByteArray("/AddFile\x01/m/a.avi\x01")},
      {{"/m/a.avi", "/m/b c.mkv"},
       QByteArray("F\x01", 2) + QByteArray("\x14\0\0\0", 4) +
           QByteArray("/m/a.avi\x01/m/b c.mkv\x01")},
      {{"--command", "7"}, QByteArray("C7\n")},
      {{"--command", "73"}, QByteArray("C73\n")},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.args.join(' ').toStdString());
    QLocalServer server;
    ASSERT_TRUE(server.listen(instanceSocketName("Tarvelino")));
    QProcess* second = start(row.args);
    EXPECT_EQ(receiveFromSecondStart(server, 'R', second), row.message);
    EXPECT_EQ(second->exitCode(), 0);
    server.close();
  }
}

TEST_F(InstanceProcessTest, SecondStartDuringLoadingEndsSilently) {
  QLocalServer server;
  ASSERT_TRUE(server.listen(instanceSocketName("Tarvelino")));
  QProcess* second = start({"/m/a.avi"});
  EXPECT_EQ(receiveFromSecondStart(server, 'L', second), QByteArray());
  EXPECT_EQ(second->exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(second->exitCode(), 0);
}

TEST_F(InstanceProcessTest, StaleSocketIsTakenOver) {
  // A socket file without a listener, as a crashed instance leaves it.
  {
    QLocalServer dead;
    dead.setSocketOptions(QLocalServer::UserAccessOption);
    ASSERT_TRUE(dead.listen(instanceSocketName("Tarvelino")));
    std::filesystem::path file = dead.fullServerName().toStdString();
    std::filesystem::path keep = file.string() + ".keep";
    std::filesystem::create_hard_link(file, keep);
    dead.close();
    std::filesystem::rename(keep, file);
  }
  QProcess* first = start({});
  ASSERT_TRUE(waitRunning());
  first->terminate();
  ASSERT_TRUE(first->waitForFinished(10000));
}

TEST_F(InstanceProcessTest, TerminateWritesTheConfiguration) {
  QProcess* first = start({});
  ASSERT_TRUE(waitRunning());
  QProcess* second = start({"/AddFile", "/nowhere/a.avi"});
  ASSERT_TRUE(second->waitForFinished(10000));
  EXPECT_EQ(second->exitCode(), 0);
  first->terminate();  // SIGTERM closes the player like the end of the session
  ASSERT_TRUE(first->waitForFinished(10000));
  EXPECT_EQ(first->exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(first->exitCode(), 0);
  std::string ini = configText();
  EXPECT_EQ(ini.substr(0, 17), "[Configuration]\r\n");
  EXPECT_NE(ini.find("\r\nFirstRun=0\r\n"), std::string::npos);
  EXPECT_NE(ini.find("\r\nDontShowWritingError=0\r\n"), std::string::npos);
}

// Named pipes in place of the configuration, the automatic playlist and the
// remembered settings are not waited on: the player starts, and a quit signal
// then closes it the orderly way, writing its files and keeping the pipes aside.
TEST_F(InstanceProcessTest, PipesInPlaceOfItsFilesNeverStallTheStart) {
  const std::string data = (dir_.path() + "/config/Tarvelino/").toStdString();
  for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
    SCOPED_TRACE(signal);
    std::filesystem::remove_all(data);
    std::filesystem::create_directories(data);
    for (const char* name : {"Tarvelino.ini", "Tarvelino.mpl", "Tarvelino.rs"})
      ASSERT_EQ(::mkfifo((data + name).c_str(), 0600), 0);
    QProcess* player = start({});
    ASSERT_TRUE(waitRunning()) << "the start waits on a pipe";
    ::kill(static_cast<pid_t>(player->processId()), signal);
    ASSERT_TRUE(player->waitForFinished(10000));
    EXPECT_EQ(player->exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(player->exitCode(), 0);
    EXPECT_TRUE(std::filesystem::is_regular_file(data + "Tarvelino.ini"));
    EXPECT_NE(configText().find("\r\nFirstRun=0\r\n"), std::string::npos);
    EXPECT_TRUE(std::filesystem::is_fifo(data + "Tarvelino.mpl.bak"));
    EXPECT_TRUE(std::filesystem::is_fifo(data + "Tarvelino.rs.bak"));
  }
}

TEST_F(InstanceProcessTest, RunningInstanceTakesFilesFromASecondStart) {
  std::string movie = (dir_.path() + "/clip one.avi").toStdString();
  std::ofstream(movie) << "not really a movie";
  QProcess* first = start({});
  ASSERT_TRUE(waitRunning());
  QProcess* second = start({"/AddFile", QString::fromStdString(movie)});
  ASSERT_TRUE(second->waitForFinished(10000));
  EXPECT_EQ(second->exitCode(), 0);
  // The hand-over is asynchronous: give the first instance a moment to act.
  QThread::msleep(500);
  first->terminate();
  ASSERT_TRUE(first->waitForFinished(10000));
  std::ifstream in((dir_.path() + "/config/Tarvelino/Tarvelino.mpl").toStdString(),
                   std::ios::binary);
  std::string playlist((std::istreambuf_iterator<char>(in)), {});
  EXPECT_NE(playlist.find(movie + "\r\n"), std::string::npos) << playlist;
}

// A 2-second H.264/AAC clip made with the media framework's own tools.
QString makeClip(const QString& folder) {
  return makeH264Clip(folder, "smpte", 320, 240, 40, 80);
}

TEST_F(InstanceProcessTest, PlaysAMovieToItsEndAndClosesByItself) {
  const QString clip = makeClip(dir_.path());
  ASSERT_FALSE(clip.isEmpty());
  QProcess* player = start({clip});
  ASSERT_TRUE(player->waitForFinished(60000)) << "the player did not close at the movie's end";
  EXPECT_EQ(player->exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(player->exitCode(), 0);
  EXPECT_NE(configText().find("\r\nLastMovieSelectedInPlaylist=1\r\n"), std::string::npos);
}

QString run(const QString& program, const QStringList& args) {
  QProcess p;
  p.start(program, args);
  p.waitForFinished(30000);
  return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
}

// On a real X display: the movie opens without playing; a mouse click on the
// main window's play button plays it to its end, and the player then closes.
TEST_F(InstanceProcessTest, ClickOnPlayPlaysTheMovie) {
  if (qgetenv("DISPLAY").isEmpty() || run("sh", {"-c", "command -v xdotool"}).isEmpty())
    GTEST_SKIP() << "needs an X display and xdotool";
  const QString clip = makeClip(dir_.path());
  ASSERT_FALSE(clip.isEmpty());
  std::filesystem::create_directories((dir_.path() + "/config/Tarvelino").toStdString());
  std::ofstream((dir_.path() + "/config/Tarvelino/Tarvelino.ini").toStdString(), std::ios::binary)
      << "[Configuration]\r\nFirstRun=0\r\nAutoPlayOnLoad=0\r\nMainXPosition=10000\r\n"
         "MainYPosition=50000\r\n";
  env_.insert("QT_QPA_PLATFORM", "xcb");
  QProcess* player = start({clip});
  QString window;
  for (int i = 0; i < 100 && window.isEmpty(); ++i) {
    window = playerWindow("TarvelinoMainWindow");
    if (window.isEmpty()) QThread::msleep(100);
  }
  ASSERT_FALSE(window.isEmpty()) << "no main window on the display";
  EXPECT_FALSE(player->waitForFinished(3000)) << "the movie played without being asked";
  const QString geometry = run("xdotool", {"getwindowgeometry", "--shell", window});
  int x = 0, y = 0;
  for (const QString& line : geometry.split('\n')) {
    if (line.startsWith("X=")) x = line.mid(2).toInt();
    if (line.startsWith("Y=")) y = line.mid(2).toInt();
  }
  // The play button's face spans (47, 66)-(67, 86) of the window.
  // A click that lands while a slow machine is still opening the movie is
  // ignored by design, so the click is repeated a few times; a click while
  // playing changes nothing.
  bool finished = false;
  for (int attempt = 0; attempt < 3 && !finished; ++attempt) {
    run("xdotool", {"mousemove", QString::number(x + 57), QString::number(y + 76), "click", "1"});
    finished = player->waitForFinished(15000);
  }
  ASSERT_TRUE(finished) << "the click did not play the movie";
  EXPECT_EQ(player->exitCode(), 0);
}

// On a real X display: the boss key hides every window of the player and the
// second key brings them back.
TEST_F(InstanceProcessTest, BossKeyHidesAndShowsThePlayer) {
  if (qgetenv("DISPLAY").isEmpty() || run("sh", {"-c", "command -v xdotool"}).isEmpty())
    GTEST_SKIP() << "needs an X display and xdotool";
  std::filesystem::create_directories((dir_.path() + "/config/Tarvelino").toStdString());
  std::ofstream((dir_.path() + "/config/Tarvelino/Tarvelino.ini").toStdString(), std::ios::binary)
      << "[Configuration]\r\nFirstRun=0\r\nBossKey=1\r\nBossKeyHide=Num "
         "Del\r\nBossKeyShow=ctrl+alt+s\r\n";
  env_.insert("QT_QPA_PLATFORM", "xcb");
  QProcess* player = start({});
  auto visible = [] { return !playerWindow("TarvelinoMainWindow", true).isEmpty(); };
  auto waitFor = [](const std::function<bool()>& condition) {
    for (int i = 0; i < 300; ++i) {  // up to 15 s on a loaded machine
      if (condition()) return true;
      QThread::msleep(50);
    }
    return false;
  };
  ASSERT_TRUE(waitFor(visible));
  ASSERT_TRUE(waitRunning());
  run("xdotool", {"key", "KP_Delete"});
  EXPECT_TRUE(waitFor([&] { return !visible(); })) << "the boss key did not hide the player";
  run("xdotool", {"key", "ctrl+alt+s"});
  EXPECT_TRUE(waitFor(visible)) << "the second key did not show the player again";
  player->terminate();
  ASSERT_TRUE(player->waitForFinished(20000));
  EXPECT_NE(configText().find("\r\nBossKeyShow=Ctrl+Alt+S\r\n"), std::string::npos);
}

}  // namespace
}  // namespace app

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
