// The GStreamer engine against small generated files: loading, facts of the
// stream, seeking, pausing, the end of the stream, errors and pictures.
#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <filesystem>
#include <functional>
#include <thread>

#include <gst/gst.h>

#ifdef TARVELINO_HAVE_TAP
#include "audio/processing_chain.h"
#endif
#include "playback/gst_engine.h"
#include "test_media.h"

namespace playback {
namespace {

using testing::TestMedia;
using testing::testMedia;

struct RecordingListener : EngineListener {
  std::vector<EngineEvent> events;
  void onEngineEvent(const EngineEvent& e) override { events.push_back(e); }
};

// Polls the engine's events until pred holds or the time limit passes.
bool waitFor(Engine& engine, const std::function<bool()>& pred, int limitMs = 10000) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(limitMs);
  while (std::chrono::steady_clock::now() < end) {
    engine.pollEvents();
    if (pred()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return false;
}

class GstEngineTest : public ::testing::Test {
 protected:
  GstEngineTest() : engine_(makeGstEngine({.sampleTap = true, .nullAudio = false})) {
    engine_->setListener(&listener_);
  }
  std::unique_ptr<Engine> engine_;
  RecordingListener listener_;
};

struct OpenCase {
  const char* name;
  std::string TestMedia::*file;
  bool opens;
  int width, height;
  int64_t minMs, maxMs;
};

TEST_F(GstEngineTest, OpensFilesAndReportsTheirFacts) {
  const OpenCase cases[] = {
      {"clip", &TestMedia::clip, true, 320, 240, 2300, 2500},
      {"odd name", &TestMedia::oddName, true, 320, 240, 2300, 2500},
      {"audio only", &TestMedia::audioOnly, true, 0, 0, 1800, 2200},
      {"text named .avi", &TestMedia::textAvi, false, 0, 0, 0, 0},
      {"truncated", &TestMedia::truncated, false, 0, 0, 0, 0},
      {"directory", &TestMedia::directory, false, 0, 0, 0, 0},
      {"missing", &TestMedia::missing, false, 0, 0, 0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const uint64_t before = engine_->generation();
    const int result = engine_->renderFile(testMedia().*c.file, 10000);
    EXPECT_EQ(result == 0, c.opens) << "result " << result;
    EXPECT_EQ(engine_->generation(), before + 1);
    EXPECT_EQ(engine_->active(), c.opens);
    int w = -1, h = -1;
    engine_->videoSize(w, h);
    EXPECT_EQ(w, c.width);
    EXPECT_EQ(h, c.height);
    const int64_t ms = engine_->duration() / kUnitsPerMs;
    EXPECT_GE(ms, c.minMs);
    EXPECT_LE(ms, c.maxMs);
    if (c.opens && c.width > 0) {
      EXPECT_DOUBLE_EQ(engine_->frameRate(), 25.0);
    }
    if (!c.opens) {
      EXPECT_EQ(engine_->state(), EngineState::Inactive);
    }
  }
}

TEST_F(GstEngineTest, SeeksToTheTargetClampedToTheMovie) {
  ASSERT_EQ(engine_->renderFile(testMedia().clip, 10000), 0);
  const int64_t length = engine_->duration();
  const struct {
    int64_t targetMs, expectMs;
  } rows[] = {{1000, 1000}, {0, 0}, {2000, 2000}, {-500, 0}, {1520, 1520}};
  for (const auto& r : rows) {
    SCOPED_TRACE(r.targetMs);
    engine_->setPosition(r.targetMs * kUnitsPerMs, SeekMode::Accurate);
    EXPECT_TRUE(waitFor(*engine_, [&] {
      return std::llabs(engine_->currentPosition() / kUnitsPerMs - r.expectMs) <= 40;
    })) << engine_->currentPosition() / kUnitsPerMs;
  }
  engine_->setPosition(length * 3, SeekMode::Accurate);
  EXPECT_TRUE(
      waitFor(*engine_, [&] { return engine_->currentPosition() >= length - 100 * kUnitsPerMs; }));
}

TEST_F(GstEngineTest, PausesResumesAndStopsAtTheStart) {
  ASSERT_EQ(engine_->renderFile(testMedia().clip, 10000), 0);
  ASSERT_TRUE(engine_->run());
  EXPECT_EQ(engine_->state(), EngineState::Playing);
  ASSERT_TRUE(waitFor(*engine_, [&] { return engine_->currentPosition() > 300 * kUnitsPerMs; }));
  ASSERT_TRUE(engine_->pause());
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  const int64_t held = engine_->currentPosition();
  std::this_thread::sleep_for(std::chrono::milliseconds(250));
  EXPECT_LE(std::llabs(engine_->currentPosition() - held), 20 * kUnitsPerMs);
  ASSERT_TRUE(engine_->run());
  EXPECT_TRUE(
      waitFor(*engine_, [&] { return engine_->currentPosition() > held + 200 * kUnitsPerMs; }));
  ASSERT_TRUE(engine_->stop());
  EXPECT_EQ(engine_->state(), EngineState::Loaded);
  EXPECT_TRUE(waitFor(*engine_, [&] { return engine_->currentPosition() < 50 * kUnitsPerMs; }));
}

TEST_F(GstEngineTest, ReportsTheEndOfTheStreamOnceForTheCurrentMovie) {
  ASSERT_EQ(engine_->renderFile(testMedia().clip, 10000), 0);
  engine_->setPosition(1800 * kUnitsPerMs);
  ASSERT_TRUE(engine_->run());
  ASSERT_TRUE(waitFor(*engine_, [&] { return !listener_.events.empty(); }));
  EXPECT_EQ(listener_.events[0].code, EngineEventCode::StreamComplete);
#ifdef TARVELINO_HAVE_TAP
  // The sound went through the sample tap: its chain saw the stream's format.
  audio::ProcessingChain* chain = sampleChain(*engine_);
  ASSERT_NE(chain, nullptr);
  EXPECT_EQ(chain->format().SampleRate, 44100);
#endif
  EXPECT_EQ(listener_.events[0].generation, engine_->generation());
  waitFor(
      *engine_, [] { return false; }, 200);
  EXPECT_EQ(listener_.events.size(), 1u);
  // A new movie drops whatever the old one still had to say.
  ASSERT_EQ(engine_->renderFile(testMedia().clip, 10000), 0);
  engine_->pollEvents();
  EXPECT_EQ(listener_.events.size(), 1u);
}

TEST_F(GstEngineTest, AFileThatVanishesWhilePlayingEndsInAnEvent) {
  const std::string copy = testMedia().folder + "/vanishing.mp4";
  std::filesystem::copy_file(testMedia().clip, copy,
                             std::filesystem::copy_options::overwrite_existing);
  ASSERT_EQ(engine_->renderFile(copy, 10000), 0);
  ASSERT_TRUE(engine_->run());
  std::filesystem::resize_file(copy, 0);
  std::filesystem::remove(copy);
  engine_->setPosition(1200 * kUnitsPerMs);
  // Whether the demuxer reports an error or the end, the player hears of it.
  EXPECT_TRUE(waitFor(*engine_, [&] { return !listener_.events.empty(); }));
}

TEST_F(GstEngineTest, KeepsTheVolumeAcrossMovies) {
  for (int v : {0, 2500, 10000, 20000, -3}) {
    SCOPED_TRACE(v);
    engine_->putVolume(v);
    ASSERT_EQ(engine_->renderFile(testMedia().clip, 10000), 0);
    EXPECT_EQ(engine_->volume(), std::clamp(v, 0, 10000));
  }
}

TEST(VolumeLevelTest, FollowsTheLogarithmicLaw) {
  const struct {
    int v, cdb;
  } rows[] = {{10000, 0}, {0, -10000}, {-1, -10000}, {30000, 0},
              {1, -9247}, {99, -5000}, {999, -2500}};
  for (const auto& r : rows) {
    SCOPED_TRACE(r.v);
    EXPECT_EQ(volumeLevelCdb(r.v), r.cdb);
  }
}

TEST_F(GstEngineTest, DrawsTheNewestPictureInTheTargetSize) {
  ASSERT_EQ(engine_->renderFile(testMedia().clip, 10000), 0);
  ASSERT_TRUE(waitFor(*engine_, [&] { return engine_->frameSerial() > 0; }));
  // The test pattern's first two bars: light grey, then yellow.
  for (auto [w, h] : {std::pair{320, 240}, {160, 120}, {641, 481}}) {
    SCOPED_TRACE(w);
    std::vector<uint8_t> pixels(size_t(w) * h * 4, 0);
    ASSERT_TRUE(engine_->drawNewestFrame({pixels.data(), w * 4, w, h}));
    auto at = [&](int x, int y, int c) { return pixels[(size_t(y) * w + x) * 4 + c]; };
    const int x0 = w / 14, x1 = w * 3 / 14, y = h / 4;
    EXPECT_GT(at(x0, y, 0), 150);  // blue
    EXPECT_GT(at(x0, y, 2), 150);  // red
    EXPECT_LT(at(x1, y, 0), 60);   // yellow has no blue
    EXPECT_GT(at(x1, y, 1), 150);
    EXPECT_GT(at(x1, y, 2), 150);
  }
  const auto filters = engine_->filters();
  EXPECT_TRUE(std::any_of(filters.begin(), filters.end(),
                          [](const FilterInfo& f) { return f.name == "color-control"; }));
  EXPECT_TRUE(
      std::any_of(filters.begin(), filters.end(), [](const FilterInfo& f) { return f.isSource; }));
}

TEST_F(GstEngineTest, CopiesTheNewestPictureAtItsSizeWithTheColourControlsLive) {
  std::vector<uint8_t> pixels;
  int w = 0, h = 0;
  EXPECT_FALSE(engine_->copyNewestFrame(pixels, w, h));  // nothing loaded
  ASSERT_EQ(engine_->renderFile(testMedia().clip, 10000), 0);
  ASSERT_TRUE(waitFor(*engine_, [&] { return engine_->frameSerial() > 0; }));
  ASSERT_TRUE(engine_->copyNewestFrame(pixels, w, h));
  ASSERT_EQ(w, 320);
  ASSERT_EQ(h, 240);
  ASSERT_EQ(pixels.size(), size_t(320 * 240 * 4));
  // B, G, R of the pattern's second bar (yellow) a quarter down.
  auto yellow = [&] {
    const uint8_t* p = pixels.data() + (size_t(60) * 320 + 68) * 4;
    return std::array<int, 3>{p[0], p[1], p[2]};
  };
  EXPECT_LT(yellow()[0], 60);
  EXPECT_GT(yellow()[1], 150);
  EXPECT_GT(yellow()[2], 150);

  // Saturation 0 takes the colour out of new pictures while the movie plays.
  engine_->setColorControl({750, 10000, 0, 0});
  ASSERT_TRUE(engine_->run());
  const uint64_t serial = engine_->frameSerial();
  ASSERT_TRUE(waitFor(*engine_, [&] { return engine_->frameSerial() > serial + 5; }));
  ASSERT_TRUE(engine_->copyNewestFrame(pixels, w, h));
  EXPECT_NEAR(yellow()[0], yellow()[2], 20);
  EXPECT_NEAR(yellow()[1], yellow()[2], 20);
  engine_->setColorControl({});
}

// The background warm-up loads the plugins an open needs, once, however
// often it is asked for.
TEST(EngineWarmUpTest, LoadsThePluginsAnOpenNeedsInTheBackground) {
  warmUpEngineInBackground(false);
  warmUpEngineInBackground(false);
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(60);
  while (!engineWarmedUp() && std::chrono::steady_clock::now() < end)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  ASSERT_TRUE(engineWarmedUp());
  for (const char* name :
       {"playback", "typefindfunctions", "isomp4", "libav", "app", "videofilter", "coreelements"}) {
    SCOPED_TRACE(name);
    GstPlugin* plugin = gst_registry_find_plugin(gst_registry_get(), name);
    ASSERT_NE(plugin, nullptr);
    EXPECT_TRUE(gst_plugin_is_loaded(plugin));
    gst_object_unref(plugin);
  }
}

TEST(FileUriTest, EscapesWhatAUriCannotHold) {
  const struct {
    const char *path, *uri;
  } rows[] = {
      {"/a/b.mp4", "file:///a/b.mp4"},
      {"/a b/c#1.mp4", "file:///a%20b/c%231.mp4"},
      {"/100%.avi", "file:///100%25.avi"},
      {"/\xc3\xa9t\xc3\xa9.mkv", "file:///%C3%A9t%C3%A9.mkv"},
      {"", ""},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.path);
    EXPECT_EQ(fileUriFromPath(r.path), r.uri);
  }
}

}  // namespace
}  // namespace playback
