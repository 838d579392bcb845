#include "app/settings/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <vector>

namespace settings {

bool writeFileAtomically(const std::string& path, std::string_view bytes) {
  std::string pattern = path + ".XXXXXX";
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  int fd = mkstemp(name.data());
  if (fd < 0) return false;
  const std::string tmp(name.data());
  bool ok = true;
  size_t done = 0;
  while (ok && done < bytes.size()) {
    ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      ok = false;
    } else {
      done += static_cast<size_t>(n);
    }
  }
  // mkstemp creates the file 0600; the player's files are ordinary user files.
  ok = ok && fchmod(fd, 0644) == 0;
  ok = ok && fsync(fd) == 0;
  ok = (::close(fd) == 0) && ok;
  if (ok) ok = ::rename(tmp.c_str(), path.c_str()) == 0;
  if (!ok) ::unlink(tmp.c_str());
  return ok;
}

bool readWholeFile(const std::string& path, std::string& text) {
  text.clear();
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return errno == ENOENT;
  if (!S_ISREG(st.st_mode)) return false;
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream bytes;
  bytes << in.rdbuf();
  if (in.bad()) return false;
  text = bytes.str();
  return true;
}

}  // namespace settings
