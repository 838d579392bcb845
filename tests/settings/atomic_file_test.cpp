// Reading the player's files without ever waiting on a pipe, and keeping the
// copies of files it could not read.
#include "settings/atomic_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
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

// A run killed in the middle of a write leaves "<file>.XXXXXX" behind; the
// next run's writer removes only its own old ones.
TEST_F(AtomicFileTest, StaleTemporariesOfAKilledRunAreRemovedAndNothingElse) {
  const std::string file = path("Tarvelino.rs");
  const auto old = fs::file_time_type::clock::now() - std::chrono::hours(1);
  struct Row {
    const char* name;
    bool old;
    bool removed;
  };
  const Row rows[] = {
      {"Tarvelino.rs.aB3xYz", true, true},    // left by a killed run
      {"Tarvelino.rs.Q9ZZ01", true, true},    // upper case and digits
      {"Tarvelino.rs.aB3xYq", false, false},  // a write under way now
      {"Tarvelino.rs.backup", true, false},   // a word the user chose
      {"Tarvelino.rs.202612", true, false},   // a date
      {"Tarvelino.rs.aB3xY", true, false},    // five characters
      {"Tarvelino.rs.aB3xYzz", true, false},  // seven
      {"Tarvelino.rs.aB3-Yz", true, false},   // not mkstemp's alphabet
      {"Tarvelino.ini.aB3xYz", true, false},  // another writer's
      {"XTarvelino.rs.aB3xYz", true, false},  // another file's
      {"Tarvelino.rs.bak", true, false},      // a kept copy
  };
  for (const Row& r : rows) {
    write(r.name, "x");
    if (r.old) fs::last_write_time(path(r.name), old);
  }
  fs::create_directories(path("Tarvelino.rs.Dir123"));
  fs::last_write_time(path("Tarvelino.rs.Dir123"), old);
  fs::create_symlink(path("Tarvelino.ini.aB3xYz"), path("Tarvelino.rs.Lnk123"));

  EXPECT_EQ(
      removeStaleTemporaries(file, fs::file_time_type::clock::now() - std::chrono::minutes(1)), 2);
  for (const Row& r : rows) EXPECT_EQ(fs::exists(path(r.name)), !r.removed) << r.name;
  EXPECT_TRUE(fs::is_directory(path("Tarvelino.rs.Dir123")));
  EXPECT_TRUE(fs::is_symlink(path("Tarvelino.rs.Lnk123")));
}

// The cleaning runs by itself before this process's first write of a file.
TEST_F(AtomicFileTest, FirstWriteOfAFileCleansItsStaleTemporaries) {
  const std::string file = path("Tarvelino.mpl");
  write("Tarvelino.mpl.Kx81aQ", "half a playlist");
  fs::last_write_time(path("Tarvelino.mpl.Kx81aQ"),
                      fs::file_time_type::clock::now() - std::chrono::hours(2));
  ASSERT_TRUE(writeFileAtomically(file, "whole"));
  EXPECT_FALSE(fs::exists(path("Tarvelino.mpl.Kx81aQ")));
  std::string bytes;
  EXPECT_EQ(readRegularFile(file, 100, bytes), ReadStatus::Read);
  EXPECT_EQ(bytes, "whole");
  std::size_t entries = 0;
  for ([[maybe_unused]] const auto& e : fs::directory_iterator(root_)) ++entries;
  EXPECT_EQ(entries, 1u);
}

}  // namespace
}  // namespace settings
