#include "video/frame_capture.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <random>

namespace video {

namespace {

std::string withSlash(std::string folder) {
  if (!folder.empty() && folder.back() != '/') folder += '/';
  return folder;
}

std::string folderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

bool writeAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    bytes.remove_prefix(size_t(n));
  }
  return true;
}

// A new, empty file in folder under a random hidden name, created
// exclusively and never through a link. Returns its descriptor or -1.
int createTemporary(const std::string& folder, std::string& path) {
  std::random_device seed;
  std::mt19937_64 random(seed());
  for (int attempt = 0; attempt < 100; ++attempt) {
    char name[40];
    std::snprintf(name, sizeof name, ".Capture-%016llx.tmp",
                  static_cast<unsigned long long>(random()));
    path = folder + name;
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd >= 0) return fd;
    if (errno != EEXIST) break;
  }
  path.clear();
  return -1;
}

// Gives the temporary file its final name unless that name is taken (by a
// file, a folder or a link, dangling or not). 0 on success, EEXIST when
// taken, another errno on failure.
int placeWithoutReplacing(const std::string& from, const std::string& to) {
  if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return 0;
  if (errno != EINVAL && errno != ENOSYS) return errno;
  // File systems without the no-replace rename: a hard link is just as
  // exclusive; the temporary name is removed afterwards.
  if (::link(from.c_str(), to.c_str()) != 0) return errno;
  ::unlink(from.c_str());
  return 0;
}

}  // namespace

CaptureFormat captureFormat(int CaptureType) {
  switch (CaptureType) {
    case 0:
      return CaptureFormat::Bmp;
    case 2:
      return CaptureFormat::Png;
    default:
      return CaptureFormat::Jpeg;
  }
}

const char* captureExtension(CaptureFormat format) {
  switch (format) {
    case CaptureFormat::Bmp:
      return "bmp";
    case CaptureFormat::Png:
      return "png";
    case CaptureFormat::Jpeg:
      break;
  }
  return "jpg";
}

std::string captureFileName(int counter, CaptureFormat format) {
  char number[16];
  std::snprintf(number, sizeof number, "%04d", counter);
  return std::string("Capture") + number + "." + captureExtension(format);
}

CaptureFolderChoice chooseCaptureFolder(const std::string& CaptureFolder,
                                        const std::string& desktopFolder,
                                        const std::string& moviePath, const std::string& homeFolder,
                                        const std::function<bool(const std::string&)>& isFolder) {
  const std::string named = CaptureFolder == "Desktop" ? desktopFolder : CaptureFolder;
  if (!named.empty() && isFolder(named)) return {withSlash(named), false};
  for (const std::string& other : {folderOf(moviePath), homeFolder})
    if (!other.empty() && isFolder(other)) return {withSlash(other), true};
  return {std::string(), true};
}

CaptureWrite writeCapture(const std::string& folder, int counter, CaptureFormat format,
                          std::string_view bytes) {
  CaptureWrite result;
  result.counter = counter;
  if (folder.empty() || counter < 0 || counter >= kCaptureCounterLimit) return result;
  const std::string dir = withSlash(folder);
  std::string temporary;
  const int fd = createTemporary(dir, temporary);
  if (fd < 0) return result;
  bool written = writeAll(fd, bytes) && ::fsync(fd) == 0;
  written = ::close(fd) == 0 && written;
  if (written) {
    while (result.counter < kCaptureCounterLimit) {
      ++result.counter;
      const std::string path = dir + captureFileName(result.counter, format);
      const int error = placeWithoutReplacing(temporary, path);
      if (error == 0) {
        result.ok = true;
        result.path = path;
        return result;
      }
      if (error != EEXIST) break;
    }
  }
  ::unlink(temporary.c_str());
  return result;
}

CaptureWrite runCapture(const CaptureJob& job) {
  std::string bytes;
  if (job.folder.empty() || !encodePicture(job.picture, job.format, bytes)) {
    CaptureWrite failed;
    failed.counter = job.counter;
    return failed;
  }
  return writeCapture(job.folder, job.counter, job.format, bytes);
}

}  // namespace video
