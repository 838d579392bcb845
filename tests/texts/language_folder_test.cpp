#include <sys/stat.h>

#include <gtest/gtest.h>

#include "texts/composed_texts.h"
#include "texts/language_file.h"
#include "language_test_support.h"

namespace {

using texts_test::fileLines;
using texts_test::germanFile;
using texts_test::joinLines;
using texts_test::readFile;
using texts_test::TempFolder;

class LanguageLoadTest : public testing::Test {
 protected:
  LanguageLoadTest() {
    texts::LoadBuiltInTexts(false);
    listener_ = texts::addApplyListener([this] { ++applied_; });
  }
  ~LanguageLoadTest() override {
    texts::removeApplyListener(listener_);
    texts::LoadBuiltInTexts(false);
  }
  std::string english() const { return joinLines(fileLines(texts::builtInTexts())); }

  TempFolder folder_;
  int applied_ = 0;
  int listener_ = 0;
};

TEST_F(LanguageLoadTest, GermanFileLoads) {
  const auto result = texts::LoadLanguageFile(germanFile(), false);
  ASSERT_TRUE(result.ok) << result.message;
  EXPECT_TRUE(result.message.empty());
  EXPECT_EQ(applied_, 1);
  const auto& t = texts::currentTexts();
  EXPECT_EQ(t.Titles[0],
            "\xC3\x9C"
            "ber");
  EXPECT_EQ(t.Hints[0],
            "Schlie\xC3\x9F"
            "en");
  EXPECT_EQ(t.Messages[20], "Ung\xC3\xBCltige Videodatei oder\r\nCodec nicht gefunden!");
  EXPECT_EQ(t.Options[6], "Keine \xC3\x84nderung");
  EXPECT_EQ(t.Menus[0],
            "Film(e) \xC3\xB6"
            "ffnen...\t\t");
  EXPECT_EQ(t.Menus[64], "Links");
  EXPECT_EQ(t.Misc[2], "Alle Dateien");
  EXPECT_TRUE(t.Misc[0].starts_with("Aktion\t\t\t\tTaste\r\n" + std::string(110, '-') + "\r\n"));
  for (std::size_t i = 0; i < t.Options.size(); ++i) {
    EXPECT_EQ(texts::optionItemCount(t.Options[i]),
              texts::optionItemCount(texts::builtInTexts().Options[i]))
        << i;
  }
  EXPECT_EQ(texts::menuCaption(texts::mainMenuCaptions(t), "RewindMenu"),
            "Zur\xC3\xBC"
            "ck\t\t\t\tLinks");
}

TEST_F(LanguageLoadTest, FailuresAndWhatTheyLeaveBehind) {
  ASSERT_TRUE(texts::LoadLanguageFile(germanFile(), true).ok);
  const std::string german_title = texts::currentTexts().Titles[0];
  const std::string dir = folder_.path().string();
  const std::string missing = dir + "/none.lng";
  const std::string fifo = dir + "/pipe.lng";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  auto damaged = fileLines(texts::builtInTexts());
  damaged.pop_back();
  const std::string bad = folder_.write("bad.lng", joinLines(damaged));

  struct Row {
    std::string path;
    bool silent;
    std::string message;  // expected message; the table stays German unless it says "Error"
  };
  const Row rows[] = {
      {missing, false, "Die Datei \"" + missing + "\" existiert nicht!"},
      {missing, true, ""},
      {dir, false, "Fehler beim Lesen von \"" + dir + "\"!"},
      {dir, true, ""},
      {fifo, false, "Fehler beim Lesen von \"" + fifo + "\"!"},
      // A regular file whose first read fails (address 0 is never mapped).
      {"/proc/self/mem", false, "Fehler beim Lesen von \"/proc/self/mem\"!"},
      {bad, true, "Error while loading\r\n\"bad.lng\"!"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.path);
    ASSERT_TRUE(texts::LoadLanguageFile(germanFile(), true).ok);
    applied_ = 0;
    const auto result = texts::LoadLanguageFile(row.path, row.silent);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.message, row.message);
    EXPECT_EQ(applied_, 0);
    const bool damaged_file = row.message.starts_with("Error");
    EXPECT_EQ(texts::currentTexts().Titles[0], damaged_file ? "About" : german_title);
  }
}

TEST_F(LanguageLoadTest, TruncatedGermanFilesLoadWhollyOrFallBack) {
  const std::string german = readFile(germanFile());
  ASSERT_GT(german.size(), 1000u);
  for (std::size_t cut = 0; cut < german.size(); cut += 97) {
    SCOPED_TRACE(cut);
    ASSERT_TRUE(texts::LoadLanguageFile(germanFile(), true).ok);
    const auto result =
        texts::LoadLanguageFile(folder_.write("cut.lng", german.substr(0, cut)), true);
    // Only a cut inside the last line can still hold all 266 texts.
    if (result.ok) {
      EXPECT_GT(cut, german.rfind("Aktion"));
    } else {
      EXPECT_EQ(texts::currentTexts().Misc[0], texts::builtInTexts().Misc[0]);
      EXPECT_EQ(texts::currentTexts().Titles[0], "About");
    }
  }
}

TEST_F(LanguageLoadTest, LanguageNamesStayInTheLanguageFolder) {
  const std::string program = folder_.path().string() + "/";
  folder_.write("lang/Deutsch.lng", readFile(germanFile()));
  folder_.write("lang/klingon.LNG", english());
  folder_.write("secret.lng", english());
  struct Row {
    std::string name;
    std::optional<std::string> path;
  };
  const Row rows[] = {
      {"Deutsch", program + "lang/Deutsch.lng"},
      {"deutsch", program + "lang/Deutsch.lng"},  // other capitals find the real file
      {"Klingon", program + "lang/klingon.LNG"},
      {"Nowhere", program + "lang/Nowhere.lng"},
      {"../secret", std::nullopt},
      {"..", std::nullopt},
      {"a/b", std::nullopt},
      {"a\\b", std::nullopt},
      {std::string("Deutsch\0x", 9), std::nullopt},
      {"", std::nullopt},
      {"English (built in)", std::nullopt},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(texts::languageFilePath(program, row.name), row.path);
    EXPECT_EQ(texts::languageFilePath(folder_.path().string(), row.name), row.path);
  }
  const auto refused = texts::LoadLanguage(program, "../secret", false);
  EXPECT_FALSE(refused.ok);
  EXPECT_EQ(refused.message, "File \"" + program + "lang/../secret.lng\" doesn't exist!");
  EXPECT_TRUE(texts::LoadLanguage(program, "Deutsch", false).ok);
  EXPECT_EQ(texts::currentTexts().Pages[0], "Allgemein");
  EXPECT_TRUE(texts::LoadLanguage(program, "English (built in)", false).ok);
  EXPECT_EQ(texts::currentTexts().Pages[0], "General");
  EXPECT_EQ(applied_, 2);
}

TEST_F(LanguageLoadTest, LanguageListUsesRealFileNames) {
  const std::string program = folder_.path().string();
  EXPECT_EQ(texts::listLanguages(program), std::vector<std::string>{"English (built in)"});
  for (const char* name : {"lang/deutsch.lng", "lang/Zulu.lng", "lang/alpha.LNG", "lang/.lng",
                           "lang/readme.txt", "lang/...lng", "lang/English (built in).lng"}) {
    folder_.write(name, "x");
  }
  std::filesystem::create_directories(folder_.path() / "lang/folder.lng");
  const std::vector<std::string> expected{"alpha", "deutsch", "English (built in)", "Zulu"};
  EXPECT_EQ(texts::listLanguages(program), expected);
  EXPECT_EQ(texts::shownLanguageName("deutsch"), "Deutsch");
  EXPECT_EQ(texts::shownLanguageName("\xC3\xA9ire"), "\xC3\xA9ire");
  for (const auto& name : expected) {
    if (name == "English (built in)") continue;
    const auto path = texts::languageFilePath(program, name);
    ASSERT_TRUE(path.has_value()) << name;
    EXPECT_TRUE(std::filesystem::is_regular_file(*path)) << name;
  }
}

TEST_F(LanguageLoadTest, StartupLanguageChoice) {
  const std::string program = folder_.path().string() + "/";
  folder_.write("lang/Deutsch.lng", readFile(germanFile()));
  auto broken = fileLines(texts::builtInTexts());
  broken.push_back("surplus");
  folder_.write("lang/Broken.lng", joinLines(broken));
  struct Row {
    std::string last_used, fullscreen;
    bool ok;
    std::string message, last_used_after, fullscreen_after;
  };
  const Row rows[] = {
      {"English (built in)", "No change", true, "", "English (built in)", "No change"},
      {"Deutsch", "No change", true, "", "Deutsch", "Keine \xC3\x84nderung"},
      {"Deutsch", "800x600", true, "", "Deutsch", "800x600"},
      {"Missing", "No change", false, "", "English (built in)", "No change"},
      {"Broken", "No change", false, "Error while loading\r\n\"Broken.lng\"!", "English (built in)",
       "No change"},
      {"../Deutsch", "No change", false, "", "English (built in)", "No change"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.last_used);
    texts::LoadBuiltInTexts(false);
    std::string last_used = row.last_used, fullscreen = row.fullscreen;
    const auto result = texts::loadStartupLanguage(program, last_used, fullscreen);
    EXPECT_EQ(result.ok, row.ok);
    EXPECT_EQ(result.message, row.message);
    EXPECT_EQ(last_used, row.last_used_after);
    EXPECT_EQ(fullscreen, row.fullscreen_after);
  }
}

TEST_F(LanguageLoadTest, TranslatorCredit) {
  const std::string program = folder_.path().string();
  struct Row {
    const char* content;
    const char* credit;
  };
  const Row rows[] = {
      {"// Translated by: Hans Muster\r\nrest of the file", "Translated by: Hans Muster"},
      {"// Translated by: Hans Muster\nLF line ends here", "Translated by: Hans Muster"},
      {"// Translated by: ...\r\nplaceholder credit", ""},
      {"// Translated by: Hans Muster without line end", ""},
      {"// nobody is named in here\r\n", ""},
      {"Translated by: \r\n", "Translated by: "},
      {"tiny", ""},
      {"// Translated by: J\xFCrgen M\xFCller\r\n", "Translated by: J\xC3\xBCrgen M\xC3\xBCller"},
      // A stray byte on another line leaves a UTF-8 credit as it is.
      {"// Translated by: J\xC3\xBCrgen\r\nstray \x80 byte\r\n", "Translated by: J\xC3\xBCrgen"},
      {"stray \x80 byte\r\n// Translated by: J\xC3\xBCrgen\r\n", "Translated by: J\xC3\xBCrgen"},
      {"// Translated by: 123456789012345678901234567890123456789012345\r\n",
       "Translated by: 12345678901234567890123456789012345"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.content);
    folder_.write("lang/Test.lng", row.content);
    EXPECT_EQ(texts::translatorCredit(program, "Test"), row.credit);
  }
  EXPECT_EQ(texts::translatorCredit(program, "English (built in)"), "");
  EXPECT_EQ(texts::translatorCredit(program, "Absent"), "");
  EXPECT_EQ(texts::translatorCredit(program + "/", "../lang/Test"), "");
}

}  // namespace
