#include "app/remote_command_line.h"

namespace app {

namespace {

constexpr int kFirstCode = 1;
constexpr int kLastCode = 73;

}  // namespace

std::optional<int> parseRemoteCommand(std::string_view line) {
  if (line.empty() || line.size() > kMaxRemoteCommandLine || line[0] == '0') return std::nullopt;
  int code = 0;
  for (const char c : line) {
    if (c < '0' || c > '9') return std::nullopt;
    code = code * 10 + (c - '0');
  }
  if (code < kFirstCode || code > kLastCode) return std::nullopt;
  return code;
}

std::string remoteCommandLine(int code) {
  return std::to_string(code);
}

}  // namespace app
