#include "app/instance_message.h"

#include <optional>
#include <string_view>

#include "app/remote_command_line.h"

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
    // One short line of digits; a longer line or one that is not a code
    // from 1 to 73 is not one of ours.
    const std::size_t end = buffer.find('\n', 1);
    if (end == std::string::npos) {
      if (buffer.size() > 1 + kMaxRemoteCommandLine) m.kind = InstanceMessage::Kind::Foreign;
      return m;
    }
    const std::optional<int> code = parseRemoteCommand(std::string_view(buffer).substr(1, end - 1));
    if (!code) {
      m.kind = InstanceMessage::Kind::Foreign;
      return m;
    }
    m.kind = InstanceMessage::Kind::Command;
    m.code = *code;
    buffer.erase(0, end + 1);
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
