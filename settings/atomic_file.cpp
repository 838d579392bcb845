#include "settings/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
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

ReadStatus readRegularFile(const std::string& path, std::uintmax_t limitBytes,
                           const std::function<bool(std::string_view)>& sink) {
  if (path.empty() || path.find('\0') != std::string::npos) return ReadStatus::Missing;
  // O_NONBLOCK: opening a named pipe for reading would otherwise wait for a writer.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0)
    return errno == ENOENT || errno == ENOTDIR ? ReadStatus::Missing : ReadStatus::CannotOpen;
  struct Closer {
    int fd;
    ~Closer() { ::close(fd); }
  } closer{fd};
  struct stat st {};
  if (::fstat(fd, &st) != 0) return ReadStatus::CannotOpen;
  if (!S_ISREG(st.st_mode)) return ReadStatus::NotRegular;
  if (static_cast<std::uintmax_t>(st.st_size) >= limitBytes) return ReadStatus::TooBig;
  std::vector<char> buffer(64 * 1024);
  std::uintmax_t total = 0;
  while (true) {
    const ssize_t got = ::read(fd, buffer.data(), buffer.size());
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return ReadStatus::ReadFailed;
    if (got == 0) return ReadStatus::Read;
    // A file that grows while it is read is still held to the limit.
    total += static_cast<std::uintmax_t>(got);
    if (total >= limitBytes) return ReadStatus::TooBig;
    if (!sink(std::string_view(buffer.data(), static_cast<std::size_t>(got))))
      return ReadStatus::Read;
  }
}

ReadStatus readRegularFile(const std::string& path, std::uintmax_t limitBytes, std::string& bytes) {
  bytes.clear();
  const ReadStatus status = readRegularFile(path, limitBytes, [&](std::string_view piece) {
    bytes.append(piece);
    return true;
  });
  if (status != ReadStatus::Read) bytes.clear();
  return status;
}

bool readWholeFile(const std::string& path, std::string& text) {
  const ReadStatus status = readRegularFile(path, std::numeric_limits<std::uintmax_t>::max(), text);
  return status == ReadStatus::Read || status == ReadStatus::Missing;
}

std::string backupName(const std::string& path, int n) {
  return n == 0 ? path + ".bak" : path + "." + std::to_string(n) + ".bak";
}

bool keepAsBackup(const std::string& path) {
  for (int n = 0; n < kBackupCopies - 1; ++n) {
    const std::string copy = backupName(path, n);
    // RENAME_NOREPLACE: an existing copy is never replaced, even by a second
    // player closing at the same moment.
    if (::renameat2(AT_FDCWD, path.c_str(), AT_FDCWD, copy.c_str(), RENAME_NOREPLACE) == 0)
      return true;
    if (errno == EEXIST) continue;
    if (errno != EINVAL && errno != ENOSYS) return false;
    // A file system without the no-replace rename: check, then rename.
    struct stat st {};
    if (::lstat(copy.c_str(), &st) == 0) continue;
    return ::rename(path.c_str(), copy.c_str()) == 0;
  }
  return ::rename(path.c_str(), backupName(path, kBackupCopies - 1).c_str()) == 0;
}

}  // namespace settings
