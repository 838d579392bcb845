#include "app/instance_channel.h"

#include <unistd.h>

#include <QLocalSocket>
#include <QPointer>
#include <QtEndian>

#include "app/command_line.h"
#include "app/instance_message.h"

namespace app {

namespace {

constexpr int kTimeoutMs = 3000;

QByteArray le32(quint32 v) {
  QByteArray b(4, '\0');
  qToLittleEndian(v, b.data());
  return b;
}

HandOverResult sendMessage(const QString& name, const QByteArray& message) {
  QLocalSocket socket;
  socket.connectToServer(name);
  if (!socket.waitForConnected(kTimeoutMs)) return HandOverResult::NoInstance;
  if (socket.bytesAvailable() < 1 && !socket.waitForReadyRead(kTimeoutMs))
    return HandOverResult::NoInstance;
  char state = 0;
  socket.getChar(&state);
  if (state != 'R') return HandOverResult::Loading;
  socket.write(message);
  while (socket.bytesToWrite() > 0)
    if (!socket.waitForBytesWritten(kTimeoutMs)) return HandOverResult::NoInstance;
  socket.disconnectFromServer();
  if (socket.state() != QLocalSocket::UnconnectedState) socket.waitForDisconnected(kTimeoutMs);
  return HandOverResult::Sent;
}

}  // namespace

QString instanceSocketName(const std::string& ProgramName) {
  return QString::fromStdString(ProgramName) + "-" + QString::number(getuid());
}

InstanceServer::InstanceServer(QObject* parent) : QObject(parent) {
  server_.setSocketOptions(QLocalServer::UserAccessOption);
  connect(&server_, &QLocalServer::newConnection, this, &InstanceServer::onNewConnection);
}

bool InstanceServer::listen(const QString& name) {
  // Ask first: listening with access options replaces an existing socket file
  // instead of failing, so a live instance must be found by connecting.
  {
    QLocalSocket probe;
    probe.connectToServer(name);
    if (probe.waitForConnected(kTimeoutMs)) return false;
  }
  // Nobody answers: at most a socket file left behind by an instance that died.
  QLocalServer::removeServer(name);
  return server_.listen(name);
}

void InstanceServer::onNewConnection() {
  while (QLocalSocket* socket = server_.nextPendingConnection()) {
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    socket->write(running_ ? "R" : "L");
    socket->flush();
    if (!running_) {
      socket->disconnectFromServer();
      continue;
    }
    // Messages are small; collect until one is complete, then act on it.
    auto buffer = std::make_shared<std::string>();
    connect(socket, &QLocalSocket::readyRead, this, [this, socket, buffer] {
      const QByteArray received = socket->readAll();
      buffer->append(received.constData(), static_cast<std::size_t>(received.size()));
      while (true) {
        InstanceMessage m = takeInstanceMessage(*buffer);
        switch (m.kind) {
          case InstanceMessage::Kind::Incomplete:
            return;
          case InstanceMessage::Kind::Foreign:
            socket->abort();
            return;
          case InstanceMessage::Kind::Command:
            emit commandReceived(m.code);
            break;
          case InstanceMessage::Kind::Files:
            emit filesReceived(
                QByteArray(m.payload.data(), static_cast<qsizetype>(m.payload.size())), m.raise);
            break;
        }
      }
    });
  }
}

HandOverResult handOverPayload(const QString& name, const std::string& payload, bool raise) {
  QByteArray message("F");
  message.append(raise ? '\1' : '\0');
  message.append(le32(static_cast<quint32>(payload.size())));
  message.append(payload.data(), static_cast<qsizetype>(payload.size()));
  return sendMessage(name, message);
}

HandOverResult sendRemoteCommand(const QString& name, int code) {
  QByteArray message("C");
  message.append(le32(static_cast<quint32>(code)));
  return sendMessage(name, message);
}

}  // namespace app
