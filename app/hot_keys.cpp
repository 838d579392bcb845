#include "app/hot_keys.h"

#include <QCoreApplication>
#include <QGuiApplication>

// Xlib defines macros (None, Status, Bool) that clash with Qt: it comes last.
#include <X11/Xlib.h>
#include <xcb/xcb.h>

namespace app {

namespace {

Display* x11Display() {
  auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  return x11 ? x11->display() : nullptr;
}

bool grabFailed = false;
int onGrabError(Display*, XErrorEvent* e) {
  if (e->error_code == BadAccess) grabFailed = true;
  return 0;
}

// Num Lock and Caps Lock must not stop a hot key: it is grabbed with every
// combination of the two.
constexpr unsigned kLockVariants[] = {0, LockMask, Mod2Mask, LockMask | Mod2Mask};

unsigned modifierMask(const Shortcut& s) {
  return (s.shift ? ShiftMask : 0) | (s.ctrl ? ControlMask : 0) | (s.alt ? Mod1Mask : 0);
}

}  // namespace

HotKeys::HotKeys() = default;

HotKeys::~HotKeys() {
  removeAll();
}

bool HotKeys::add(int id, const Shortcut& shortcut, std::function<void()> action) {
  Display* display = x11Display();
  if (!display) return false;
  const KeyCode keycode = XKeysymToKeycode(display, shortcut.keysym);
  if (keycode == 0) return false;
  const unsigned modifiers = modifierMask(shortcut);
  const Window root = DefaultRootWindow(display);
  XSync(display, False);
  grabFailed = false;
  auto previous = XSetErrorHandler(onGrabError);
  for (unsigned lock : kLockVariants)
    XGrabKey(display, keycode, modifiers | lock, root, True, GrabModeAsync, GrabModeAsync);
  XSync(display, False);
  XSetErrorHandler(previous);
  if (grabFailed) {
    for (unsigned lock : kLockVariants) XUngrabKey(display, keycode, modifiers | lock, root);
    XSync(display, False);
    return false;
  }
  grabs_.push_back({id, keycode, modifiers, std::move(action)});
  if (!installed_) {
    QCoreApplication::instance()->installNativeEventFilter(this);
    installed_ = true;
  }
  return true;
}

void HotKeys::removeAll() {
  Display* display = x11Display();
  if (display) {
    const Window root = DefaultRootWindow(display);
    for (const Grab& g : grabs_)
      for (unsigned lock : kLockVariants) XUngrabKey(display, g.keycode, g.modifiers | lock, root);
    XSync(display, False);
  }
  grabs_.clear();
  if (installed_ && QCoreApplication::instance())
    QCoreApplication::instance()->removeNativeEventFilter(this);
  installed_ = false;
}

bool HotKeys::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
  if (eventType != "xcb_generic_event_t") return false;
  auto* event = static_cast<xcb_generic_event_t*>(message);
  if ((event->response_type & 0x7f) != XCB_KEY_PRESS) return false;
  auto* key = reinterpret_cast<xcb_key_press_event_t*>(event);
  const unsigned state = key->state & (ShiftMask | ControlMask | Mod1Mask);
  for (const Grab& g : grabs_) {
    if (g.keycode == key->detail && g.modifiers == state) {
      // Run after the event is handled: the action hides and shows windows.
      QMetaObject::invokeMethod(qApp, g.action, Qt::QueuedConnection);
      return true;
    }
  }
  return false;
}

}  // namespace app
