#include "platform/logind_power_off.h"

#include <QDBusConnection>
#include <QDBusInterface>
#include <QDBusReply>

#include <cstdlib>
#include <memory>

namespace platform {

using playback::PowerOffResult;

PowerOffResult powerOffAllowed(const std::string& answer) {
  return answer == "yes" ? PowerOffResult::Done : PowerOffResult::Refused;
}

namespace {

// logind's manager on the system bus, or nothing when there is none.
std::unique_ptr<QDBusInterface> manager() {
  QDBusConnection bus = QDBusConnection::systemBus();
  if (!bus.isConnected()) return nullptr;
  auto iface = std::make_unique<QDBusInterface>(
      QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
      QStringLiteral("org.freedesktop.login1.Manager"), bus);
  if (!iface->isValid()) return nullptr;
  iface->setTimeout(LogindPowerOff::kTimeoutMs);
  return iface;
}

}  // namespace

PowerOffResult LogindPowerOff::canPowerOff() {
  if (std::getenv(kDisableVariable)) return PowerOffResult::Refused;
  auto iface = manager();
  if (!iface) return PowerOffResult::Failed;
  const QDBusReply<QString> can = iface->call(QStringLiteral("CanPowerOff"));
  if (!can.isValid()) return PowerOffResult::Failed;
  return powerOffAllowed(can.value().toStdString());
}

PowerOffResult LogindPowerOff::powerOff() {
  if (std::getenv(kDisableVariable)) return PowerOffResult::Refused;
  auto iface = manager();
  if (!iface) return PowerOffResult::Failed;
  // A reply without error is logind's acceptance; an error (denied by the
  // policy, an inhibitor, no answer in time) is a failure, never "done".
  const QDBusMessage reply = iface->call(QStringLiteral("PowerOff"), false);
  return reply.type() == QDBusMessage::ReplyMessage ? PowerOffResult::Done : PowerOffResult::Failed;
}

}  // namespace platform
