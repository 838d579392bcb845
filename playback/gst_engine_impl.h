#pragma once
// Internal to the GStreamer engine: the engine class shared by its two source
// files (state, loading and seeking; pipeline building, bus and pictures).
#include <gst/app/gstappsink.h>
#include <gst/gst.h>
#include <gst/video/video.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <mutex>

#include "playback/frame_convert.h"
#include "playback/gst_engine.h"

namespace playback::detail {

// Whether a sound device starts (autoaudiosink finds one that is not a fake
// sink). Probed once per process, on the first call; any thread.
bool soundDevicePresent();

class GstEngine final : public Engine {
 public:
  explicit GstEngine(const GstEngineOptions& options)
      : options_(options), nullAudio_(options.nullAudio) {
    if (!gst_is_initialized()) gst_init(nullptr, nullptr);
    makeTap();
  }
  ~GstEngine() override {
    teardown();
    if (tapFilter_) gst_object_unref(tapFilter_);
  }
  audio::ProcessingChain* chain() const { return chain_; }

  void setListener(EngineListener* l) override { listener_ = l; }
  bool active() const override { return state_ != EngineState::Inactive; }
  EngineState state() const override { return state_; }
  uint64_t generation() const override { return generation_; }
  void setWaitPump(std::function<void()> pump) override { pump_ = std::move(pump); }
  void setFrameCallback(std::function<void()> f) override {
    std::lock_guard lock(frameMutex_);
    onFrame_ = std::move(f);
  }
  uint64_t frameSerial() const override { return frameSerial_.load(); }
  int volume() const override { return volume_; }

  void setActive(bool on) override {
    if (!on) {
      teardown();
      return;
    }
    if (!pipeline_) build();
    state_ = pipeline_ ? EngineState::Empty : EngineState::Inactive;
  }

  void emptyGraph() override {
    if (!pipeline_) return;
    gst_element_set_state(pipeline_, GST_STATE_NULL);
    gst_bus_set_flushing(bus_, TRUE);
    gst_bus_set_flushing(bus_, FALSE);
    dropFrame();
    duration_ = 0;
    width_ = height_ = 0;
    frameRate_ = 0;
    state_ = EngineState::Empty;
  }

  int renderFile(const std::string& path, int timeLimitMs) override;

  bool run() override { return changeState(GST_STATE_PLAYING, EngineState::Playing); }
  bool pause() override { return changeState(GST_STATE_PAUSED, EngineState::Paused); }
  bool stop() override;

  void putVolume(int v) override {
    volume_ = std::clamp(v, 0, 10000);
    applyVolume();
  }

  int64_t duration() const override;
  int64_t currentPosition() const override;
  int64_t stopPosition() const override { return duration(); }
  void setPosition(int64_t position, SeekMode mode) override;

  void videoSize(int& w, int& h) const override {
    w = loaded() ? width_ : 0;
    h = loaded() ? height_ : 0;
  }
  double frameRate() const override { return loaded() ? frameRate_ : 0; }

  std::vector<FilterInfo> filters() const override;
  void setColorControl(const ColorControl& c) override;
  void pollEvents() override;
  bool drawNewestFrame(const FrameTarget& target) override;
  bool copyNewestFrame(std::vector<uint8_t>& bgrx, int& widthPx, int& heightPx) override;

 private:
  bool loaded() const {
    return state_ == EngineState::Loaded || state_ == EngineState::Playing ||
           state_ == EngineState::Paused;
  }
  bool changeState(GstState to, EngineState as) {
    if (!loaded()) return false;
    if (gst_element_set_state(pipeline_, to) == GST_STATE_CHANGE_FAILURE) return false;
    state_ = as;
    return true;
  }
  int fail(int code) {
    teardown();
    return code;
  }
  void applyVolume();
  // A render failure caused by the sound output rather than the movie.
  static constexpr int kAudioOutputFailed = 8;
  int tryRender(const std::string& path, std::chrono::steady_clock::time_point deadline);
  bool fromAudioOutput(GstMessage* msg) const;
  // The sample tap and its chain, made once with the engine so the chain's
  // gains can be set before the first movie opens.
  void makeTap();
  void build();
  void teardown();
  void readStreamFacts();
  void dropFrame();
  static GstFlowReturn onSample(GstAppSink* sink, gpointer self);
  static GstFlowReturn onPreroll(GstAppSink* sink, gpointer self);
  void takeSample(GstSample* sample);
  // Converts the newest picture into the target that targetFor gives for the
  // picture's decoded size (false from targetFor: nothing is converted).
  bool convertNewest(const std::function<bool(int widthPx, int heightPx, FrameTarget&)>& targetFor);

  GstEngineOptions options_;
  EngineListener* listener_ = nullptr;
  GstElement* pipeline_ = nullptr;
  GstElement* videoSink_ = nullptr;  // owned by the pipeline
  GstElement* balance_ = nullptr;    // owned by the pipeline
  GstElement* audioSink_ = nullptr;  // owned by the pipeline
  bool nullAudio_;                   // the null sink instead of the device
  GstElement* tapFilter_ = nullptr;  // our reference, kept across pipelines
  audio::ProcessingChain* chain_ = nullptr;
  GstBus* bus_ = nullptr;
  EngineState state_ = EngineState::Inactive;
  uint64_t generation_ = 0;
  int volume_ = 10000;
  mutable int64_t duration_ = 0;
  int width_ = 0, height_ = 0;
  double frameRate_ = 0;
  ColorControl color_;
  VideoBalance appliedBalance_;                 // last values given to balance_
  const GstElement* balanceApplied_ = nullptr;  // the filter they were given to
  std::function<void()> pump_;
  bool rendering_ = false;  // inside renderFile's wait: pollEvents leaves the bus alone

  // The newest picture, written by the streaming thread, read when drawing.
  std::mutex frameMutex_;
  GstBuffer* frameBuffer_ = nullptr;  // guarded by frameMutex_
  GstCaps* frameCaps_ = nullptr;      // guarded by frameMutex_
  uint64_t frameId_ = 0;              // frameSerial_ when frameBuffer_ came; guarded by frameMutex_
  std::function<void()> onFrame_;     // guarded by frameMutex_
  std::atomic<uint64_t> frameSerial_{0};
  FrameConverter converter_;
};

}  // namespace playback::detail
