// Reading the player's files without ever waiting on a pipe, and keeping the
// copies of files it could not read.
#include "settings/atomic_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

namespace settings {
namespace {

namespace fs = std::filesystem;

class AtomicFileTest : public testing::Test {
 protected:
  AtomicFileTest() {
    root_ = fs::temp_directory_path() / ("tarvelino-atomic-" + std::to_string(getpid()));
    fs::create_directories(root_);
  }
  ~AtomicFileTest() override { fs::remove_all(root_); }
  std::string path(const std::string& name) const { return (root_ / name).string(); }
  std::string write(const std::string& name, const std::string& bytes) const {
    std::ofstream(path(name), std::ios::binary) << bytes;
    return path(name);
  }

  fs::path root_;
};

TEST_F(AtomicFileTest, OnlyRegularFilesAreReadAndNothingBlocks) {
  write("small", "hello");
  fs::create_directories(path("folder"));
  ASSERT_EQ(::mkfifo(path("pipe").c_str(), 0600), 0);
  ASSERT_EQ(::symlink(path("pipe").c_str(), path("link to pipe").c_str()), 0);
  struct Row {
    const char* name;
    std::uintmax_t limit;
    ReadStatus status;
    std::string bytes;
  } rows[] = {
      {"small", 6, ReadStatus::Read, "hello"},
      {"small", 5, ReadStatus::TooBig, ""},
      {"missing", 100, ReadStatus::Missing, ""},
      {"small/below a file", 100, ReadStatus::Missing, ""},
      {"folder", 100, ReadStatus::NotRegular, ""},
      {"pipe", 100, ReadStatus::NotRegular, ""},
      {"link to pipe", 100, ReadStatus::NotRegular, ""},
      {"/dev/zero", 100, ReadStatus::NotRegular, ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    std::string bytes = "old";
    const std::string file = row.name[0] == '/' ? row.name : path(row.name);
    EXPECT_EQ(readRegularFile(file, row.limit, bytes), row.status);
    EXPECT_EQ(bytes, row.bytes);
  }
  std::string text;
  EXPECT_FALSE(readWholeFile(path("pipe"), text));
  EXPECT_TRUE(readWholeFile(path("missing"), text));
  // A sink can stop the read after any piece.
  write("big", std::string(200000, 'b'));
  std::size_t pieces = 0;
  EXPECT_EQ(readRegularFile(path("big"), 1 << 20, [&](std::string_view) { return ++pieces < 2; }),
            ReadStatus::Read);
  EXPECT_EQ(pieces, 2u);
}

TEST_F(AtomicFileTest, EarlierCopiesOfUnreadableFilesAreNeverReplaced) {
  const std::string file = path("Tarvelino.mpl");
  // Eleven damaged starts: ten copies, the last one replaced by the newest file.
  for (int start = 0; start <= kBackupCopies; ++start) {
    write("Tarvelino.mpl", "start " + std::to_string(start));
    ASSERT_TRUE(keepAsBackup(file));
    EXPECT_FALSE(fs::exists(file));
  }
  EXPECT_EQ(backupName(file, 0), file + ".bak");
  EXPECT_EQ(backupName(file, 1), file + ".1.bak");
  for (int n = 0; n < kBackupCopies; ++n) {
    std::string bytes;
    EXPECT_EQ(readRegularFile(backupName(file, n), 100, bytes), ReadStatus::Read);
    EXPECT_EQ(bytes, "start " + std::to_string(n == kBackupCopies - 1 ? kBackupCopies : n));
  }
  EXPECT_FALSE(fs::exists(backupName(file, kBackupCopies)));
  EXPECT_FALSE(keepAsBackup(path("missing")));
}

}  // namespace
}  // namespace settings
