#pragma once
// The messages a second start sends over the single-instance socket, taken
// apart without any socket: the server appends what it receives to a buffer
// and takes complete messages off its front. Plain C++.
//   'C' code(one to two decimal digits, see remote_command_line.h) '\n'
//   'F' raise(1 byte: 1 = bring to front) length(4 bytes, little endian) payload
#include <cstddef>
#include <cstdint>
#include <string>

#include "app/command_line.h"

namespace app {

struct InstanceMessage {
  enum class Kind {
    Incomplete,  // more bytes are needed; the buffer is kept
    Command,     // a remote command code from 1 to 73
    Files,       // an instance payload (see parseInstancePayload)
    Foreign,     // not one of ours: the connection is dropped
  };
  Kind kind = Kind::Incomplete;
  int code = 0;        // Command
  bool raise = false;  // Files
  std::string payload;
};

// Most bytes a connection may have waiting before it counts as foreign: the
// longest payload and its header, with room to spare.
inline constexpr std::size_t kMaxInstanceBufferBytes = kMaxPayloadBytes + 16;

// Takes the first complete message off the front of buffer (the bytes after
// it stay for the next call). A buffer over kMaxInstanceBufferBytes, an
// unknown first byte, a command line that is not a code or a payload
// length over the payload limit is Foreign.
InstanceMessage takeInstanceMessage(std::string& buffer);

}  // namespace app
