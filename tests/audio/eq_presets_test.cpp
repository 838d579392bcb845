#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "audio/eq_presets.h"

namespace audio {
void PrintTo(const EqPreset& p, std::ostream* os) {
  *os << '"' << p.name << "\" =";
  for (int v : p.values) *os << ' ' << v;
}
}  // namespace audio

namespace {

namespace fs = std::filesystem;
using audio::EqPreset;
using audio::PresetStore;
using audio::PresetValues;

PresetValues values(std::initializer_list<int> v) {
  PresetValues out{};
  size_t i = 0;
  for (int x : v) out[i++] = int8_t(x);
  return out;
}

std::string slurp(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

void put(const fs::path& p, const std::string& bytes) {
  std::ofstream(p, std::ios::binary) << bytes;
}

class PresetFileTest : public testing::Test {
 protected:
  PresetFileTest() {
    dir_ =
        fs::temp_directory_path() / ("eqpresets-" + std::to_string(::getpid()) + "-" +
                                     testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    file_ = dir_ / audio::kPresetFileName;
  }
  ~PresetFileTest() override {
    std::error_code ec;
    fs::permissions(dir_, fs::perms::owner_all, ec);
    fs::remove_all(dir_, ec);
  }
  fs::path dir_, file_;
};

TEST(PresetParseTest, ReadsLinesByTheFileRules) {
  struct Row {
    const char* text;
    std::vector<EqPreset> presets;
  };
  const Row rows[] = {
      {"Bass boost=0,-20,-15,-10,0,0,0,0,0,0,0\r\n", {{"Bass boost", values({0, -20, -15, -10})}}},
      // "x" and the "," after it each end an empty token.
      {"Rock=5,-10,x,7", {{"Rock", values({5, -10, 0, 0, 7})}}},
      {"=1,2,3\r\nno equals sign\r\nA=1\r\n", {{"A", values({1})}}},
      {"Loud=250,-250,99999999999999999999,-\r\n", {{"Loud", values({100, -100, 100, 0})}}},
      {"Twelve=1,2,3,4,5,6,7,8,9,10,11,12\n",
       {{"Twelve", values({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11})}}},
      {"a=b=3\nLF only=4\n", {{"a", values({0, 0, 3})}, {"LF only", values({4})}}},
      {"Dash=5-3,--,-0", {{"Dash", values({0, 0, 0})}}},
      {"", {}},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.text);
    EXPECT_EQ(audio::parsePresets(r.text), r.presets);
  }
}

TEST(PresetParseTest, SurvivesArbitraryBytes) {
  std::string noise;
  uint32_t x = 12345;
  for (int i = 0; i < 200000; ++i) {
    x = x * 1103515245 + 12345;
    noise += char(x >> 24);
  }
  for (const EqPreset& p : audio::parsePresets(noise)) {
    EXPECT_FALSE(p.name.empty());
    EXPECT_EQ(p.name.find('\n'), std::string::npos);
    EXPECT_EQ(p.name.find('\r'), std::string::npos);
    for (int v : p.values) EXPECT_TRUE(v >= -100 && v <= 100);
  }
}

TEST(PresetParseTest, FormatRoundTrips) {
  const std::vector<EqPreset> list = {{"Bass boost", values({0, -20, -15, -10})},
                                      {"  spaced  ", values({-100, 100, 1, -1, 50})},
                                      {"(Default)", values({})}};
  const std::string text = audio::formatPresets(list);
  const std::string first = "Bass boost=0,-20,-15,-10,0,0,0,0,0,0,0\r\n";
  EXPECT_EQ(text.substr(0, first.size()), first);
  EXPECT_EQ(audio::parsePresets(text), list);
}

TEST(PresetParseTest, CleansTypedNames) {
  const std::pair<const char*, const char*> rows[] = {
      {"Rock", "Rock"},
      {"a=b", "ab"},
      {"two\r\nlines", "two  lines"},
      {"  padded \t", "padded"},
      {"===", ""},
      {"x\x7f"
       "y",
       "x y"},
  };
  for (auto [typed, clean] : rows) EXPECT_EQ(audio::cleanPresetName(typed), clean) << typed;
}

TEST_F(PresetFileTest, SaveReplacesInPlaceOrAppendsAndWrites) {
  put(file_, "A=1\r\nB=2\r\n");
  PresetStore store(file_.string());
  ASSERT_EQ(store.read(), PresetStore::ReadResult::Read);
  EXPECT_EQ(store.save("A", values({9})), 0);       // same name: replaced in place
  EXPECT_EQ(store.save("b", values({3})), 2);       // names compare case-sensitively
  EXPECT_EQ(store.save("C=\r\n", values({4})), 3);  // cleaned to "C"
  EXPECT_EQ(store.save(" = ", values({4})), -1);    // empty after cleaning: nothing saved
  ASSERT_TRUE(store.write());
  EXPECT_EQ(slurp(file_),
            "A=9,0,0,0,0,0,0,0,0,0,0\r\nB=2,0,0,0,0,0,0,0,0,0,0\r\n"
            "b=3,0,0,0,0,0,0,0,0,0,0\r\nC=4,0,0,0,0,0,0,0,0,0,0\r\n");
}

TEST_F(PresetFileTest, NothingChangedWritesNothing) {
  // A missing file stays missing; an existing one keeps its bytes and time.
  PresetStore missing(file_.string());
  EXPECT_EQ(missing.read(), PresetStore::ReadResult::Missing);
  EXPECT_TRUE(missing.write());
  EXPECT_FALSE(fs::exists(file_));
  put(file_, "odd line\nA=1");
  PresetStore store(file_.string());
  store.read();
  EXPECT_TRUE(store.write());
  EXPECT_EQ(slurp(file_), "odd line\nA=1");
}

TEST_F(PresetFileTest, UnreadableOrOversizedFileIsNeverOverwritten) {
  if (::geteuid() == 0) {
    // root reads any file: make it unreadable by making it a folder instead.
    fs::create_directories(file_);
  } else {
    put(file_, "Keep=1\r\n");
    fs::permissions(file_, fs::perms::none);
  }
  PresetStore store(file_.string());
  EXPECT_EQ(store.read(), PresetStore::ReadResult::Failed);
  EXPECT_TRUE(store.presets().empty());
  store.save("New", values({1}));
  EXPECT_FALSE(store.write());
  EXPECT_TRUE(::geteuid() == 0 ? fs::is_directory(file_) : fs::file_size(file_) == 8);

  const fs::path big = dir_ / "big.EQ";
  put(big, "Big=1\r\n" + std::string(audio::kMaxPresetFileBytes, 'x'));
  PresetStore large(big.string());
  EXPECT_EQ(large.read(), PresetStore::ReadResult::Failed);
  large.save("New", values({1}));
  EXPECT_FALSE(large.write());
  EXPECT_EQ(fs::file_size(big), audio::kMaxPresetFileBytes + 7);
}

TEST_F(PresetFileTest, TwoPlayersKeepEachOthersChanges) {
  put(file_, "A=1\r\nB=2\r\nC=3\r\n");
  PresetStore first(file_.string()), second(file_.string());
  first.read();
  second.read();
  first.save("First", values({10}));
  first.remove(1);  // B
  second.save("Second", values({20}));
  second.save("C", values({30}));
  ASSERT_TRUE(first.write());
  ASSERT_TRUE(second.write());
  PresetStore check(file_.string());
  check.read();
  const std::vector<EqPreset> expected = {
      {"A", values({1})}, {"C", values({30})}, {"First", values({10})}, {"Second", values({20})}};
  EXPECT_EQ(check.presets(), expected);
}

TEST_F(PresetFileTest, WriteCreatesTheFolderAndFailsCleanly) {
  const fs::path nested = dir_ / "new" / "folder" / audio::kPresetFileName;
  PresetStore store(nested.string());
  store.read();
  store.save("X", values({1}));
  ASSERT_TRUE(store.write());
  EXPECT_EQ(slurp(nested), "X=1,0,0,0,0,0,0,0,0,0,0\r\n");

  if (::geteuid() != 0) {
    // A folder that cannot be written keeps its old file and gains no temporary.
    put(file_, "Old=1\r\n");
    PresetStore locked(file_.string());
    locked.read();
    locked.save("Y", values({2}));
    fs::permissions(dir_, fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_FALSE(locked.write());
    fs::permissions(dir_, fs::perms::owner_all);
    EXPECT_EQ(slurp(file_), "Old=1\r\n");
  }
}

}  // namespace
