#include "settings/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <set>
#include <system_error>
#include <vector>

namespace settings {

namespace {

namespace fs = std::filesystem;

// The moment this process began writing files: temporaries older than this
// were left by an earlier run killed during a write.
const fs::file_time_type kProcessStart = fs::file_time_type::clock::now();

// The six letters and digits mkstemp puts in place of "XXXXXX". A suffix of
// lower-case letters only or digits only reads as a word or a date the user
// chose ("list.mpl.backup", "list.mpl.202612") and is never taken for ours.
bool isTemporarySuffix(std::string_view suffix) {
  if (suffix.size() != 6) return false;
  bool lowerOnly = true, digitsOnly = true;
  for (char c : suffix) {
    const bool lower = c >= 'a' && c <= 'z', digit = c >= '0' && c <= '9';
    if (!lower && !digit && !(c >= 'A' && c <= 'Z')) return false;
    lowerOnly = lowerOnly && lower;
    digitsOnly = digitsOnly && digit;
  }
  return !lowerOnly && !digitsOnly;
}

// Cleans each path's stale temporaries once per process, before its first write.
void cleanStaleOnce(const std::string& path) {
  static std::mutex mutex;
  static std::set<std::string> cleaned;
  {
    std::lock_guard lock(mutex);
    if (!cleaned.insert(path).second) return;
  }
  removeStaleTemporaries(path, kProcessStart);
}

// Makes the rename itself durable: the folder entry reaches the disk too.
// File systems that cannot sync a folder (EINVAL) are taken as done.
bool syncFolderOf(const std::string& path) {
  const fs::path folder = fs::path(path).parent_path();
  const std::string name = folder.empty() ? std::string(".") : folder.string();
  const int fd = ::open(name.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return true;
  const bool ok = ::fsync(fd) == 0 || errno == EINVAL || errno == EROFS;
  ::close(fd);
  return ok;
}

}  // namespace

int removeStaleTemporaries(const std::string& path, fs::file_time_type before) {
  const fs::path target(path);
  const std::string prefix = target.filename().string() + ".";
  fs::path folder = target.parent_path();
  if (folder.empty()) folder = ".";
  int removed = 0;
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = it->path().filename().string();
    if (name.size() != prefix.size() + 6 || name.compare(0, prefix.size(), prefix) != 0) continue;
    if (!isTemporarySuffix(std::string_view(name).substr(prefix.size()))) continue;
    // Never follow a link or touch a folder: only the writer's own plain files.
    std::error_code e;
    if (!it->is_regular_file(e) || it->is_symlink(e)) continue;
    const fs::file_time_type written = it->last_write_time(e);
    if (e || written >= before) continue;
    if (fs::remove(it->path(), e)) ++removed;
  }
  return removed;
}

bool writeFileAtomically(const std::string& path, std::string_view bytes) {
  cleanStaleOnce(path);
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
  if (!ok) {
    ::unlink(tmp.c_str());
    return false;
  }
  return syncFolderOf(path);
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
