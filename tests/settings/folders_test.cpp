#include "settings/folders.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace settings {
namespace {

namespace fs = std::filesystem;

class FoldersTest : public testing::Test {
 protected:
  FoldersTest() {
    root_ = fs::temp_directory_path() / ("tarvelino-folders-" + std::to_string(getpid()));
    fs::create_directories(root_ / "bin");
    const char* old = std::getenv("XDG_CONFIG_HOME");
    if (old) oldXdg_ = old;
    setenv("XDG_CONFIG_HOME", (root_ / "config").c_str(), 1);
  }
  ~FoldersTest() override {
    if (oldXdg_.empty())
      unsetenv("XDG_CONFIG_HOME");
    else
      setenv("XDG_CONFIG_HOME", oldXdg_.c_str(), 1);
    fs::remove_all(root_);
  }
  void write(const fs::path& p, const std::string& text) { std::ofstream(p) << text; }
  std::string read(const fs::path& p) {
    std::ifstream in(p);
    return std::string((std::istreambuf_iterator<char>(in)), {});
  }
  fs::path root_;
  std::string oldXdg_;
};

TEST_F(FoldersTest, ProgramNames) {
  struct Row {
    const char* file;
    const char* name;
  } rows[] = {{"tarvelino", "Tarvelino"},     {"TARVELINO", "Tarvelino"},
              {"Tarvelino.exe", "Tarvelino"}, {"TarVelino", "TarVelino"},
              {"player.bin", "player"},       {".hidden", ".hidden"}};
  for (const Row& row : rows) EXPECT_EQ(programNameFromExecutable(row.file), row.name);
}

TEST_F(FoldersTest, DataFolderUnderXdgConfigHome) {
  Folders f = determineFolders((root_ / "bin" / "tarvelino").string());
  EXPECT_EQ(f.ProgramFolder, (root_ / "bin").string() + "/");
  EXPECT_EQ(f.ProgramName, "Tarvelino");
  EXPECT_EQ(f.DataFolder, (root_ / "config" / "Tarvelino").string() + "/");
  EXPECT_EQ(f.ConfigurationFile, f.DataFolder + "Tarvelino.ini");
  EXPECT_TRUE(fs::is_directory(f.DataFolder));
}

TEST_F(FoldersTest, UnusableDataFolderFallsBackToProgramFolder) {
  write(root_ / "config", "a file where a folder should be");
  Folders f = determineFolders((root_ / "bin" / "tarvelino").string());
  EXPECT_EQ(f.DataFolder, f.ProgramFolder);
  EXPECT_EQ(f.ConfigurationFile, f.ProgramFolder + "Tarvelino.ini");
}

TEST_F(FoldersTest, MigrationMovesOnlyMissingFiles) {
  Folders f = determineFolders((root_ / "bin" / "tarvelino").string());
  write(f.ProgramFolder + "Tarvelino.ini", "old ini");
  write(f.ProgramFolder + "Presets.EQ", "old presets");
  write(f.ProgramFolder + "Tarvelino.rs", "old rs");
  write(f.DataFolder + "Tarvelino.rs", "new rs");
  migrateOldFiles(f);
  EXPECT_EQ(read(f.DataFolder + "Tarvelino.ini"), "old ini");
  EXPECT_EQ(read(f.DataFolder + "Presets.EQ"), "old presets");
  EXPECT_FALSE(fs::exists(f.ProgramFolder + "Tarvelino.ini"));
  EXPECT_EQ(read(f.DataFolder + "Tarvelino.rs"), "new rs");  // never overwritten
  EXPECT_TRUE(fs::exists(f.ProgramFolder + "Tarvelino.rs"));
  EXPECT_FALSE(fs::exists(f.DataFolder + "Tarvelino.mpl"));
}

TEST_F(FoldersTest, EnterNearestFolderWalksUp) {
  fs::path old = fs::current_path();
  fs::create_directories(root_ / "Movies" / "Series");
  EnterNearestFolder((root_ / "Movies" / "Series" / "Gone" / "Deeper").string());
  EXPECT_EQ(fs::current_path(), root_ / "Movies" / "Series");
  EnterNearestFolder((root_ / "Movies").string());
  EXPECT_EQ(fs::current_path(), root_ / "Movies");  // letter case kept
  EnterNearestFolder("x");
  EXPECT_EQ(fs::current_path(), root_ / "Movies");
  fs::current_path(old);
}

}  // namespace
}  // namespace settings
