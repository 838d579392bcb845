#pragma once
// An engine that plays nothing: it records every call by name, answers reads
// from fields the test sets, and fires events when the test asks.
#include <string>
#include <vector>

#include "playback/engine.h"

namespace playback::testing {

class FakeEngine : public Engine {
 public:
  // What the next renderFile() does.
  int renderResult = 0;
  int nextWidth = 320, nextHeight = 240;
  int64_t nextDuration = 120 * 1000 * kUnitsPerMs;
  double nextFrameRate = 25.0;
  bool runResult = true;
  bool pauseResult = true;

  std::vector<std::string> calls;
  std::vector<std::string> renderedPaths;
  int64_t position = 0;
  int64_t durationUnits = 0;

  void setListener(EngineListener* l) override { listener_ = l; }
  bool active() const override { return state_ != EngineState::Inactive; }
  void setActive(bool on) override {
    calls.push_back(on ? "setActive(true)" : "setActive(false)");
    state_ = on ? EngineState::Empty : EngineState::Inactive;
    if (!on) clearMovie();
  }
  void emptyGraph() override {
    calls.push_back("emptyGraph");
    if (state_ != EngineState::Inactive) state_ = EngineState::Empty;
    clearMovie();
  }
  EngineState state() const override { return state_; }
  int renderFile(const std::string& path, int) override {
    calls.push_back("renderFile");
    renderedPaths.push_back(path);
    ++generation_;
    if (renderResult != 0) {
      state_ = EngineState::Inactive;
      return renderResult;
    }
    state_ = EngineState::Loaded;
    width_ = nextWidth;
    height_ = nextHeight;
    durationUnits = nextDuration;
    position = 0;
    return 0;
  }
  void setWaitPump(std::function<void()>) override {}
  uint64_t generation() const override { return generation_; }
  bool run() override {
    calls.push_back("run");
    if (runResult) state_ = EngineState::Playing;
    return runResult;
  }
  bool pause() override {
    calls.push_back("pause");
    if (pauseResult) state_ = EngineState::Paused;
    return pauseResult;
  }
  bool stop() override {
    calls.push_back("stop");
    if (state_ != EngineState::Inactive && state_ != EngineState::Empty) {
      state_ = EngineState::Loaded;
      position = 0;
    }
    return true;
  }
  void putVolume(int v) override {
    calls.push_back("putVolume(" + std::to_string(v) + ")");
    volume_ = v;
  }
  int volume() const override { return volume_; }
  int64_t duration() const override { return active() ? durationUnits : 0; }
  int64_t currentPosition() const override { return active() ? position : 0; }
  int64_t stopPosition() const override { return duration(); }
  void setPosition(int64_t p, SeekMode) override {
    calls.push_back("setPosition(" + std::to_string(p / kUnitsPerMs) + "ms)");
    position = p;
  }
  void videoSize(int& w, int& h) const override {
    w = width_;
    h = height_;
  }
  double frameRate() const override { return nextFrameRate; }
  std::vector<FilterInfo> filters() const override { return {}; }
  void setColorControl(const ColorControl& c) override {
    color = c;
    ++colorSets;
  }
  void pollEvents() override {
    auto pending = std::move(pending_);
    pending_.clear();
    for (const auto& e : pending)
      if (listener_) listener_->onEngineEvent(e);
  }
  void setFrameCallback(std::function<void()>) override {}
  uint64_t frameSerial() const override { return 0; }
  bool drawNewestFrame(const FrameTarget&) override { return false; }

  // Queues an event of the current movie for the next pollEvents().
  void queueEvent(EngineEventCode code) { pending_.push_back({code, generation_, {}}); }
  // Queues an event stamped with an older movie's generation.
  void queueStaleEvent(EngineEventCode code) { pending_.push_back({code, generation_ - 1, {}}); }
  int countCalls(const std::string& name) const {
    int n = 0;
    for (const auto& c : calls) n += c == name;
    return n;
  }

  ColorControl color;
  int colorSets = 0;

 private:
  void clearMovie() {
    width_ = height_ = 0;
    durationUnits = 0;
    position = 0;
  }
  EngineListener* listener_ = nullptr;
  EngineState state_ = EngineState::Inactive;
  uint64_t generation_ = 0;
  int volume_ = 10000;
  int width_ = 0, height_ = 0;
  std::vector<EngineEvent> pending_;
};

}  // namespace playback::testing
