#include "platform/display_modes_x11.h"

#ifdef TARVELINO_HAVE_X11
#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <csignal>
#include <cstdlib>
#include <vector>
#endif

namespace platform {

#ifdef TARVELINO_HAVE_X11

namespace {

// X errors of a mode switch are failures of that switch, not of the program:
// Xlib's default handler would end the process.
std::atomic<int> lastXError{0};
int recordXError(Display*, XErrorEvent* e) {
  lastXError = e->error_code;
  return 0;
}

// One output of one X display: its modes and its CRTC.
class XRandRDisplay {
 public:
  explicit XRandRDisplay(Display* display) : dpy_(display), root_(DefaultRootWindow(display)) {}
  ~XRandRDisplay() { XCloseDisplay(dpy_); }

  std::vector<video::DisplayMode> modes() {
    std::vector<video::DisplayMode> out;
    Session s(*this);
    if (!s.output) return out;
    for (int i = 0; i < s.output->nmode; ++i)
      if (const XRRModeInfo* m = s.mode(s.output->modes[i])) out.push_back(describe(*m));
    return out;
  }

  std::optional<video::DisplayMode> current() {
    Session s(*this);
    if (!s.crtc) return std::nullopt;
    const XRRModeInfo* m = s.mode(s.crtc->mode);
    return m ? std::optional(describe(*m)) : std::nullopt;
  }

  bool test(const video::DisplayMode& wanted) {
    Session s(*this);
    if (!s.crtc || !s.find(wanted)) return false;
    int minW = 0, minH = 0, maxW = 0, maxH = 0;
    if (!XRRGetScreenSizeRange(dpy_, root_, &minW, &minH, &maxW, &maxH)) return false;
    return wanted.Width <= maxW && wanted.Height <= maxH;
  }

  bool apply(const video::DisplayMode& wanted) {
    Session s(*this);
    if (!s.crtc) return false;
    const RRMode id = s.find(wanted);
    if (!id) return false;
    const bool sideways = s.crtc->rotation & (RR_Rotate_90 | RR_Rotate_270);
    const int w = sideways ? wanted.Height : wanted.Width;
    const int h = sideways ? wanted.Width : wanted.Height;
    // The screen must hold every CRTC: grow it first, shrink it afterwards.
    int needW = s.crtc->x + w, needH = s.crtc->y + h;
    for (int i = 0; i < s.res->ncrtc; ++i) {
      if (s.res->crtcs[i] == s.crtcId) continue;
      XRRCrtcInfo* other = XRRGetCrtcInfo(dpy_, s.res, s.res->crtcs[i]);
      if (!other) continue;
      if (other->mode != None) {
        needW = std::max<int>(needW, other->x + int(other->width));
        needH = std::max<int>(needH, other->y + int(other->height));
      }
      XRRFreeCrtcInfo(other);
    }
    const int screen = DefaultScreen(dpy_);
    // The root window has the screen's size now; DisplayWidth keeps the size
    // of the moment the connection opened.
    Window rootBack = 0;
    int x = 0, y = 0;
    unsigned rootW = 0, rootH = 0, border = 0, depth = 0;
    if (!XGetGeometry(dpy_, root_, &rootBack, &x, &y, &rootW, &rootH, &border, &depth))
      return false;
    const int nowW = int(rootW), nowH = int(rootH);
    const double mmPerPx =
        DisplayWidthMM(dpy_, screen) / double(std::max(DisplayWidth(dpy_, screen), 1));
    auto setScreen = [&](int sw, int sh) {
      XRRSetScreenSize(dpy_, root_, sw, sh, std::max(1, int(sw * mmPerPx)),
                       std::max(1, int(sh * mmPerPx)));
    };
    // No server grab: a crash while it were held would leave the exit guard's
    // own connection waiting for ever.
    XSync(dpy_, False);
    lastXError = 0;
    XErrorHandler before = XSetErrorHandler(recordXError);
    if (needW > nowW || needH > nowH) setScreen(std::max(needW, nowW), std::max(needH, nowH));
    const Status status = XRRSetCrtcConfig(dpy_, s.res, s.crtcId, CurrentTime, s.crtc->x, s.crtc->y,
                                           id, s.crtc->rotation, s.crtc->outputs, s.crtc->noutput);
    if (status == RRSetConfigSuccess) setScreen(needW, needH);
    XSync(dpy_, False);
    XSetErrorHandler(before);
    return status == RRSetConfigSuccess && lastXError == 0;
  }

 private:
  // The resources, output and CRTC of one request.
  struct Session {
    explicit Session(XRandRDisplay& d) {
      res = XRRGetScreenResourcesCurrent(d.dpy_, d.root_);
      if (!res) return;
      RROutput chosen = XRRGetOutputPrimary(d.dpy_, d.root_);
      for (int i = 0; !chosen && i < res->noutput; ++i) {
        XRROutputInfo* info = XRRGetOutputInfo(d.dpy_, res, res->outputs[i]);
        if (info && info->connection == RR_Connected && info->crtc) chosen = res->outputs[i];
        if (info) XRRFreeOutputInfo(info);
      }
      if (!chosen) return;
      output = XRRGetOutputInfo(d.dpy_, res, chosen);
      if (!output || !output->crtc) return;
      crtcId = output->crtc;
      crtc = XRRGetCrtcInfo(d.dpy_, res, crtcId);
    }
    ~Session() {
      if (crtc) XRRFreeCrtcInfo(crtc);
      if (output) XRRFreeOutputInfo(output);
      if (res) XRRFreeScreenResources(res);
    }
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    const XRRModeInfo* mode(RRMode id) const {
      for (int i = 0; res && i < res->nmode; ++i)
        if (res->modes[i].id == id) return &res->modes[i];
      return nullptr;
    }
    // The output's mode with that size and rate; 0 when it has none.
    RRMode find(const video::DisplayMode& wanted) const {
      for (int i = 0; output && i < output->nmode; ++i)
        if (const XRRModeInfo* m = mode(output->modes[i]); m && describe(*m) == wanted)
          return m->id;
      return 0;
    }

    XRRScreenResources* res = nullptr;
    XRROutputInfo* output = nullptr;
    XRRCrtcInfo* crtc = nullptr;
    RRCrtc crtcId = 0;
  };

  // Size and rate in whole hertz, as the mode list shows it.
  static video::DisplayMode describe(const XRRModeInfo& m) {
    double lines = m.vTotal;
    if (m.modeFlags & RR_DoubleScan) lines *= 2;
    if (m.modeFlags & RR_Interlace) lines /= 2;
    const double hz = m.hTotal && lines > 0 ? double(m.dotClock) / (m.hTotal * lines) : 0;
    return {int(m.width), int(m.height), int(std::lround(hz))};
  }

  Display* dpy_;
  Window root_;
};

// The mode of the start, put back when the process ends without the player's
// own shut-down (a crash signal, exit()). It has its own connection, so a
// crash inside the other one's Xlib calls does not block it.
struct ExitGuard {
  std::unique_ptr<XRandRDisplay> display;
  video::DisplayMode startMode{};
  std::atomic<bool> armed{false};
};
ExitGuard& guard() {
  static ExitGuard* g = new ExitGuard;  // never destroyed: used from signal handlers
  return *g;
}

void restoreForExit() {
  ExitGuard& g = guard();
  if (!g.armed.exchange(false) || !g.display) return;
  const auto now = g.display->current();
  if (now && !(*now == g.startMode)) g.display->apply(g.startMode);
}

void onFatalSignal(int sig) {
  restoreForExit();
  std::signal(sig, SIG_DFL);
  std::raise(sig);
}

void installExitGuard(const std::string& displayName, const video::DisplayMode& startMode) {
  static bool installed = false;
  ExitGuard& g = guard();
  if (!installed) {
    Display* d = XOpenDisplay(displayName.empty() ? nullptr : displayName.c_str());
    if (!d) return;
    g.display = std::make_unique<XRandRDisplay>(d);
    std::atexit(restoreForExit);
    for (int sig : {SIGSEGV, SIGABRT, SIGBUS, SIGFPE, SIGILL}) std::signal(sig, onFatalSignal);
    installed = true;
  }
  g.startMode = startMode;
}

class XRandRService : public video::DisplayModeService {
 public:
  XRandRService(Display* display, std::string name) : x_(display), name_(std::move(name)) {
    start_ = x_.current();
  }
  ~XRandRService() override { guard().armed = false; }
  std::vector<video::DisplayMode> modes() override { return x_.modes(); }
  std::optional<video::DisplayMode> current() override { return x_.current(); }
  bool test(const video::DisplayMode& m) override { return x_.test(m); }
  bool apply(const video::DisplayMode& m) override {
    // Armed before the first switch, so that no switched mode outlives a crash.
    if (start_) {
      installExitGuard(name_, *start_);
      guard().armed = true;
    }
    const bool ok = x_.apply(m);
    // Back in the mode of the start: nothing to put back any more.
    if (ok && start_ && m == *start_) guard().armed = false;
    return ok;
  }

 private:
  XRandRDisplay x_;
  std::string name_;
  std::optional<video::DisplayMode> start_;
};

}  // namespace

std::unique_ptr<video::DisplayModeService> openXRandRModes(const std::string& displayName) {
  Display* d = XOpenDisplay(displayName.empty() ? nullptr : displayName.c_str());
  if (!d) return nullptr;
  int event = 0, error = 0, major = 0, minor = 0;
  if (!XRRQueryExtension(d, &event, &error) || !XRRQueryVersion(d, &major, &minor) || major < 1 ||
      (major == 1 && minor < 3)) {
    XCloseDisplay(d);
    return nullptr;
  }
  return std::make_unique<XRandRService>(d, displayName);
}

#else

std::unique_ptr<video::DisplayModeService> openXRandRModes(const std::string&) {
  return nullptr;
}

#endif

}  // namespace platform
