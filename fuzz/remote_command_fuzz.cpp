// The single-instance socket: messages arriving in pieces of any size, the
// file payloads they carry, and the command line of a second start.
#include <cstdio>

#include "app/command_line.h"
#include "app/instance_message.h"
#include "fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::Choices choices(data, size);
  const std::size_t piece = 1 + choices.byte() % 64;
  const std::string_view bytes = choices.rest();

  std::string buffer;
  for (std::size_t at = 0; at < bytes.size(); at += piece) {
    buffer.append(bytes.substr(at, piece));
    bool foreign = false;
    for (app::InstanceMessage m = app::takeInstanceMessage(buffer);
         m.kind != app::InstanceMessage::Kind::Incomplete; m = app::takeInstanceMessage(buffer)) {
      if (m.kind == app::InstanceMessage::Kind::Foreign) {
        foreign = true;
        break;
      }
      if (m.kind == app::InstanceMessage::Kind::Files) {
        FUZZ_CHECK(m.payload.size() <= app::kMaxPayloadBytes);
        const app::ReceivedFiles files = app::parseInstancePayload(m.payload);
        for (const std::string& p : files.paths) FUZZ_CHECK(!p.empty());
      } else {
        FUZZ_CHECK(app::validCommandCode(m.code));
      }
    }
    if (foreign) break;
    FUZZ_CHECK(buffer.size() <= app::kMaxInstanceBufferBytes + piece);
  }

  // The same bytes as the arguments of a start, split at NUL bytes.
  std::vector<std::string> args;
  std::string_view rest = bytes;
  while (!rest.empty()) {
    const std::size_t end = rest.find('\0');
    args.emplace_back(rest.substr(0, end));
    rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
  }
  const app::CommandLine line = app::parseCommandLine(args);
  FUZZ_CHECK(line.args == args);
  const std::string payload = app::buildInstancePayload(args);
  FUZZ_CHECK(payload.size() <= app::kMaxPayloadBytes);
  app::parseInstancePayload(payload);
  return 0;
}
