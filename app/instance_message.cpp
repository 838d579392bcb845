#include "app/instance_message.h"

namespace app {

namespace {

std::uint32_t readLe32(const std::string& bytes, std::size_t at) {
  std::uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(bytes[at + i]);
  return v;
}

}  // namespace

InstanceMessage takeInstanceMessage(std::string& buffer) {
  InstanceMessage m;
  if (buffer.size() > kMaxInstanceBufferBytes) {
    m.kind = InstanceMessage::Kind::Foreign;
    return m;
  }
  if (buffer.empty()) return m;
  if (buffer[0] == 'C') {
    if (buffer.size() < 5) return m;
    // The code travels as an unsigned 32-bit number; anything over INT_MAX
    // wraps to a negative code, which no command has.
    m.kind = InstanceMessage::Kind::Command;
    m.code = static_cast<int>(readLe32(buffer, 1));
    buffer.erase(0, 5);
    return m;
  }
  if (buffer[0] == 'F') {
    if (buffer.size() < 6) return m;
    const std::uint32_t length = readLe32(buffer, 2);
    if (length > kMaxPayloadBytes) {
      m.kind = InstanceMessage::Kind::Foreign;
      return m;
    }
    if (buffer.size() < 6 + std::size_t{length}) return m;
    m.kind = InstanceMessage::Kind::Files;
    m.raise = buffer[1] != 0;
    m.payload = buffer.substr(6, length);
    buffer.erase(0, 6 + std::size_t{length});
    return m;
  }
  m.kind = InstanceMessage::Kind::Foreign;
  return m;
}

}  // namespace app
