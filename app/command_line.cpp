#include "app/command_line.h"

#include "settings/settings_io.h"

namespace app {

CommandLine parseCommandLine(const std::vector<std::string>& args) {
  CommandLine c;
  c.args = args;
  if (args.empty()) return c;
  const std::string& first = args[0];
  if (first == "/install")
    c.kind = CommandKind::Install;
  else if (first == "/uninstall")
    c.kind = CommandKind::Uninstall;
  else if (first == "/AddFile" && args.size() > 1)
    c.kind = CommandKind::AddFile;
  else if (first == "/AddFolder" && args.size() > 1)
    c.kind = CommandKind::AddFolder;
  else if (first == "--command" && args.size() > 1 && settings::parseInt(args[1], c.commandCode))
    c.kind = CommandKind::Command;
  else
    c.kind = CommandKind::Paths;
  return c;
}

std::string buildInstancePayload(const std::vector<std::string>& args) {
  std::string payload;
  for (const std::string& arg : args) {
    if (payload.size() + arg.size() + 1 > kMaxPayloadBytes) break;
    payload += arg;
    payload += '\x01';
  }
  return payload;
}

ReceivedFiles parseInstancePayload(const std::string& payload) {
  ReceivedFiles r;
  std::vector<std::string> parts;
  size_t start = 0;
  while (start < payload.size()) {
    size_t end = payload.find('\x01', start);
    if (end == std::string::npos) end = payload.size();
    parts.push_back(payload.substr(start, end - start));
    start = end + 1;
  }
  if (!parts.empty() && (parts[0] == "/AddFile" || parts[0] == "/AddFolder") &&
      payload.size() > parts[0].size() && payload[parts[0].size()] == '\x01') {
    r.kind = parts[0] == "/AddFile" ? ReceivedFiles::Kind::AddFile : ReceivedFiles::Kind::AddFolder;
    if (parts.size() > 1 && !parts[1].empty()) r.paths.push_back(parts[1]);
    return r;
  }
  for (std::string& p : parts)
    if (!p.empty()) r.paths.push_back(std::move(p));
  return r;
}

}  // namespace app
