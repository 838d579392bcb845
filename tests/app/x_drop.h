#pragma once
// Drops files on a window of another program the way a file manager does:
// the XDND protocol (version 5) with a "text/uri-list" selection, spoken
// directly over Xlib, for the whole-program tests.
#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <chrono>
#include <string>
#include <vector>

namespace app {

// Drops the files (absolute paths) on target at (x, y) in root coordinates.
// True when the target accepted the drop and said it had finished.
inline bool xDropFiles(unsigned long target, int x, int y, const std::vector<std::string>& files) {
  Display* display = XOpenDisplay(nullptr);
  if (!display) return false;
  const Window root = DefaultRootWindow(display);
  const Window source = XCreateSimpleWindow(display, root, 0, 0, 1, 1, 0, 0, 0);
  auto atom = [display](const char* name) { return XInternAtom(display, name, False); };
  const Atom uriList = atom("text/uri-list"), selection = atom("XdndSelection");
  std::string uris;
  for (const std::string& f : files) uris += "file://" + f + "\r\n";
  XSetSelectionOwner(display, selection, source, CurrentTime);

  auto send = [&](const char* type, long l1, long l2, long l3, long l4) {
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.display = display;
    e.xclient.window = target;
    e.xclient.message_type = atom(type);
    e.xclient.format = 32;
    e.xclient.data.l[0] = long(source);
    e.xclient.data.l[1] = l1;
    e.xclient.data.l[2] = l2;
    e.xclient.data.l[3] = l3;
    e.xclient.data.l[4] = l4;
    XSendEvent(display, target, False, NoEventMask, &e);
    XFlush(display);
  };
  // Serves selection requests until a client message of `type` arrives.
  auto await = [&](const char* type, XEvent& got) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (std::chrono::steady_clock::now() < end) {
      if (!XPending(display)) {
        struct timespec pause {
          0, 10000000
        };
        nanosleep(&pause, nullptr);
        continue;
      }
      XNextEvent(display, &got);
      if (got.type == SelectionRequest) {
        const XSelectionRequestEvent& r = got.xselectionrequest;
        XEvent reply{};
        reply.xselection.type = SelectionNotify;
        reply.xselection.requestor = r.requestor;
        reply.xselection.selection = r.selection;
        reply.xselection.target = r.target;
        reply.xselection.time = r.time;
        reply.xselection.property = None;
        if (r.target == uriList) {
          XChangeProperty(display, r.requestor, r.property, uriList, 8, PropModeReplace,
                          reinterpret_cast<const unsigned char*>(uris.data()), int(uris.size()));
          reply.xselection.property = r.property;
        }
        XSendEvent(display, r.requestor, False, NoEventMask, &reply);
        XFlush(display);
      } else if (got.type == ClientMessage && got.xclient.message_type == atom(type)) {
        return true;
      }
    }
    return false;
  };

  XEvent got{};
  send("XdndEnter", 5L << 24, long(uriList), 0, 0);
  send("XdndPosition", 0, (long(x) << 16) | long(y), CurrentTime, long(atom("XdndActionCopy")));
  bool ok = await("XdndStatus", got) && (got.xclient.data.l[1] & 1);
  if (ok) {
    send("XdndDrop", 0, CurrentTime, 0, 0);
    ok = await("XdndFinished", got);
  } else {
    send("XdndLeave", 0, 0, 0, 0);
  }
  XDestroyWindow(display, source);
  XCloseDisplay(display);
  return ok;
}

}  // namespace app
