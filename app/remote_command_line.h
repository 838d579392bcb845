#pragma once
// The text form of a remote command on the single-instance socket: the code in
// decimal digits on one short line. Plain C++: it reads bytes from another
// process, so everything that is not exactly such a line is refused.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace app {

// Most characters of a command line, its line end not counted: the codes run
// from 1 to 73, two digits.
inline constexpr std::size_t kMaxRemoteCommandLine = 2;

// The code a line names: one or two decimal digits without sign, blank or
// leading zero, from 1 to 73. No value for anything else (0, 74, "07", "+7",
// " 7", "7\r", an empty or a longer line).
std::optional<int> parseRemoteCommand(std::string_view line);

// The line (without its line end) that parseRemoteCommand reads back as code.
std::string remoteCommandLine(int code);

}  // namespace app
