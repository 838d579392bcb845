#include "app/instance_channel.h"

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <QLocalSocket>
#include <QPointer>
#include <QtEndian>

#include <cstdlib>
#include <optional>
#include <string_view>

#include "app/command_line.h"
#include "app/instance_message.h"
#include "app/remote_command_line.h"

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
  // A socket of another user is not our instance: nothing is sent to it.
  if (!peerIsUser(static_cast<int>(socket.socketDescriptor()), getuid()))
    return HandOverResult::NoInstance;
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
  const QString name = QString::fromStdString(ProgramName) + "-" + QString::number(getuid());
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  struct stat folder {};
  if (!runtime || runtime[0] != '/' || ::stat(runtime, &folder) != 0 || !S_ISDIR(folder.st_mode) ||
      folder.st_uid != getuid() || (folder.st_mode & 077) != 0)
    return name;
  const QString path = QString::fromLocal8Bit(runtime) + "/" + name;
  // A path longer than a socket address holds could not be listened on.
  if (static_cast<size_t>(path.toLocal8Bit().size()) >= sizeof(sockaddr_un::sun_path)) return name;
  return path;
}

bool peerIsUser(int fd, unsigned uid) {
  struct ucred peer {};
  socklen_t length = sizeof peer;
  if (fd < 0 || ::getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &peer, &length) != 0 ||
      length != sizeof peer)
    return false;
  return peer.uid == uid;
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
    if (probe.waitForConnected(kTimeoutMs) &&
        peerIsUser(static_cast<int>(probe.socketDescriptor()), getuid()))
      return false;
  }
  // Nobody of ours answers: at most a socket file left behind by an instance
  // that died. A name held by another user cannot be taken; the player then
  // runs on its own, without the channel.
  QLocalServer::removeServer(name);
  if (server_.listen(name)) ::chmod(server_.fullServerName().toLocal8Bit().constData(), 0600);
  return true;
}

void InstanceServer::onNewConnection() {
  while (QLocalSocket* socket = server_.nextPendingConnection()) {
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    // Only processes of this user may talk to the player.
    if (!peerIsUser(static_cast<int>(socket->socketDescriptor()), getuid())) {
      socket->abort();
      socket->deleteLater();
      continue;
    }
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
  message.append(QByteArray::fromStdString(remoteCommandLine(code)));
  message.append('\n');
  return sendMessage(name, message);
}

}  // namespace app
