#pragma once
// The single-instance channel: a local socket named after the program and the
// user. The first instance listens on it; a second start connects, learns
// whether the first one is still starting, and hands over its arguments or a
// remote command code.
//
// Wire format: on connection the server sends one byte, 'L' (still loading)
// or 'R' (running). To a running server the client then sends one message:
//   'F' raise(1 byte: 1 = bring to front) length(4 bytes, little endian) payload
//   'C' code in decimal digits, then '\n' (remote_command_line.h)
//
// The channel is the user's alone: the socket lies in XDG_RUNTIME_DIR with
// mode 0600, and both ends check that the process at the other end runs as
// the same user (the kernel's peer credentials), so another user can neither
// send commands nor pose as the running instance.
#include <QLocalServer>
#include <QObject>
#include <QString>

#include <string>

namespace app {

// The socket's path: XDG_RUNTIME_DIR + "/" + ProgramName + "-" + the user id.
// When XDG_RUNTIME_DIR is unset, or is not a folder of this user closed to
// everyone else, the name alone (the socket then lies in the temporary folder).
QString instanceSocketName(const std::string& ProgramName);

// True when the process at the other end of the connected local socket fd
// runs as user uid.
bool peerIsUser(int fd, unsigned uid);

class InstanceServer : public QObject {
  Q_OBJECT
 public:
  explicit InstanceServer(QObject* parent = nullptr);
  // Starts listening. False when another instance of this user answers on
  // the name (this start is a second one). A stale socket left by a crashed
  // instance is removed and taken over. When the name cannot be taken, the
  // player runs without the channel (true).
  bool listen(const QString& name);
  // From the main window's first show on, hand-overs are accepted.
  void setRunning() { running_ = true; }

 signals:
  void filesReceived(const QByteArray& payload, bool raise);
  // A valid code, 1..73; malformed lines are dropped with their connection.
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
