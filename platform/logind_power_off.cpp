#include "platform/logind_power_off.h"

#include <QDBusConnection>
#include <QDBusInterface>
#include <QDBusReply>

#include <cstdlib>

namespace platform {

using playback::PowerOffResult;

PowerOffResult powerOffAllowed(const std::string& answer) {
  return answer == "yes" ? PowerOffResult::Done : PowerOffResult::Refused;
}

PowerOffResult LogindPowerOff::powerOff() {
  if (std::getenv(kDisableVariable)) return PowerOffResult::Refused;
  QDBusConnection bus = QDBusConnection::systemBus();
  if (!bus.isConnected()) return PowerOffResult::Failed;
  QDBusInterface manager(QStringLiteral("org.freedesktop.login1"),
                         QStringLiteral("/org/freedesktop/login1"),
                         QStringLiteral("org.freedesktop.login1.Manager"), bus);
  if (!manager.isValid()) return PowerOffResult::Failed;
  manager.setTimeout(kTimeoutMs);
  const QDBusReply<QString> can = manager.call(QStringLiteral("CanPowerOff"));
  if (!can.isValid()) return PowerOffResult::Failed;
  const PowerOffResult allowed = powerOffAllowed(can.value().toStdString());
  if (allowed != PowerOffResult::Done) return allowed;
  // A reply without error is logind's acceptance; an error (denied by the
  // policy, an inhibitor, no answer in time) is a failure, never "done".
  const QDBusMessage reply = manager.call(QStringLiteral("PowerOff"), false);
  return reply.type() == QDBusMessage::ReplyMessage ? PowerOffResult::Done : PowerOffResult::Failed;
}

}  // namespace platform
