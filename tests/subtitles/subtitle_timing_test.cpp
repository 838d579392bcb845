// Choosing the entry for the play position, the periodic subtitle step, the on/off
// switch, time corrections and frame-rate rescaling.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "texts/built_in_texts.h"
#include "subtitles/subtitle_store.h"

namespace subtitles {
namespace {

SubtitleEntry entry(int64_t start, int64_t end, int64_t displayMs) {
  return {start, end, displayMs, {"x"}};
}

class TimingTest : public testing::Test {
 protected:
  TimingTest() {
    store_.assign({entry(1000, 2000, 500), entry(3000, 5000, 1500), entry(5000, 6000, 2000)},
                  SubtitleType::SubRip);
  }
  const texts::InterfaceTexts& texts_ = texts::builtInTexts();
  SubtitleStore store_;
};

TEST_F(TimingTest, ChoosesEntryAtBoundaries) {
  struct Row {
    int64_t ms;
    bool autoCalculation;
    int due;
  };
  for (const Row& r : std::vector<Row>{{-5, false, -1},
                                       {999, false, -1},
                                       {1000, false, 0},
                                       {1999, false, 0},
                                       {2000, false, -1},
                                       {2500, false, -1},
                                       {3000, false, 1},
                                       {4999, false, 1},
                                       {5000, false, 2},
                                       {5999, false, 2},
                                       {6000, false, -1},
                                       {1499, true, 0},
                                       {1500, true, -1},
                                       {4499, true, 1},
                                       {4500, true, -1},
                                       {5000, true, 2},
                                       {6999, true, 2},
                                       {7000, true, -1},
                                       {1000, false, 0}}) {
    SCOPED_TRACE(testing::Message() << r.ms << (r.autoCalculation ? " auto" : ""));
    EXPECT_EQ(store_.entryAt(r.ms, r.autoCalculation), r.due);
  }
}

// The lowest index whose interval holds the position, as a plain scan finds it.
int scanFor(const std::vector<SubtitleEntry>& e, int64_t pos, bool autoCalculation) {
  auto limit = [&](const SubtitleEntry& x) {
    return autoCalculation ? x.StartMs + x.DisplayMs : x.EndMs;
  };
  if (e.empty() || pos < e.front().StartMs || pos >= limit(e.back())) return -1;
  for (std::size_t i = 0; i < e.size(); ++i)
    if (e[i].StartMs <= pos && pos < limit(e[i])) return static_cast<int>(i);
  return -1;
}

TEST(TimingIndexTest, AgreesWithScanOnOverlappingAndUnorderedEntries) {
  std::mt19937 rng(99);
  for (int round = 0; round < 200; ++round) {
    std::vector<SubtitleEntry> entries;
    const int count = 1 + static_cast<int>(rng() % 30);
    for (int i = 0; i < count; ++i) {
      const int64_t start = static_cast<int64_t>(rng() % 20000) - 1000;
      entries.push_back(entry(start, start + static_cast<int64_t>(rng() % 5000) - 500,
                              static_cast<int64_t>(rng() % 3000)));
    }
    SubtitleStore store;
    store.assign(entries, SubtitleType::MicroDvd);
    int64_t pos = -2000;
    for (int step = 0; step < 400; ++step) {
      // Mostly forward in ticks of 20 ms, sometimes a jump either way.
      pos = rng() % 10 == 0 ? static_cast<int64_t>(rng() % 26000) - 2000 : pos + 20;
      const bool autoCalculation = step % 100 >= 50;
      ASSERT_EQ(store.entryAt(pos, autoCalculation), scanFor(entries, pos, autoCalculation))
          << "round " << round << " position " << pos;
    }
  }
}

TEST_F(TimingTest, StepsShowAndClearTheLayer) {
  using C = SubtitleChange;
  struct Row {
    const char* what;
    int64_t ms;
    bool layerEmpty;
    C change;
    int entry;
    bool direct;
  };
  const std::vector<Row> rows = {
      {"before the first", 500, true, C::None, -1, false},
      {"first starts", 1000, true, C::Show, 0, true},
      {"same entry", 1500, false, C::None, -1, false},
      {"gap", 2000, false, C::Clear, -1, false},
      {"still gap", 2500, true, C::None, -1, false},
      {"second starts", 3000, true, C::Show, 1, true},
      {"third follows directly", 5000, false, C::Show, 2, false},
      {"layer emptied elsewhere", 5500, true, C::Show, 2, true},
      {"after the last", 6000, false, C::Clear, -1, false},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.what);
    const SubtitleStep step = store_.UpdateSubtitle(r.ms * 10000, r.layerEmpty, false);
    EXPECT_EQ(step.change, r.change);
    if (r.change == C::Show) {
      EXPECT_EQ(step.entry, r.entry);
      EXPECT_EQ(step.paintDirectly, r.direct);
    }
  }
}

TEST_F(TimingTest, SwitchingOffClearsAndOnShowsAgain) {
  EXPECT_EQ(store_.UpdateSubtitle(15000000, true, false).change, SubtitleChange::Show);
  EXPECT_EQ(store_.ToggleSubtitles(texts_), "Subtitle disabled");
  EXPECT_EQ(store_.UpdateSubtitle(15100000, false, false).change, SubtitleChange::Clear);
  EXPECT_EQ(store_.UpdateSubtitle(15200000, true, false).change, SubtitleChange::None);
  EXPECT_EQ(store_.ShiftSubtitleTimes(500, texts_), std::nullopt);  // off: no correction
  EXPECT_EQ(store_.ToggleSubtitles(texts_), "Subtitle enabled");
  const SubtitleStep step = store_.UpdateSubtitle(15300000, true, false);
  EXPECT_EQ(step.change, SubtitleChange::Show);
  EXPECT_EQ(step.entry, 0);
  store_.setSubtitleLoaded(false);
  EXPECT_EQ(store_.UpdateSubtitle(15400000, false, false).change, SubtitleChange::Clear);
  EXPECT_EQ(store_.ToggleSubtitles(texts_), std::nullopt);
  EXPECT_EQ(store_.ShiftSubtitleTimes(500, texts_), std::nullopt);
  EXPECT_EQ(store_.entries()[0].StartMs, 1000);
}

TEST_F(TimingTest, TimeCorrectionsShiftEveryEntry) {
  struct Row {
    std::vector<int64_t> deltas;
    const char* message;
    int64_t firstStart;
  };
  for (const Row& r :
       std::vector<Row>{{{500, 500, 500, -500}, "Subtitle time correction: 1.0 sec", 2000},
                        {{-500, -500, -500}, "Subtitle time correction: -1.5 sec", -500},
                        {{-500}, "Subtitle time correction: -0.5 sec", 500},
                        {{10000, 500}, "Subtitle time correction: 10.5 sec", 11500},
                        {{-10000, 10000}, "Subtitle time correction: 0.0 sec", 1000}}) {
    SCOPED_TRACE(r.message);
    SubtitleStore store;
    store.assign({entry(1000, 2000, 500), entry(3000, 5000, 1500)}, SubtitleType::SubRip);
    std::optional<std::string> message;
    for (int64_t d : r.deltas) message = store.ShiftSubtitleTimes(d, texts_);
    EXPECT_EQ(message, r.message);
    EXPECT_EQ(store.entries()[0].StartMs, r.firstStart);
    EXPECT_EQ(store.entries()[1].EndMs - store.entries()[1].StartMs, 2000);
    EXPECT_EQ(store.entryAt(r.firstStart, false), 0);
    EXPECT_EQ(store.entryAt(r.firstStart - 1, false), -1);
  }
}

TEST(RescaleTest, ConvertsFrameTimesToTheMovieRate) {
  const settings::Settings s;
  struct Row {
    const char* file;
    double loadRate, movieRate;
    std::vector<int64_t> times;  // start and end of each entry afterwards
  };
  const std::vector<Row> rows = {
      {"{25}{50}A\n{100}{125}B\n{200}{250}C\n", 25, 23.976, {1043, 2085, 4171, 5214, 8342, 10427}},
      {"{25}{50}A\n{100}{125}B\n{200}{250}C\n", 25, 25, {1000, 2000, 4000, 5000, 8000, 10000}},
      {"{25}{50}A\n{100}{125}B\n{200}{250}C\n", 25, 0, {1000, 2000, 4000, 5000, 8000, 10000}},
      {"{25}{50}A\n{100}{125}B\n{200}{250}C\n", 25, NAN, {1000, 2000, 4000, 5000, 8000, 10000}},
      {"{0}{10}A\n{30}{40}B\n{60}{70}C\n", 25, 50, {0, 200, 600, 800, 1200, 1400}},
      // Far past what 32 bits of milliseconds hold.
      {"{9999999}{}A\n", 25, 1, {9999999000, 10000024025}},
      // A rate near zero saturates instead of overflowing 64 bits.
      {"{25}{80}A\n", 1e-9, 1e-9, {kMaxTimeMs, kMaxTimeMs}},
      {"{9999999}{9999999}A\n", 1e-9, 25, {kMaxTimeMs - 1001, kMaxTimeMs}},
      {"1\n00:00:01,000 --> 00:00:02,000\nAb\n\n2\n00:00:03,000 --> 00:00:04,000\nCd\n",
       25,
       50,
       {1000, 2000, 3000, 4000}},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(testing::Message() << r.file << " at " << r.movieRate);
    SubtitleStore store;
    ASSERT_TRUE(store.LoadSubtitleData(r.file, "x", s, texts::builtInTexts(), r.loadRate).ok);
    store.RescaleFrameTimes(r.movieRate);
    std::vector<int64_t> times;
    for (const auto& e : store.entries()) times.insert(times.end(), {e.StartMs, e.EndMs});
    EXPECT_EQ(times, r.times);
    // The automatic display time never reaches past the next entry's start.
    for (std::size_t i = 0; i + 1 < store.entries().size(); ++i)
      EXPECT_LE(store.entries()[i].DisplayMs,
                store.entries()[i + 1].StartMs - store.entries()[i].StartMs);
  }
}

}  // namespace
}  // namespace subtitles
