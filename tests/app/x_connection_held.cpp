// Holds one X connection for the whole life of a whole-program test process.
// An X server resets when its last client leaves; the tests' own short-lived
// clients (xdotool, xprop) leave between polls, and a player starting or
// starting again at that moment can find the server refusing connections
// while it resets. Each test runs in its own process, so nothing the server
// holds carries over from one test to the next.
#include <X11/Xlib.h>

#include <cstdlib>

namespace {

struct HeldConnection {
  Display* display = std::getenv("DISPLAY") ? XOpenDisplay(nullptr) : nullptr;
  ~HeldConnection() {
    if (display) XCloseDisplay(display);
  }
} held;

}  // namespace
