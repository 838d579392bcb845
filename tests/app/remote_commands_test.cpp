// Remote command codes: the strict line parser, the table of what each code
// stands for as seen through the main window's adapter (a key or menu command
// that is not built yet does nothing), keys posted to an open dialog, and the
// single-instance socket's guards (its folder and mode, the peer's user, and
// malformed lines).
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocalSocket>
#include <QTemporaryDir>
#include <QVBoxLayout>

#include <filesystem>
#include <functional>
#include <optional>

#include "app/instance_channel.h"
#include "app/remote_command_line.h"
#include "app/remote_commands.h"
#include "app/remote_commands_link.h"
#include "playback/player.h"
#include "tests/app/player_link_fixture.h"
#include "texts/interface_texts.h"
#include "ui/command_table.h"
#include "ui/main_window_playback.h"

namespace app {
namespace {

using C = ui::MenuCommand;

TEST(RemoteCommandLineTest, OnlyTheCodesInPlainDigitsAreRead) {
  const struct {
    std::string_view line;
    std::optional<int> code;
  } rows[] = {
      {"1", 1},
      {"4", 4},
      {"9", 9},
      {"10", 10},
      {"73", 73},
      {"0", std::nullopt},
      {"74", std::nullopt},
      {"99", std::nullopt},
      {"100", std::nullopt},
      {"073", std::nullopt},
      {"07", std::nullopt},
      {"", std::nullopt},
      {"+7", std::nullopt},
      {"-7", std::nullopt},
      {" 7", std::nullopt},
      {"7 ", std::nullopt},
      {"7\r", std::nullopt},
      {"7\n", std::nullopt},
      {"0x1", std::nullopt},
      {"a", std::nullopt},
      {"\xef\xbc\x97", std::nullopt},  // a full-width seven
      {std::string_view("7\0", 2), std::nullopt},
      {"4294967300", std::nullopt},  // would wrap a 32-bit number to 4
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(std::string(row.line));
    EXPECT_EQ(parseRemoteCommand(row.line), row.code);
  }
  for (int code = 1; code <= 73; ++code)
    EXPECT_EQ(parseRemoteCommand(remoteCommandLine(code)), code);
}

// A widget that keeps the keys it gets.
class KeyRecorder : public QWidget {
 public:
  std::vector<std::pair<int, int>> presses;
  int releases = 0;

 protected:
  bool event(QEvent* e) override {
    if (e->type() == QEvent::KeyPress) {
      auto* k = static_cast<QKeyEvent*>(e);
      presses.push_back({k->key(), int(k->modifiers())});
      return true;
    }
    if (e->type() == QEvent::KeyRelease) {
      ++releases;
      return true;
    }
    return QWidget::event(e);
  }
};

class RemoteCommandsTest : public PlayerLinkTest {
 protected:
  RemoteCommandsTest() {
    settings_.RememberMovieSettings = false;
    startPlayer();
    ui::MainWindowHooks& h = adapter_->hooks();
    h.keyPressed = [this](int key, Qt::KeyboardModifiers m) { got_.push_back(keyText(key, m)); };
    h.menuCommand = [this](C command) { got_.push_back(menuText(command)); };
    h.togglePlaylist = [this] { got_.push_back("toggle playlist"); };
    h.minimize = [this] {
      got_.push_back("minimize");
      return true;
    };
    targets_.commands = adapter_.get();
    targets_.equalizer = &equalizer_;
    targets_.colorControl = &color_;
    targets_.playlistMovieList = [this]() -> QWidget* { return &playlist_; };
    targets_.holdScreenSaver = [this] { ++screenSaverHeld_; };
  }
  static std::string keyText(int key, Qt::KeyboardModifiers m) {
    return "key " + std::to_string(key) + "/" + std::to_string(int(m));
  }
  static std::string menuText(C command) { return "menu " + std::to_string(int(command)); }
  // What a main window key does when it reaches the adapter, as the hooks see
  // it: a menu command's hook, a key passed on, or nothing (a command the
  // adapter runs itself, a command not built, a key without a row).
  std::string throughKeyTable(int key, Qt::KeyboardModifiers m) {
    got_.clear();
    adapter_->keyPressed(key, m);
    std::string all;
    for (const std::string& g : got_) all += (all.empty() ? "" : ", ") + g;
    got_.clear();
    return all;
  }
  static std::string throughMenu(C command) {
    return ui::commandBuilt(command) ? menuText(command) : "";
  }
  std::string run(int code) {
    got_.clear();
    equalizer_.presses.clear();
    color_.presses.clear();
    playlist_.presses.clear();
    runRemoteCommand(code, targets_);
    std::string all;
    for (const std::string& g : got_) all += (all.empty() ? "" : ", ") + g;
    auto window = [&all](const char* name, const KeyRecorder& w) {
      for (const auto& [key, m] : w.presses)
        all += (all.empty() ? "" : ", ") + std::string(name) + " " +
               keyText(key, Qt::KeyboardModifiers(m));
    };
    window("equalizer", equalizer_);
    window("color", color_);
    window("playlist", playlist_);
    return all;
  }

  KeyRecorder equalizer_, color_, playlist_;
  RemoteCommandTargets targets_;
  std::vector<std::string> got_;
  int screenSaverHeld_ = 0;
};

TEST_F(RemoteCommandsTest, EveryCodeDoesWhatItsKeyOrMenuCommandDoes) {
  constexpr auto none = Qt::NoModifier;
  constexpr auto ctrl = Qt::ControlModifier, shift = Qt::ShiftModifier, alt = Qt::AltModifier,
                 num = Qt::KeypadModifier;
  auto k = [this](int key, Qt::KeyboardModifiers m = Qt::NoModifier) {
    return throughKeyTable(key, m);
  };
  auto in = [](const char* window, int key, Qt::KeyboardModifiers m = Qt::NoModifier) {
    return std::string(window) + " " + keyText(key, m);
  };
  const std::string expected[] = {
      "",  // code 0
      k(Qt::Key_O, ctrl),
      k(Qt::Key_L, ctrl),
      k(Qt::Key_X),
      k(Qt::Key_C),
      k(Qt::Key_Space),
      k(Qt::Key_V),
      k(Qt::Key_Z),
      k(Qt::Key_B),
      k(Qt::Key_Comma),
      k(Qt::Key_Period),  // 10
      k(Qt::Key_Comma, ctrl),
      k(Qt::Key_Period, ctrl),
      k(Qt::Key_R),
      k(Qt::Key_Up),
      k(Qt::Key_Down),
      in("equalizer", Qt::Key_Up),
      in("equalizer", Qt::Key_Down),
      k(Qt::Key_F),
      k(Qt::Key_Up, ctrl),
      k(Qt::Key_Down, ctrl),  // 20
      k(Qt::Key_Up, shift),
      k(Qt::Key_Down, shift),
      k(Qt::Key_Plus, num),
      k(Qt::Key_Minus, num),
      k(Qt::Key_0, num),
      k(Qt::Key_Asterisk, num),
      k(Qt::Key_8, num),
      k(Qt::Key_2, num),
      k(Qt::Key_6, num),
      k(Qt::Key_4, num),  // 30
      k(Qt::Key_5, num),
      "minimize",
      k(Qt::Key_M, alt),
      throughMenu(C::AspectOriginal),
      throughMenu(C::Aspect16x9),
      throughMenu(C::Aspect4x3),
      throughMenu(C::Aspect1x1),
      throughMenu(C::AspectFree),
      k(Qt::Key_M),
      in("color", Qt::Key_Right),  // 40
      in("color", Qt::Key_Left),
      k(Qt::Key_I, alt),
      k(Qt::Key_C, alt),
      k(Qt::Key_1, alt),
      k(Qt::Key_2, alt),
      k(Qt::Key_3, alt),
      k(Qt::Key_4, alt),
      k(Qt::Key_5, alt),
      k(Qt::Key_6, alt),
      k(Qt::Key_7, alt),  // 50
      k(Qt::Key_8, alt),
      k(Qt::Key_9, alt),
      k(Qt::Key_Home),
      k(Qt::Key_End),
      "toggle playlist",
      k(Qt::Key_H),
      k(Qt::Key_Period, alt),
      k(Qt::Key_Comma, alt),
      throughMenu(C::DisableSubtitle),
      k(Qt::Key_T, ctrl),  // 60
      k(Qt::Key_T),
      k(Qt::Key_Q),
      throughMenu(C::WindowSize50),
      throughMenu(C::WindowSize200),
      in("playlist", Qt::Key_Up),
      in("playlist", Qt::Key_Down),
      in("playlist", Qt::Key_Return),
      in("playlist", Qt::Key_Up, alt),
      in("playlist", Qt::Key_Down, alt),
      in("playlist", Qt::Key_Delete, alt),  // 70
      throughMenu(C::DynamicAmplification),
      k(Qt::Key_Return, none),
      k(Qt::Key_Slash),
      "",  // 74
  };
  static_assert(std::size(expected) == 75);
  for (int code = 0; code < 75; ++code) {
    SCOPED_TRACE(code);
    EXPECT_EQ(run(code), expected[code]);
  }
  // Commands that are not built answer nothing, whichever way they are reached.
  for (const int code : {-1, 1000, INT_MIN}) EXPECT_EQ(run(code), "");
  EXPECT_EQ(screenSaverHeld_, 73) << "each valid code holds the screen saver off once";
  // The playlist's keys go nowhere while its window is closed.
  targets_.playlistMovieList = [] { return nullptr; };
  for (const int code : {65, 66, 67, 68, 69, 70}) EXPECT_EQ(run(code), "");
}

TEST_F(RemoteCommandsTest, UnbuiltCommandsDoNothing) {
  // Rows whose commands the command table names as not built today.
  for (const auto& [code, command] : {std::pair{18, C::Fullscreen},
                                      {39, C::MovieMode},
                                      {42, C::AddBookmark},
                                      {60, C::TurnOffAfterPlay},
                                      {63, C::WindowSize50},
                                      {64, C::WindowSize200}}) {
    SCOPED_TRACE(code);
    if (ui::commandBuilt(command)) continue;  // built since: the table test above covers it
    EXPECT_EQ(run(code), "");
  }
}

// Runs the event loop until pred holds or ms pass.
bool waitFor(const std::function<bool()>& pred, int ms = 3000) {
  QElapsedTimer t;
  t.start();
  while (!pred() && t.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  return pred();
}

TEST_F(RemoteCommandsTest, AnOpenDialogGetsTheDialogKeysAndNothingElseRuns) {
  const struct {
    bool fileDialog;
    int code;
    int key;  // 0: nothing at all
    Qt::KeyboardModifiers modifiers;
  } rows[] = {
      {false, 3, Qt::Key_Return, Qt::NoModifier},
      {false, 4, Qt::Key_Escape, Qt::NoModifier},
      {false, 6, Qt::Key_Escape, Qt::NoModifier},
      {false, 7, Qt::Key_Up, Qt::NoModifier},
      {false, 8, Qt::Key_Down, Qt::NoModifier},
      {false, 9, Qt::Key_Left, Qt::NoModifier},
      {false, 10, Qt::Key_Right, Qt::NoModifier},
      {false, 5, 0, {}},
      {false, 16, 0, {}},
      {false, 73, 0, {}},
      {true, 3, Qt::Key_Return, Qt::NoModifier},
      {true, 4, Qt::Key_Backspace, Qt::NoModifier},
      {true, 6, Qt::Key_Escape, Qt::NoModifier},
      {true, 7, Qt::Key_Up, Qt::NoModifier},
      {true, 8, Qt::Key_Down, Qt::NoModifier},
      {true, 9, Qt::Key_Backtab, Qt::ShiftModifier},
      {true, 10, Qt::Key_Tab, Qt::NoModifier},
      {true, 1, 0, {}},
      {true, 40, 0, {}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(std::to_string(row.code) + (row.fileDialog ? " file dialog" : " dialog"));
    std::unique_ptr<QDialog> dialog;
    if (row.fileDialog) {
      auto* files = new QFileDialog;
      files->setOption(QFileDialog::DontUseNativeDialog);
      dialog.reset(files);
    } else {
      dialog = std::make_unique<QDialog>();
      dialog->setLayout(new QVBoxLayout);
      dialog->layout()->addWidget(new QLineEdit);
    }
    auto* focus = new KeyRecorder;
    focus->setFocusPolicy(Qt::StrongFocus);
    dialog->layout()->addWidget(focus);
    dialog->setModal(true);
    dialog->show();
    focus->setFocus();
    ASSERT_TRUE(waitFor([&] { return QApplication::activeModalWidget() == dialog.get(); }));
    ASSERT_TRUE(waitFor([&] { return dialog->focusWidget() == focus; }));
    EXPECT_EQ(run(row.code), "") << "nothing of the player runs while a dialog is open";
    if (row.key) {
      ASSERT_TRUE(waitFor([&] { return focus->releases == 1; }));
      ASSERT_EQ(focus->presses.size(), 1u);
      EXPECT_EQ(focus->presses[0].first, row.key);
      EXPECT_EQ(focus->presses[0].second, int(row.modifiers));
    } else {
      waitFor([] { return false; }, 100);
      EXPECT_TRUE(focus->presses.empty());
    }
  }
}

TEST(InstanceChannelTest, TheSocketLiesInTheUsersRuntimeFolderWithMode0600) {
  QTemporaryDir dir;
  const std::string own = dir.path().toStdString() + "/own";
  const std::string open = dir.path().toStdString() + "/open";
  std::filesystem::create_directory(own);
  std::filesystem::create_directory(open);
  ::chmod(own.c_str(), 0700);
  ::chmod(open.c_str(), 0755);
  const QString bare = "Tarvelino-" + QString::number(getuid());
  const struct {
    const char* runtime;  // nullptr: unset
    QString name;
  } rows[] = {
      {own.c_str(), QString::fromStdString(own) + "/" + bare},
      {open.c_str(), bare},  // others may enter it: the temporary folder instead
      {"relative/dir", bare},
      {"/nonexistent/folder", bare},
      {nullptr, bare},
  };
  const QByteArray saved = qgetenv("XDG_RUNTIME_DIR");
  for (const auto& row : rows) {
    SCOPED_TRACE(row.runtime ? row.runtime : "unset");
    if (row.runtime)
      qputenv("XDG_RUNTIME_DIR", row.runtime);
    else
      qunsetenv("XDG_RUNTIME_DIR");
    EXPECT_EQ(instanceSocketName("Tarvelino"), row.name);
  }
  qputenv("XDG_RUNTIME_DIR", own.c_str());
  InstanceServer server;
  ASSERT_TRUE(server.listen(instanceSocketName("Tarvelino")));
  struct stat st {};
  ASSERT_EQ(::stat((own + "/" + bare.toStdString()).c_str(), &st), 0);
  EXPECT_TRUE(S_ISSOCK(st.st_mode));
  EXPECT_EQ(st.st_mode & 0777, 0600u);
  // A second listener of the same user finds the first one.
  InstanceServer second;
  EXPECT_FALSE(second.listen(instanceSocketName("Tarvelino")));
  if (saved.isNull())
    qunsetenv("XDG_RUNTIME_DIR");
  else
    qputenv("XDG_RUNTIME_DIR", saved);
}

TEST(InstanceChannelTest, PeerOfAnotherUserIsRefused) {
  int fds[2];
  ASSERT_EQ(::socketpair(AF_UNIX, SOCK_STREAM, 0, fds), 0);
  EXPECT_TRUE(peerIsUser(fds[0], getuid()));
  EXPECT_TRUE(peerIsUser(fds[1], getuid()));
  EXPECT_FALSE(peerIsUser(fds[0], getuid() + 1));
  EXPECT_FALSE(peerIsUser(-1, getuid()));
  ::close(fds[0]);
  ::close(fds[1]);
  EXPECT_FALSE(peerIsUser(fds[0], getuid())) << "a closed descriptor";
}

TEST(InstanceChannelTest, OnlyAShortLineOfDigitsIsACommand) {
  QTemporaryDir dir;
  InstanceServer server;
  const QString name = dir.path() + "/Tarvelino-test";
  ASSERT_TRUE(server.listen(name));
  server.setRunning();
  std::vector<int> codes;
  QObject::connect(&server, &InstanceServer::commandReceived,
                   [&codes](int code) { codes.push_back(code); });
  const struct {
    QByteArray bytes;
    std::vector<int> codes;
    bool dropped;  // the connection is closed by the player
  } rows[] = {
      {"C4\n", {4}, false},
      {"C73\n", {73}, false},
      {"C0\n", {}, true},
      {"C74\n", {}, true},
      {"C04\n", {}, true},
      {"C+4\n", {}, true},
      {"C 4\n", {}, true},
      {"C4\r\n", {}, true},
      {"C\n", {}, true},
      {"Cx\n", {}, true},
      {"C999", {}, true},  // too long for a code before any line end
      {QByteArray("C\x04\0\0\0", 5), {}, true},
      {"C4", {}, false},  // no line end yet: nothing
      {"X4\n", {}, true},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.bytes.toStdString());
    codes.clear();
    QLocalSocket client;
    client.connectToServer(name);
    ASSERT_TRUE(waitFor([&] { return client.bytesAvailable() >= 1; }));
    char state = 0;
    client.getChar(&state);
    ASSERT_EQ(state, 'R');
    client.write(row.bytes);
    client.flush();
    if (row.dropped)
      EXPECT_TRUE(waitFor([&] { return client.state() == QLocalSocket::UnconnectedState; }));
    else
      waitFor([&] { return codes.size() == row.codes.size() && !codes.empty(); }, 500);
    EXPECT_EQ(codes, row.codes);
  }
}

}  // namespace
}  // namespace app
