#pragma once
// Helpers shared by the fuzz targets: a memory file for readers that take a
// path, and a small reader of choices taken from the front of the input.
#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace fuzz {

// One anonymous memory file per process, rewritten for every input; its
// /proc/self/fd path opens like a regular file on disk, without touching any.
class MemoryFile {
 public:
  MemoryFile() : fd_(memfd_create("tarvelino-fuzz", MFD_CLOEXEC)) {
    if (fd_ < 0) std::abort();
    path_ = "/proc/self/fd/" + std::to_string(fd_);
  }
  const std::string& write(std::string_view bytes) {
    if (ftruncate(fd_, 0) != 0) std::abort();
    std::size_t done = 0;
    while (done < bytes.size()) {
      const ssize_t n =
          pwrite(fd_, bytes.data() + done, bytes.size() - done, static_cast<off_t>(done));
      if (n <= 0) std::abort();
      done += static_cast<std::size_t>(n);
    }
    return path_;
  }

 private:
  int fd_;
  std::string path_;
};

// Takes single bytes off the front of the input to choose settings; the rest
// is the file. An input too short to choose gives the first choice.
class Choices {
 public:
  Choices(const std::uint8_t* data, std::size_t size)
      : rest_(reinterpret_cast<const char*>(data), size) {}
  std::uint8_t byte() {
    if (rest_.empty()) return 0;
    const auto b = static_cast<std::uint8_t>(rest_.front());
    rest_.remove_prefix(1);
    return b;
  }
  template <typename T, std::size_t N>
  const T& pick(const T (&table)[N]) {
    return table[byte() % N];
  }
  std::string_view rest() const { return rest_; }

 private:
  std::string_view rest_;
};

}  // namespace fuzz

// A failed check of a fuzz target: abort so that libFuzzer keeps the input.
#define FUZZ_CHECK(cond)                                                       \
  do {                                                                         \
    if (!(cond)) {                                                             \
      fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #cond); \
      std::abort();                                                            \
    }                                                                          \
  } while (0)
