// XRandR display modes on a private Xvfb server, so that switching modes never
// disturbs other tests that share the test run's display.
#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/display_modes_x11.h"

namespace platform {
namespace {

// Xvfb starts with its screen size as the only mode; the tests give its
// output an 800 x 600 mode at 60 Hz. The server drops a mode when the client
// that made it disconnects, so that connection stays open for the whole run.
void addSmallMode() {
  static Display* d = XOpenDisplay(nullptr);
  if (!d) return;
  const Window root = DefaultRootWindow(d);
  XRRScreenResources* res = XRRGetScreenResourcesCurrent(d, root);
  if (res && res->noutput > 0) {
    bool present = false;
    for (int i = 0; i < res->nmode; ++i)
      present = present || (res->modes[i].width == 800 && res->modes[i].height == 600);
    if (!present) {
      XRRModeInfo mode;
      std::memset(&mode, 0, sizeof mode);
      char name[] = "800x600";
      mode.width = 800;
      mode.height = 600;
      mode.dotClock = 40000000;  // 40 MHz over 1056 x 628 = 60.3 Hz
      mode.hTotal = 1056;
      mode.vTotal = 628;
      mode.name = name;
      mode.nameLength = std::strlen(name);
      XRRAddOutputMode(d, res->outputs[0], XRRCreateMode(d, root, &mode));
      XSync(d, False);
    }
  }
  if (res) XRRFreeScreenResources(res);
}

// Starts "Xvfb -displayfd" once for the process and points DISPLAY at it;
// false when Xvfb cannot be started.
bool privateServer() {
  static int state = 0;  // 0 not tried, 1 running, -1 failed
  if (state) return state > 0;
  state = -1;
  int fds[2];
  if (pipe(fds) != 0) return false;
  const pid_t pid = fork();
  if (pid < 0) return false;
  if (pid == 0) {
    close(fds[0]);
    const std::string fd = std::to_string(fds[1]);
    execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1280x1024x24", "-nolisten",
           "tcp", static_cast<char*>(nullptr));
    _exit(127);
  }
  close(fds[1]);
  std::string number;
  char ch;
  while (read(fds[0], &ch, 1) == 1 && ch != '\n') number += ch;
  close(fds[0]);
  if (number.empty()) return false;
  setenv("DISPLAY", (":" + number).c_str(), 1);
  static const pid_t server = pid;
  std::atexit([] { kill(server, SIGTERM); });
  state = 1;
  return true;
}

std::unique_ptr<video::DisplayModeService> openOrSkip() {
  if (!privateServer()) return nullptr;
  addSmallMode();
  return openXRandRModes();
}

TEST(XRandRModesTest, ListsTheCurrentModeAmongOthers) {
  auto service = openOrSkip();
  if (!service) GTEST_SKIP() << "no X display with XRandR";
  const std::vector<video::DisplayMode> modes = service->modes();
  const auto now = service->current();
  ASSERT_TRUE(now);
  EXPECT_GT(now->Width, 0);
  EXPECT_NE(std::find(modes.begin(), modes.end(), *now), modes.end());
  // The player's list never offers a mode the display lacks.
  const video::DisplayModeList list = video::buildDisplayModeList(modes, true);
  for (const std::string& label : list.Labels) {
    const auto m = video::parseModeName(label);
    ASSERT_TRUE(m) << label;
    EXPECT_NE(std::find(modes.begin(), modes.end(), *m), modes.end()) << label;
  }
  EXPECT_FALSE(service->test({7, 7, 7}));
}

TEST(XRandRModesTest, SwitchesAndRestoresTheStartMode) {
  auto service = openOrSkip();
  if (!service) GTEST_SKIP() << "no X display with XRandR";
  video::DisplayModes modes(service.get());
  modes.rebuild(true);
  const auto start = service->current();
  ASSERT_TRUE(start);
  // A smaller mode than the current one, if the server has one.
  std::optional<video::DisplayMode> other;
  for (const video::DisplayMode& m : service->modes())
    if (m.Width < start->Width && m.Height < start->Height && (!other || m.Width > other->Width))
      other = m;
  if (!other) GTEST_SKIP() << "the display has one mode only";
  ASSERT_TRUE(modes.changeResolution(video::modeName(*other)));
  EXPECT_EQ(service->current(), other);
  modes.restoreStartupMode();
  EXPECT_EQ(service->current(), start);
}

TEST(XRandRModesTest, ACrashPutsTheStartModeBack) {
  auto service = openOrSkip();
  if (!service) GTEST_SKIP() << "no X display with XRandR";
  const auto start = service->current();
  ASSERT_TRUE(start);
  if (!(*start == video::DisplayMode{1280, 1024, start->Refresh})) GTEST_SKIP();
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    auto own = openXRandRModes();
    video::DisplayModes modes(own.get());
    modes.rebuild(true);
    if (!modes.changeResolution("M800x600x60Hz")) _exit(3);
    std::abort();  // a crash with the display switched
  }
  int status = 0;
  waitpid(child, &status, 0);
  ASSERT_TRUE(WIFSIGNALED(status)) << "child exit " << WEXITSTATUS(status);
  EXPECT_EQ(WTERMSIG(status), SIGABRT);
  EXPECT_EQ(service->current(), start);
}

}  // namespace
}  // namespace platform
