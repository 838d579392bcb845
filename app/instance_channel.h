#pragma once
// The single-instance channel: a local socket named after the program and the
// user. The first instance listens on it; a second start connects, learns
// whether the first one is still starting, and hands over its arguments or a
// remote command code.
//
// Wire format: on connection the server sends one byte, 'L' (still loading)
// or 'R' (running). To a running server the client then sends one message:
//   'F' raise(1 byte: 1 = bring to front) length(4 bytes, little endian) payload
//   'C' code(4 bytes, little endian)
#include <QLocalServer>
#include <QObject>
#include <QString>

#include <string>

namespace app {

// The socket name: ProgramName + "-" + the user id.
QString instanceSocketName(const std::string& ProgramName);

class InstanceServer : public QObject {
  Q_OBJECT
 public:
  explicit InstanceServer(QObject* parent = nullptr);
  // Starts listening. False when another instance answers on the name (this
  // start is a second one). A stale socket left by a crashed instance is
  // removed and taken over.
  bool listen(const QString& name);
  // From the main window's first show on, hand-overs are accepted.
  void setRunning() { running_ = true; }

 signals:
  void filesReceived(const QByteArray& payload, bool raise);
  void commandReceived(int code);

 private:
  void onNewConnection();
  QLocalServer server_;
  bool running_ = false;
};

enum class HandOverResult {
  Sent,        // the running instance received the message
  Loading,     // the instance is still starting: nothing was sent
  NoInstance,  // nobody answered
};

// Hands the payload to the running instance (second start). Raise asks it to
// come to the front (not for the enqueue forms). Blocks at most ~3 s.
HandOverResult handOverPayload(const QString& name, const std::string& payload, bool raise);

// Sends a remote command code to the running instance.
HandOverResult sendRemoteCommand(const QString& name, int code);

}  // namespace app
