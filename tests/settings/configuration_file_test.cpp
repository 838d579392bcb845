#include "settings/configuration_file.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <random>

namespace settings {
namespace {

namespace fs = std::filesystem;

std::string valueOf(const std::vector<std::string>& values, const char* key) {
  int i = keyIndex(key);
  return static_cast<size_t>(i) < values.size() ? values[i] : "<missing>";
}

TEST(ConfigurationFileTest, KeyTableHasEveryKeyOnce) {
  const auto& keys = ConfigurationKeys();
  EXPECT_STREQ(keys[0], "LastAccessedFolder");
  EXPECT_STREQ(keys[92], "DontShowWritingError");
  for (int i = 0; i < kKeyCount; ++i) EXPECT_EQ(keyIndex(keys[i]), i) << keys[i];
}

TEST(ConfigurationFileTest, ParsesLinesByTheirKey) {
  struct Row {
    const char* text;
    const char* key;
    const char* expected;
  } rows[] = {
      {"[Configuration]\r\nAutoPlayOnLoad=0\r\n", "AutoPlayOnLoad", "0"},
      {"[Configuration]\nAutoPlayOnLoad=0\n", "AutoPlayOnLoad", "0"},
      {"[Configuration]\rAutoPlayOnLoad=0\r", "AutoPlayOnLoad", "0"},
      {"\xEF\xBB\xBF[Configuration]\r\nAutoPlayOnLoad=0", "AutoPlayOnLoad", "0"},
      {"[Configuration]\r\nAutoPlayOnLoad =0\r\n", "AutoPlayOnLoad", "<missing>"},
      {"[Configuration]\r\nSubtitleFontName= Arial \r\n", "SubtitleFontName", " Arial "},
      {"[Configuration]\r\nFileTypes=a=b\r\n", "FileTypes", "a=b"},
      {"[Configuration]\r\nMute=1\r\nMute=0\r\n", "Mute", "0"},
      {"[Configuration]\r\nautoplayonload=0\r\n", "AutoPlayOnLoad", "<missing>"},
      {"[configuration]\r\nAutoPlayOnLoad=0\r\n", "AutoPlayOnLoad", "<missing>"},
      {" [Configuration]\r\nAutoPlayOnLoad=0\r\n", "AutoPlayOnLoad", "<missing>"},
      {"[Configuration]\r\n\r\n; comment\r\nUnknown=5\r\nMute=1", "Mute", "1"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.text);
    EXPECT_EQ(valueOf(parseConfigurationText(row.text), row.key), row.expected);
  }
}

TEST(ConfigurationFileTest, ForeignFileGivesNothing) {
  EXPECT_TRUE(parseConfigurationText("[CONFIGURATION]\r\nMute=1\r\n").empty());
  EXPECT_TRUE(parseConfigurationText("").empty());
  EXPECT_TRUE(ReadConfigurationFile("/nonexistent/Tarvelino.ini").empty());
}

TEST(ConfigurationFileTest, HostileContentKeepsOtherKeys) {
  std::string text = "[Configuration]\r\nMute=1\r\n";
  text += std::string("\0\0\0garbage\0", 11) + "\r\n";
  text += "AudioVolume=" + std::string(10 << 20, 'x') + "\r\n";  // a 10 MB line
  text += std::string("SubtitleFontName=A\0B", 20) + "\r\n";
  text += "RepeatStatus=2\r\n";
  auto values = parseConfigurationText(text);
  EXPECT_EQ(valueOf(values, "Mute"), "1");
  EXPECT_EQ(valueOf(values, "AudioVolume"), "");  // too long: ignored, not kept
  EXPECT_EQ(valueOf(values, "SubtitleFontName"), std::string("A\0B", 3));
  EXPECT_EQ(valueOf(values, "RepeatStatus"), "2");
}

TEST(ConfigurationFileTest, RandomAndTruncatedBytesNeverCrash) {
  std::mt19937 rng(7);
  std::string good = "[Configuration]\r\nMute=1\r\nAudioVolume=5\r\nFileTypes=avi;mkv;\r\n";
  for (int round = 0; round < 2000; ++round) {
    std::string bytes = good.substr(0, rng() % (good.size() + 1));
    int extra = rng() % 64;
    for (int i = 0; i < extra; ++i) bytes += static_cast<char>(rng());
    auto values = parseConfigurationText(bytes);
    EXPECT_LE(values.size(), static_cast<size_t>(kKeyCount));
  }
}

TEST(ConfigurationFileTest, WritesEveryKeyAndReadsItBack) {
  fs::path dir = fs::temp_directory_path() / ("tarvelino-cfg-" + std::to_string(getpid()));
  fs::create_directories(dir);
  std::string path = (dir / "Tarvelino.ini").string();
  std::vector<std::string> values(kKeyCount);
  for (int i = 0; i < kKeyCount; ++i) values[i] = "v" + std::to_string(i);
  ASSERT_TRUE(WriteConfigurationFile(path, values));
  std::ifstream in(path, std::ios::binary);
  std::string text((std::istreambuf_iterator<char>(in)), {});
  EXPECT_EQ(text.substr(0, 39), "[Configuration]\r\nLastAccessedFolder=v0\r");
  EXPECT_TRUE(text.ends_with("\r\nDontShowWritingError=v92\r\n"));
  EXPECT_EQ(ReadConfigurationFile(path), values);
  // No temporary file is left beside it.
  int files = 0;
  for (auto& entry : fs::directory_iterator(dir)) files += entry.is_regular_file();
  EXPECT_EQ(files, 1);
  EXPECT_FALSE(WriteConfigurationFile((dir / "missing" / "x.ini").string(), values));
  fs::remove_all(dir);
}

}  // namespace
}  // namespace settings
