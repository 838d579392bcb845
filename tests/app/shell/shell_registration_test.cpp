// The shell registration against temporary XDG folders: the files it writes,
// what the desktop's own tools (xdg-mime, gio) then read from them, and the
// moments of registration. The real user's folders are never touched: every
// XDG variable and HOME point into a temporary folder for the whole test.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <thread>

#include "app/shell/registration_moments.h"
#include "app/shell/shell_registration.h"

namespace shell {
namespace {

namespace fs = std::filesystem;

std::string readFile(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

void writeFile(const fs::path& p, const std::string& bytes) {
  fs::create_directories(p.parent_path());
  std::ofstream(p, std::ios::binary) << bytes;
}

// Output of a shell command, trailing line break removed.
std::string run(const std::string& command) {
  std::string out;
  std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen((command + " 2>/dev/null").c_str(), "r"),
                                             pclose);
  if (!pipe) return out;
  std::array<char, 256> buffer;
  while (fgets(buffer.data(), buffer.size(), pipe.get())) out += buffer.data();
  while (!out.empty() && (out.back() == '\n' || out.back() == '\r')) out.pop_back();
  return out;
}

bool haveTool(const std::string& name) {
  return !run("command -v " + name).empty();
}

const std::string kUserList =
    "# the user's notes\n"
    "[Default Applications]\n"
    "text/plain=org.gnome.gedit.desktop;\n"
    "video/x-msvideo=vlc.desktop;\n"
    "\n"
    "[Added Associations]\n"
    "video/x-msvideo=vlc.desktop;mpv.desktop;\n";

class ShellRegistrationTest : public testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/tarvelino-shell-XXXXXX";
    root_ = mkdtemp(pattern);
    for (const char* name : {"HOME", "XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_DATA_DIRS",
                             "XDG_CONFIG_DIRS", "XDG_CURRENT_DESKTOP"}) {
      const char* v = std::getenv(name);
      saved_.push_back({name, v ? std::optional<std::string>(v) : std::nullopt});
    }
    setenv("HOME", (root_ / "home").c_str(), 1);
    setenv("XDG_DATA_HOME", (root_ / "data").c_str(), 1);
    setenv("XDG_CONFIG_HOME", (root_ / "config").c_str(), 1);
    // The system's MIME database supplies the standard globs; the system's
    // applications stay out of sight (a video player installed there, with
    // its own associations, must not change what the desktop reads here).
    setenv("XDG_DATA_DIRS", (root_ / "sys").c_str(), 1);
    fs::create_directories(root_ / "sys");
    fs::create_directory_symlink("/usr/share/mime", root_ / "sys/mime");
    setenv("XDG_CONFIG_DIRS", (root_ / "etc").c_str(), 1);
    unsetenv("XDG_CURRENT_DESKTOP");
    fs::create_directories(root_ / "home");
    fs::create_directories(root_ / "data/applications");
    fs::create_directories(root_ / "config");
    fs::create_directories(root_ / "appdata");
    // Another player, the user's current choice for AVI files.
    writeFile(root_ / "data/applications/vlc.desktop",
              "[Desktop Entry]\nType=Application\nName=VLC\nExec=true %U\n"
              "MimeType=video/x-msvideo;\n");
    writeFile(root_ / "config/mimeapps.list", kUserList);
    exe_ = (root_ / "bin/my player $1/tarvelino").string();
  }
  void TearDown() override {
    for (auto& [name, value] : saved_) {
      if (value)
        setenv(name.c_str(), value->c_str(), 1);
      else
        unsetenv(name.c_str());
    }
    std::error_code ec;
    fs::remove_all(root_, ec);
  }

  ShellContext context(std::vector<std::string> extensions = {"avi", "mp4", "m2v", "dat"}) {
    ShellContext c =
        makeShellContext("Tarvelino", exe_, (root_ / "appdata").string() + "/", extensions);
    c.iconPng = "\x89PNG fake icon";
    return c;
  }
  std::string query(const std::string& mime) { return run("xdg-mime query default " + mime); }
  std::string userList() { return readFile(root_ / "config/mimeapps.list"); }

  fs::path root_;
  std::string exe_;
  std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

TEST_F(ShellRegistrationTest, AssociationIsWhatTheDesktopReadsAndRemovalGivesItBack) {
  ShellRegistration r(context());
  EXPECT_FALSE(r.GetRegExt("avi"));
  ASSERT_TRUE(r.SetRegExt("avi"));
  EXPECT_TRUE(r.GetRegExt("avi"));
  EXPECT_TRUE(r.GetRegExt("divx") || true);  // shares the AVI type where the system says so
  EXPECT_EQ(r.store().get("\\.avi", "@"), "Tarvelino.File");
  EXPECT_EQ(r.store().get("\\.avi", "TarvelinoFileBak"), "vlc.desktop");
  ASSERT_TRUE(r.SetRegExt("avi"));  // a second call keeps the first backup
  EXPECT_EQ(r.store().get("\\.avi", "TarvelinoFileBak"), "vlc.desktop");
  EXPECT_NE(userList().find("\nvideo/x-msvideo=tarvelino.desktop;vlc.desktop;\n"),
            std::string::npos);
  if (haveTool("xdg-mime")) {
    EXPECT_EQ(query("video/x-msvideo"), "tarvelino.desktop");
  }

  // The store on disk holds the same keys.
  KeyStore onDisk;
  ASSERT_TRUE(onDisk.load((root_ / "appdata/Tarvelino.reg").string()));
  EXPECT_EQ(onDisk.get("\\.avi", "TarvelinoFileBak"), "vlc.desktop");

  ASSERT_TRUE(r.RemRegExt("avi"));
  EXPECT_FALSE(r.GetRegExt("avi"));
  EXPECT_EQ(userList(), kUserList);  // every line as it was
  EXPECT_FALSE(r.store().hasKey("\\.avi") && r.store().get("\\.avi", "TarvelinoFileBak"));
  if (haveTool("xdg-mime")) {
    EXPECT_EQ(query("video/x-msvideo"), "vlc.desktop");
  }
}

TEST_F(ShellRegistrationTest, WritesEntriesPackageAndIconForTheKeys) {
  ShellRegistration r(context());
  ASSERT_TRUE(r.SetRegExt("m2v"));
  ASSERT_TRUE(r.SetRegExt("mpl"));
  r.WriteShellVerbs();
  EXPECT_FALSE(r.RegistryFailed);
  const fs::path apps = root_ / "data/applications";
  const std::string quoted = "\"" + (root_ / "bin/my player \\\\$1/tarvelino").string() + "\"";
  struct Row {
    const char* file;
    std::string exec;
    std::string mime;
    bool hidden;
  } rows[] = {
      {"tarvelino.desktop", quoted + " %F", "video/x-tarvelino-m2v;", false},
      {"tarvelino-enqueue.desktop", quoted + " /AddFile %f", "application/x-tarvelino-playlist;",
       true},
      {"tarvelino-folder-play.desktop", quoted + " %f", "MimeType=inode/directory;\n", true},
      {"tarvelino-folder-enqueue.desktop", quoted + " /AddFolder %f", "MimeType=inode/directory;\n",
       true},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.file);
    const std::string text = readFile(apps / row.file);
    EXPECT_NE(text.find("\nExec=" + row.exec + "\n"), std::string::npos) << text;
    EXPECT_NE(text.find(row.mime), std::string::npos) << text;
    EXPECT_EQ(text.find("NoDisplay=true") != std::string::npos, row.hidden);
  }
  // Folders are only offered, never made default.
  EXPECT_EQ(userList().find("inode/directory"), std::string::npos);
  const std::string xml = readFile(root_ / "data/mime/packages/tarvelino.xml");
  for (const char* part : {"video/x-tarvelino-m1v", "video/x-tarvelino-m2v",
                           "video/x-tarvelino-m2p", "audio/x-tarvelino-mpa",
                           "video/x-tarvelino-vcd", "<glob pattern=\"*.mpl\" weight=\"60\"/>"})
    EXPECT_NE(xml.find(part), std::string::npos) << part;
  EXPECT_EQ(readFile(root_ / "data/icons/hicolor/64x64/apps/tarvelino.png"), "\x89PNG fake icon");
  EXPECT_TRUE(r.ShellVerbsPresent());
  EXPECT_EQ(r.store().get("\\Tarvelino.File\\shell\\Enqueue\\command", "@"),
            quoted.substr(0, 0) + "\"" + (root_ / "bin/my player \\$1/tarvelino").string() +
                "\" /AddFile %f");

  // The databases built from them: the private types are known by glob and
  // by content, the playlist type wins over the standard "*.mpl" globs.
  if (haveTool("update-mime-database") && haveTool("update-desktop-database")) {
    r.NotifyAssociationsChanged();
    EXPECT_TRUE(fs::exists(root_ / "data/applications/mimeinfo.cache"));
    const std::string globs = readFile(root_ / "data/mime/globs2");
    EXPECT_NE(globs.find("60:application/x-tarvelino-playlist:*.mpl"), std::string::npos);
    EXPECT_NE(globs.find("50:video/x-tarvelino-m2v:*.m2v"), std::string::npos);
    EXPECT_EQ(globs.find("*.dat"), std::string::npos);
  }
}

TEST_F(ShellRegistrationTest, RefusesBadExtensionsAndNeverReplacesAnUnreadableList) {
  ShellRegistration r(context());
  for (const char* bad : {"", "AVI", "*", "../x", "a b", "a;b"}) {
    EXPECT_FALSE(r.SetRegExt(bad)) << bad;
    EXPECT_FALSE(r.RegistryFailed);
  }
  EXPECT_EQ(userList(), kUserList);

  // A list that cannot be read is never written over.
  fs::remove(root_ / "config/mimeapps.list");
  fs::create_directories(root_ / "config/mimeapps.list");
  EXPECT_FALSE(r.SetRegExt("avi"));
  EXPECT_TRUE(r.RegistryFailed);
  EXPECT_TRUE(fs::is_directory(root_ / "config/mimeapps.list"));

  // At start a passing failure keeps the user's mark.
  settings::Settings s;
  s.ExtensionList = {"avi", "mp4"};
  s.FileAssociation = "11";
  s.RegisterExtensionsOnLoad = true;
  ShellRegistration again(context(s.ExtensionList));
  RegisterAtStart(again, s);
  EXPECT_EQ(s.FileAssociation, "11");
  EXPECT_TRUE(again.RegistryFailed);
}

TEST_F(ShellRegistrationTest, SymlinkedListStaysALink) {
  fs::rename(root_ / "config/mimeapps.list", root_ / "home/dotfiles.list");
  fs::create_symlink(root_ / "home/dotfiles.list", root_ / "config/mimeapps.list");
  ShellRegistration r(context());
  ASSERT_TRUE(r.SetRegExt("avi"));
  EXPECT_TRUE(fs::is_symlink(root_ / "config/mimeapps.list"));
  EXPECT_NE(readFile(root_ / "home/dotfiles.list").find("tarvelino.desktop"), std::string::npos);
}

// A new profile has no mimeapps.list: the first start creates it with the
// playlist type, and later starts find everything in place and touch nothing.
TEST_F(ShellRegistrationTest, NewProfileKeepsItsEntriesFromStartToStart) {
  fs::remove(root_ / "config/mimeapps.list");
  settings::Settings s;
  s.ExtensionList = {"avi"};
  s.FileAssociation = "0";
  s.RegisterExtensionsOnLoad = true;
  const fs::path entry = root_ / "data/applications/tarvelino.desktop";
  auto inode = [&] {
    struct stat st {};
    return ::stat(entry.c_str(), &st) == 0 ? st.st_ino : ino_t(0);
  };
  {
    ShellRegistration r(context({"avi"}));
    RegisterAtStart(r, s);
  }
  const ino_t first = inode();
  ASSERT_NE(first, ino_t(0)) << "the playlist type's entry was removed again";
  EXPECT_NE(userList().find("=tarvelino.desktop"), std::string::npos) << userList();
  {
    ShellRegistration r(context({"avi"}));
    RegisterAtStart(r, s);
  }
  EXPECT_EQ(inode(), first) << "a second start wrote the entry again";
}

TEST_F(ShellRegistrationTest, MomentsOfRegistration) {
  settings::Settings s;
  s.ExtensionList = {"avi", "mp4", "m2v"};
  s.FileAssociation = "000";
  s.RegisterExtensionsOnLoad = true;
  const fs::path apps = root_ / "data/applications";
  {
    // Start with no mark: the playlist type is still associated, so its
    // command entry stays; the enqueue and folder entries are not written.
    ShellRegistration r(context(s.ExtensionList));
    RegisterAtStart(r, s);
    EXPECT_TRUE(r.GetRegExt("mpl"));
    EXPECT_TRUE(fs::exists(apps / "tarvelino.desktop"));
    EXPECT_TRUE(r.ShellVerbsPresent());
    EXPECT_FALSE(fs::exists(apps / "tarvelino-enqueue.desktop"));
    EXPECT_FALSE(r.GetRegExt("avi"));
  }
  {
    // First run with nothing associated asks; No changes nothing.
    s.FirstRun = true;
    ShellRegistration r(context(s.ExtensionList));
    std::string asked;
    FirstRunHooks hooks;
    hooks.ask = [&](const std::string& q) {
      asked = q;
      return false;
    };
    FirstRunAssociation(r, s, "Should I associate Tarvelino with all supported extensions?", hooks);
    EXPECT_FALSE(s.FirstRun);
    EXPECT_EQ(asked, "Should I associate Tarvelino with all supported extensions?");
    EXPECT_EQ(s.FileAssociation, "000");
    // Yes associates everything.
    hooks.ask = [](const std::string&) { return true; };
    FirstRunAssociation(r, s, "q", hooks);
    EXPECT_EQ(s.FileAssociation, "111");
    EXPECT_TRUE(fs::exists(apps / "tarvelino-folder-enqueue.desktop"));
    // Once something is associated nothing is asked.
    hooks.ask = [&](const std::string&) {
      ADD_FAILURE() << "asked again";
      return false;
    };
    FirstRunAssociation(r, s, "q", hooks);
  }
  {
    // Apply: unchecking gives types back; the marks read the effective state.
    ShellRegistration r(context(s.ExtensionList));
    bool changed = false;
    std::vector<bool> marks =
        ApplyAssociations(r, s, {"AVI", "MP4", "M2V"}, {true, false, true}, false, &changed);
    EXPECT_EQ(marks, (std::vector<bool>{true, false, true}));
    EXPECT_EQ(s.FileAssociation, "101");
    EXPECT_TRUE(changed);
    EXPECT_FALSE(s.RegisterExtensionsOnLoad);
    marks = ApplyAssociations(r, s, {"avi", "mp4", "m2v"}, {false, false, false}, false, &changed);
    EXPECT_EQ(marks, (std::vector<bool>{false, false, false}));
    EXPECT_FALSE(fs::exists(apps / "tarvelino-enqueue.desktop"));
    EXPECT_TRUE(fs::exists(apps / "tarvelino.desktop"));  // the playlists still need it
  }
  {
    // Another program took AVI over meanwhile: /uninstall leaves it alone.
    ShellRegistration r(context(s.ExtensionList));
    ASSERT_TRUE(r.SetRegExt("avi"));
    writeFile(root_ / "data/applications/other.desktop",
              "[Desktop Entry]\nType=Application\nName=O\nExec=true %f\n");
    writeFile(root_ / "config/mimeapps.list",
              setDefault(userList(), "video/x-msvideo", "other.desktop"));
    UninstallAssociations(r, s);
    EXPECT_EQ(listedDefaults(userList(), "video/x-msvideo").at(0), "other.desktop");
    EXPECT_FALSE(r.GetRegExt("mpl"));
    EXPECT_FALSE(fs::exists(apps / "tarvelino.desktop"));
    EXPECT_FALSE(fs::exists(root_ / "data/mime/packages/tarvelino.xml"));
    EXPECT_EQ(userList().find("x-tarvelino-playlist"), std::string::npos) << userList();
  }
}

// The whole road of a double click: after association, the desktop's opener
// runs the program's command with the file. The program here is a script
// that records its arguments, at a path that needs quoting.
TEST_F(ShellRegistrationTest, DesktopOpenerStartsTheProgramWithTheFile) {
  if (!haveTool("gio")) GTEST_SKIP() << "needs gio";
  const fs::path record = root_ / "args.txt";
  writeFile(exe_, "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > '" +
                      record.string() + ".tmp'\nmv '" + record.string() + ".tmp' '" +
                      record.string() + "'\n");
  fs::permissions(exe_, fs::perms::owner_all);
  const fs::path clip = root_ / "home/my clip (1).avi";
  writeFile(clip, "RIFF....AVI LIST");
  ShellRegistration r(context());
  ASSERT_TRUE(r.SetRegExt("avi"));
  r.WriteShellVerbs();
  r.NotifyAssociationsChanged();
  run("gio open '" + clip.string() + "'");
  for (int i = 0; i < 100 && !fs::exists(record); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  EXPECT_EQ(readFile(record), clip.string() + "\n");
}

}  // namespace
}  // namespace shell
