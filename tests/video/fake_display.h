#pragma once
// A display with a few modes and a video window that records what is done to
// it, for the display mode and full screen tests.
#include <string>
#include <vector>

#include "video/display_modes.h"
#include "video/full_screen.h"

namespace testing_support {

class FakeDisplay : public video::DisplayModeService {
 public:
  std::vector<video::DisplayMode> list{{640, 480, 60},  {800, 600, 60},   {1024, 768, 60},
                                       {1024, 768, 75}, {1280, 1024, 60}, {1280, 1024, 75}};
  video::DisplayMode now{1280, 1024, 60};
  std::vector<video::DisplayMode> applied;
  bool refuse = false;

  std::vector<video::DisplayMode> modes() override { return list; }
  std::optional<video::DisplayMode> current() override { return now; }
  bool test(const video::DisplayMode&) override { return !refuse; }
  bool apply(const video::DisplayMode& m) override {
    if (refuse) return false;
    now = m;
    applied.push_back(m);
    return true;
  }
};

class FakeScreen : public video::ScreenPort {
 public:
  explicit FakeScreen(const FakeDisplay& display) : display_(display) {}
  video::Bounds window{100, 100, 500, 400};
  bool fullScreen = false;
  bool movieModeCheck = false;
  bool subtitle = false;
  std::vector<std::string> log;  // "full x,y wxh", "window ...", "bounds ...", "layout", "osd text"
  std::vector<video::Bounds> extraMonitors;

  video::Bounds monitor() const { return {0, 0, display_.now.Width, display_.now.Height}; }
  video::Bounds windowBounds() const override { return window; }
  video::Bounds monitorOfWindow() const override { return monitor(); }
  std::vector<video::Bounds> monitors() const override {
    std::vector<video::Bounds> all{monitor()};
    all.insert(all.end(), extraMonitors.begin(), extraMonitors.end());
    return all;
  }
  video::Bounds workArea() const override { return monitor(); }
  void showFullScreen(const video::Bounds& m, bool) override {
    fullScreen = true;
    window = m;
    log.push_back("full " + text(m));
  }
  void showWindowed(const video::Bounds& b) override {
    fullScreen = false;
    window = b;
    log.push_back("window " + text(b));
  }
  void setWindowBounds(const video::Bounds& b) override {
    window = b;
    log.push_back("bounds " + text(b));
  }
  void layOut(bool) override { log.push_back("layout"); }
  void setMovieModeCheck(bool on) override { movieModeCheck = on; }
  bool subtitleShown() const override { return subtitle; }
  void subtitleFontMetrics(int, int& textHeight, int& points) const override {
    textHeight = 60;
    points = 20;
  }
  void showOsd(const std::string& t) override { log.push_back("osd " + t); }
  std::vector<video::Bounds> others;  // the other player windows
  std::vector<video::Bounds> otherWindows() const override { return others; }
  void moveOtherWindow(std::size_t i, const video::Bounds& b) override {
    others.at(i) = b;
    log.push_back("move " + std::to_string(i) + " " + text(b));
  }
  void raiseMainWindow() override { log.push_back("raise main"); }
  void focusVideo() override { log.push_back("focus video"); }

  static std::string text(const video::Bounds& b) {
    return std::to_string(b.Left) + "," + std::to_string(b.Top) + " " + std::to_string(b.width()) +
           "x" + std::to_string(b.height());
  }

 private:
  const FakeDisplay& display_;
};

}  // namespace testing_support
