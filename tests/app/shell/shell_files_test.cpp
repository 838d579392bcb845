// The pure parts of the shell registration: the key store, desktop entries,
// mimeapps.list editing and the extension-to-type rules.
#include <gtest/gtest.h>

#include "app/shell/desktop_entry.h"
#include "app/shell/file_types.h"
#include "app/shell/key_store.h"
#include "app/shell/mimeapps.h"

namespace shell {
namespace {

TEST(KeyStoreTest, KeepsKeysValuesAndSubtrees) {
  KeyStore s;
  EXPECT_TRUE(s.set("\\.avi", "@", "Tarvelino.File"));
  EXPECT_TRUE(s.set("\\.avi", "TarvelinoFileBak", "odd\\value\r\nwith=breaks"));
  EXPECT_TRUE(s.set("\\Tarvelino.File\\shell\\Play\\command", "@", "\"/a b\" %F"));
  EXPECT_TRUE(s.set("\\Tarvelino.Files", "@", "x"));
  EXPECT_FALSE(s.set("\\.a\nb", "@", "x"));
  EXPECT_FALSE(s.set("\\.avi", "a=b", "x"));
  EXPECT_FALSE(s.set("\\.avi", "", "x"));
  KeyStore back = KeyStore::parse(s.text());
  EXPECT_EQ(back.text(), s.text());
  EXPECT_EQ(back.get("\\.avi", "TarvelinoFileBak"), "odd\\value\r\nwith=breaks");
  back.eraseKey("\\Tarvelino.File");
  EXPECT_FALSE(back.hasKey("\\Tarvelino.File\\shell\\Play\\command"));
  EXPECT_TRUE(back.hasKey("\\Tarvelino.Files"));  // a sibling, not a child
}

TEST(KeyStoreTest, ArbitraryBytesParse) {
  const std::string inputs[] = {"",
                                "=",
                                "[",
                                "[]",
                                "[k]\r\n=v\r\nn=",
                                std::string("\0\xff[\n]=\\", 8),
                                "no key\nname=value\n[k]\nname=a\\",
                                "[k\n]x=y"};
  for (const std::string& in : inputs) {
    KeyStore s = KeyStore::parse(in);
    EXPECT_EQ(KeyStore::parse(s.text()).text(), s.text());
  }
}

TEST(DesktopEntryTest, ExecArgumentsAreQuotedAndEscaped) {
  struct Row {
    std::string argument, quoted, stored;
  } rows[] = {
      {"/usr/bin/tarvelino", "\"/usr/bin/tarvelino\"", "\"/usr/bin/tarvelino\""},
      {"/opt/my player/tarvelino", "\"/opt/my player/tarvelino\"", "\"/opt/my player/tarvelino\""},
      {"/a\"b", "\"/a\\\"b\"", "\"/a\\\\\"b\""},
      {"/$HOME/`x`", "\"/\\$HOME/\\`x\\`\"", "\"/\\\\$HOME/\\\\`x\\\\`\""},
      {"/back\\slash", "\"/back\\\\slash\"", "\"/back\\\\\\\\slash\""},
      {"/100%/p", "\"/100%%/p\"", "\"/100%%/p\""},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.argument);
    EXPECT_EQ(quoteExecArgument(r.argument), r.quoted);
    EXPECT_EQ(escapeDesktopValue(r.quoted), r.stored);
    EXPECT_EQ(unescapeDesktopValue(r.stored), r.quoted);
  }
  EXPECT_EQ(escapeDesktopValue(" a\tb\nc"), "\\sa\\tb\\nc");
}

TEST(DesktopEntryTest, WritesAndReadsBackEntries) {
  DesktopEntry e;
  e.name = "Tarvelino";
  e.exec = quoteExecArgument("/x y/tarvelino") + " %F";
  e.icon = "tarvelino";
  e.mimeTypes = {"video/x-msvideo", "video/mp4"};
  const std::string text = desktopEntryText(e);
  EXPECT_EQ(text,
            "[Desktop Entry]\nType=Application\nName=Tarvelino\nExec=\"/x y/tarvelino\" %F\n"
            "Icon=tarvelino\nTerminal=false\nMimeType=video/x-msvideo;video/mp4;\n");
  EXPECT_EQ(desktopEntryValue(text, "Exec"), "\"/x y/tarvelino\" %F");
  EXPECT_EQ(desktopEntryValue("[Other]\nExec=a\n", "Exec"), std::nullopt);
  EXPECT_EQ(desktopEntryValue(std::string("\0\n", 2) + "[Desktop Entry]\n Exec = b \\\n", "Exec"),
            "b \\");
}

// Other programs' groups, comments, odd spacing and CR LF line ends, which
// every edit must leave as they are.
const std::string kOthers =
    "# my own notes\r\n"
    "[Added Associations]\r\n"
    "video/x-msvideo=vlc.desktop;mpv.desktop;\r\n"
    "\r\n"
    "[Default Applications]\r\n"
    "text/plain=org.gnome.gedit.desktop;\r\n"
    "  video/x-msvideo = vlc.desktop;mpv.desktop;\r\n"
    "# keep this comment\r\n"
    "\r\n"
    "[Removed Associations]\r\n"
    "video/mp4=totem.desktop;\r\n";

TEST(MimeappsTest, EditsKeepOtherLinesByteForByte) {
  struct Row {
    const char* name;
    std::string before, mime, afterSet;
  } rows[] = {
      {"entry exists", kOthers, "video/x-msvideo", ""},
      {"entry missing", kOthers, "video/mp4", ""},
      {"group missing, no final line end", "[Added Associations]\nx/y=a.desktop;", "video/mp4",
       "[Added Associations]\nx/y=a.desktop;\n[Default Applications]\n"
       "video/mp4=tarvelino.desktop;\n"},
      {"empty file", "", "video/mp4", "[Default Applications]\nvideo/mp4=tarvelino.desktop;\n"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    const std::string set = setDefault(r.before, r.mime, "tarvelino.desktop");
    if (!r.afterSet.empty()) {
      EXPECT_EQ(set, r.afterSet);
    }
    EXPECT_EQ(listedDefaults(set, r.mime).at(0), "tarvelino.desktop");
    EXPECT_EQ(setDefault(set, r.mime, "tarvelino.desktop"), set);  // twice is once
    const std::string removed = removeDefault(set, r.mime, "tarvelino.desktop", "");
    if (r.before.find("[Default") != std::string::npos) {
      EXPECT_EQ(removed, r.before);
    }
    EXPECT_TRUE(listedDefaults(removed, r.mime) == listedDefaults(r.before, r.mime));
  }
  const std::string set = setDefault(kOthers, "video/x-msvideo", "tarvelino.desktop");
  EXPECT_EQ(listedDefaults(set, "video/x-msvideo"),
            (std::vector<std::string>{"tarvelino.desktop", "vlc.desktop", "mpv.desktop"}));
  EXPECT_NE(set.find("\r\n  video/x-msvideo = tarvelino.desktop;vlc.desktop;mpv.desktop;\r\n"),
            std::string::npos);
  // Another program's default is never removed; a restore comes first.
  EXPECT_EQ(removeDefault(kOthers, "video/x-msvideo", "tarvelino.desktop", ""), kOthers);
  const std::string only = "[Default Applications]\nvideo/mp4=tarvelino.desktop;\n";
  EXPECT_EQ(removeDefault(only, "video/mp4", "tarvelino.desktop", "totem.desktop"),
            "[Default Applications]\nvideo/mp4=totem.desktop;\n");
}

TEST(FileTypesTest, ExtensionsMapToTypes) {
  struct Row {
    const char* extension;
    const char* standard;
    std::string mime;
    bool privateType;
    std::string glob;
    int weight;
  } rows[] = {
      {"avi", "video/x-msvideo", "video/x-msvideo", false, "", 50},
      {"mpl", "text/x-mpl2", "application/x-tarvelino-playlist", true, "*.mpl", 60},
      {"dat", "", "video/x-tarvelino-vcd", true, "", 50},
      {"m1v", "video/mpeg", "video/x-tarvelino-m1v", true, "*.m1v", 50},
      {"m2p", "", "video/x-tarvelino-m2p", true, "*.m2p", 50},
      {"mpa", "audio/mpeg", "audio/x-tarvelino-mpa", true, "*.mpa", 50},
      {"ogm", "", "video/x-tarvelino-ogm", true, "*.ogm", 50},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.extension);
    FileType t = fileTypeFor(r.extension, "Tarvelino", r.standard);
    EXPECT_EQ(t.mime, r.mime);
    EXPECT_EQ(t.privateType, r.privateType);
    EXPECT_EQ(t.glob, r.glob);
    EXPECT_EQ(t.weight, r.weight);
  }
  const std::string xml =
      mimePackageXml({fileTypeFor("avi", "Tarvelino", "video/x-msvideo"),
                      fileTypeFor("mpl", "Tarvelino", ""), fileTypeFor("dat", "Tarvelino", "")});
  EXPECT_EQ(xml.find("x-msvideo"), std::string::npos);  // standard types are not redefined
  EXPECT_NE(xml.find("<glob pattern=\"*.mpl\" weight=\"60\"/>"), std::string::npos);
  EXPECT_EQ(xml.find("*.dat"), std::string::npos);  // found by content only
  EXPECT_NE(xml.find("value=\"CDXA\""), std::string::npos);
}

TEST(FileTypesTest, OnlyPlainExtensionsAreAccepted) {
  for (const char* ok : {"avi", "mp4", "c++", "a_b", "x-y", "3gp"}) EXPECT_TRUE(validExtension(ok));
  for (const char* bad :
       {"", "AVI", "*", "a*", "a/b", "../x", "a b", "a.b", "a;b", "é", "abcdefghijklmnopq"})
    EXPECT_FALSE(validExtension(bad)) << bad;
}

}  // namespace
}  // namespace shell
