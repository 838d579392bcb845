#include "app/instance_channel.h"

#include <unistd.h>

#include <QLocalSocket>
#include <QPointer>
#include <QtEndian>

#include "app/command_line.h"

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
    auto buffer = std::make_shared<QByteArray>();
    connect(socket, &QLocalSocket::readyRead, this, [this, socket, buffer] {
      buffer->append(socket->readAll());
      if (buffer->size() > static_cast<qsizetype>(kMaxPayloadBytes) + 16) {
        socket->abort();  // not one of ours
        return;
      }
      if (buffer->startsWith('C') && buffer->size() >= 5) {
        int code = static_cast<int>(qFromLittleEndian<quint32>(buffer->constData() + 1));
        buffer->clear();
        emit commandReceived(code);
      } else if (buffer->startsWith('F') && buffer->size() >= 6) {
        quint32 length = qFromLittleEndian<quint32>(buffer->constData() + 2);
        if (length > kMaxPayloadBytes) {
          socket->abort();
          return;
        }
        if (buffer->size() < 6 + static_cast<qsizetype>(length)) return;
        bool raise = buffer->at(1) != 0;
        QByteArray payload = buffer->mid(6, length);
        buffer->clear();
        emit filesReceived(payload, raise);
      } else if (!buffer->isEmpty() && !buffer->startsWith('C') && !buffer->startsWith('F')) {
        socket->abort();
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
