// Kills a process that keeps writing the player's four files (configuration,
// automatic playlist, remembered settings, equalizer presets) with SIGKILL at
// random moments, and checks after every kill that each file is whole: the
// old version or the new one, byte for byte, never a mix or a cut.
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <thread>

#include "tests/crash_safety/crash_files.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;

std::string readAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

// Starts crash_writer with args; its standard output comes back on *readEnd.
pid_t startWriter(const std::vector<std::string>& args, int* readEnd) {
  int fds[2] = {-1, -1};
  if (readEnd && pipe(fds) != 0) return -1;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  if (readEnd) {
    posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, fds[0]);
  }
  std::vector<std::string> all = {CRASH_WRITER};
  all.insert(all.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& a : all) argv.push_back(a.data());
  argv.push_back(nullptr);
  pid_t pid = -1;
  const int rc = posix_spawn(&pid, CRASH_WRITER, &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (readEnd) {
    close(fds[1]);
    *readEnd = fds[0];
  }
  return rc == 0 ? pid : -1;
}

int runWriter(const std::vector<std::string>& args) {
  const pid_t pid = startWriter(args, nullptr);
  int status = 0;
  if (pid < 0 || waitpid(pid, &status, 0) != pid) return -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(CrashSafety, EveryFileIsTheOldOrTheNewVersionAfterAKill) {
  const fs::path root =
      fs::path(testing::TempDir()) / ("tarvelino-crash-" + std::to_string(getpid()));
  fs::remove_all(root);
  const std::string refs[2] = {(root / "v0/").string(), (root / "v1/").string()};
  const std::string live = (root / "live/").string();
  for (const std::string& folder : {refs[0], refs[1], live}) fs::create_directories(folder);
  ASSERT_EQ(runWriter({"once", refs[0], "0"}), 0);
  ASSERT_EQ(runWriter({"once", refs[1], "1"}), 0);
  ASSERT_EQ(runWriter({"once", live, "0"}), 0);

  constexpr std::size_t kFileCount = std::size(crash::kFiles);
  std::string versions[kFileCount][2];
  for (std::size_t f = 0; f < kFileCount; ++f) {
    for (int v = 0; v < 2; ++v) versions[f][v] = readAll(fs::path(refs[v]) / crash::kFiles[f]);
    ASSERT_FALSE(versions[f][0].empty()) << crash::kFiles[f];
    // A cut of the longer version or the shorter one must not pass as whole.
    ASSERT_LT(versions[f][0].size(), versions[f][1].size()) << crash::kFiles[f];
  }

  // Kills are spread over about two rounds of writing all four files; how
  // long a round takes depends on the disk, so it is measured (start-up
  // included, which only widens the spread).
  auto slowest = std::chrono::steady_clock::duration::zero();
  for (int i = 0; i < 3; ++i) {
    const auto start = std::chrono::steady_clock::now();
    ASSERT_EQ(runWriter({"once", refs[1], "1"}), 0);
    slowest = std::max(slowest, std::chrono::steady_clock::now() - start);
  }
  const long long roundUs = std::chrono::duration_cast<std::chrono::microseconds>(slowest).count();
  const unsigned seed = std::random_device{}();
  std::mt19937 random(seed);
  std::uniform_int_distribution<long long> delayUs(0, std::clamp(2 * roundUs, 2000LL, 50000LL));
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  int kills = 0;
  int killsMidWrite = 0;  // kills that left a temporary file behind
  int seen[kFileCount][2] = {};
  while (kills < 600 && std::chrono::steady_clock::now() < deadline) {
    int readEnd = -1;
    const pid_t pid = startWriter({"loop", live}, &readEnd);
    ASSERT_GT(pid, 0);
    char ready = 0;
    const bool started = read(readEnd, &ready, 1) == 1;
    close(readEnd);
    if (started) std::this_thread::sleep_for(std::chrono::microseconds(delayUs(random)));
    kill(pid, SIGKILL);
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    ASSERT_TRUE(started) << "the writer ended before writing";
    ASSERT_TRUE(WIFSIGNALED(status))
        << "the writer failed to write (exit " << WEXITSTATUS(status) << ")";
    ++kills;
    for (std::size_t f = 0; f < kFileCount; ++f) {
      const std::string now = readAll(fs::path(live) / crash::kFiles[f]);
      const int v = now == versions[f][0] ? 0 : now == versions[f][1] ? 1 : -1;
      ASSERT_NE(v, -1) << crash::kFiles[f] << " is neither version after kill " << kills << " ("
                       << now.size() << " bytes; seed " << seed << ")";
      ++seen[f][v];
    }
    bool leftover = false;
    std::set<std::string> names(std::begin(crash::kFiles), std::end(crash::kFiles));
    for (const fs::directory_entry& e : fs::directory_iterator(live)) {
      if (names.count(e.path().filename().string())) continue;
      leftover = true;
      fs::remove(e.path());
    }
    killsMidWrite += leftover;
  }
  std::printf("%d kills (%d in the middle of a write), a round of writes %lld us, seed %u\n", kills,
              killsMidWrite, roundUs, seed);
  RecordProperty("kills", kills);
  RecordProperty("kills_mid_write", killsMidWrite);
  EXPECT_GE(kills, 100);
  // The kills must really land inside writes, and both versions must come out.
  EXPECT_GT(killsMidWrite, 0);
  for (std::size_t f = 0; f < kFileCount; ++f)
    EXPECT_TRUE(seen[f][0] > 0 && seen[f][1] > 0) << crash::kFiles[f];
  fs::remove_all(root);
}

}  // namespace
