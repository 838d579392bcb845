#include "platform/keep_awake.h"

#include <QDBusConnection>
#include <QDBusInterface>
#include <QDBusReply>
#include <QGuiApplication>

#ifdef TARVELINO_HAVE_X11
#include <X11/Xlib.h>
#endif

namespace platform {

void KeepAwake::setPlaying(bool playing) {
  playing_ = playing;
  if (playing && cookie_ == 0 && backend_.inhibit) {
    cookie_ = backend_.inhibit();
  } else if (!playing && cookie_ != 0) {
    if (backend_.release) backend_.release(cookie_);
    cookie_ = 0;
  }
}

void KeepAwake::poke() {
  if (!playing_) return;
  // A request that failed at Play (service not yet up) is asked again here.
  if (cookie_ == 0 && backend_.inhibit) cookie_ = backend_.inhibit();
  if (backend_.poke) backend_.poke();
}

namespace {

constexpr int kDbusTimeoutMs = 1000;

std::unique_ptr<QDBusInterface> screenSaver() {
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected()) return nullptr;
  auto iface = std::make_unique<QDBusInterface>("org.freedesktop.ScreenSaver",
                                                "/org/freedesktop/ScreenSaver",
                                                "org.freedesktop.ScreenSaver", bus);
  if (!iface->isValid()) return nullptr;
  // A hung service must not freeze the interface.
  iface->setTimeout(kDbusTimeoutMs);
  return iface;
}

}  // namespace

InhibitBackend desktopInhibitBackend(const std::string& appName) {
  InhibitBackend b;
  const QString name = QString::fromStdString(appName);
  b.inhibit = [name]() -> uint32_t {
    auto iface = screenSaver();
    if (!iface) return 0;
    QDBusReply<uint32_t> reply = iface->call("Inhibit", name, QStringLiteral("Playing a movie"));
    return reply.isValid() ? reply.value() : 0;
  };
  b.release = [](uint32_t cookie) {
    if (auto iface = screenSaver()) iface->call("UnInhibit", cookie);
  };
  b.poke = [] {
    if (auto iface = screenSaver()) iface->call("SimulateActivity");
#ifdef TARVELINO_HAVE_X11
    if (QGuiApplication::platformName() == QLatin1String("xcb")) {
      if (Display* d = XOpenDisplay(nullptr)) {
        XResetScreenSaver(d);
        XCloseDisplay(d);
      }
    }
#endif
  };
  return b;
}

}  // namespace platform
