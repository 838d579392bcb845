// The subtitle layer drawn offscreen: a known line on a grey picture shows
// its outline, shadow or background in the pixels; the wheel acts every
// second turn over the window.
#include <gtest/gtest.h>
#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QWheelEvent>

#include "tests/playback/fake_engine.h"
#include "ui/videowindow/subtitle_layer.h"
#include "ui/videowindow/video_window.h"

namespace ui {
namespace {

QApplication& app() {
  static int argc = 1;
  static char name[] = "subtitle_layer_test";
  static char* argv[] = {name, nullptr};
  static QApplication* a = new QApplication(argc, argv);
  return *a;
}

constexpr QRgb kGrey = 0xFF646464;

struct Counts {
  int text = 0, black = 0, white = 0;
  int lowestBlack = -1;  // lowest row holding a black pixel
  int lowestText = -1;
};

// Paints one line on a grey 640 x 360 picture at 96 pixels per inch.
Counts render(const settings::Settings& settings, const std::vector<std::string>& lines,
              QRgb textRgb, int* zoneTop = nullptr) {
  SubtitleLayer layer(settings);
  layer.layOut(lines, 640, 96);
  QImage img(640, 360, QImage::Format_RGB32);
  img.fill(kGrey);
  {
    QPainter p(&img);
    layer.paint(p, img.size(), 96);
  }
  if (zoneTop) *zoneTop = layer.zoneTop();
  Counts c;
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x) {
      const QRgb px = img.pixel(x, y) | 0xFF000000;
      if (px == (textRgb | 0xFF000000)) ++c.text, c.lowestText = y;
      if (px == 0xFF000000) ++c.black, c.lowestBlack = y;
      if (px == 0xFFFFFFFF) ++c.white;
    }
  return c;
}

class SubtitleLayerTest : public ::testing::Test {
 protected:
  SubtitleLayerTest() {
    app();
    settings_.SubtitleFontName = "DejaVu Sans";
    settings_.SubtitleSize = 200;  // 640 px wide: 35 points
    settings_.SubtitleFontColor = 0xFFFFFF;
  }
  settings::Settings settings_;
};

TEST_F(SubtitleLayerTest, OutlineShadowAndBackgroundShowInThePixels) {
  const struct {
    const char* name;
    bool outline, shadow, transparent;
    bool black;  // black pixels appear
  } rows[] = {
      {"outline and shadow", true, true, true, true},
      {"outline only", true, false, true, true},
      {"plain", false, false, true, false},
      {"plain on a black box", false, false, false, true},
  };
  std::vector<int> below;  // rows of black below the lowest text row
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    settings_.UseOutlineFont = r.outline;
    settings_.SubtitleShadowEffect = r.shadow;
    settings_.TransparentBackground = r.transparent;
    int zoneTop = 0;
    const Counts c = render(settings_, {"HELLO", "WORLD"}, 0xFFFFFFFF, &zoneTop);
    EXPECT_GT(c.text, 300);
    EXPECT_EQ(c.black > 100, r.black) << c.black;
    below.push_back(c.lowestBlack - c.lowestText);
    // Two lines sit in the lower part of the window.
    EXPECT_GT(zoneTop, 150);
    EXPECT_LT(zoneTop, 340);
  }
  // At 35 points the outline reaches 2 pixels past the text, the shadow 4.
  EXPECT_GE(below[0], below[1] + 2);
  EXPECT_GE(below[1], 1);
  EXPECT_GE(below[3], 3);  // the box covers the descent
}

TEST_F(SubtitleLayerTest, DarkTextGetsAWhiteOutline) {
  settings_.SubtitleFontColor = 0x000000;
  const Counts dark = render(settings_, {"HELLO"}, 0xFF000000);
  EXPECT_GT(dark.white, 100);
  settings_.SubtitleFontColor = 0x010101;  // its key colour once equalled the text
  const Counts nearBlack = render(settings_, {"HELLO"}, 0xFF010101);
  EXPECT_GT(nearBlack.text, 300);
}

TEST_F(SubtitleLayerTest, NothingDrawnWithoutLines) {
  int zoneTop = 0;
  const Counts c = render(settings_, {}, 0xFFFFFFFF, &zoneTop);
  EXPECT_EQ(c.text + c.black, 0);
  EXPECT_EQ(zoneTop, 360);
}

TEST_F(SubtitleLayerTest, WheelActsEverySecondTurnOverTheWindow) {
  playback::testing::FakeEngine engine;
  playback::Osd osd;
  video::PictureState picture;
  TfrmVideoWindow w(engine, settings_, osd, picture, "Tarvelino");
  std::vector<bool> turns;
  QObject::connect(&w, &TfrmVideoWindow::wheelTurned, [&](bool up) { turns.push_back(up); });
  auto wheel = [&](int delta) {
    QWheelEvent e(QPointF(10, 10), QPointF(10, 10), QPoint(), QPoint(0, delta), Qt::NoButton,
                  Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&w, &e);
  };
  wheel(120);
  wheel(120);
  wheel(-120);
  wheel(-120);
  wheel(-120);
  EXPECT_EQ(turns, (std::vector<bool>{true, false}));
  w.wheelFromMainWindow(true);
  EXPECT_EQ(turns.size(), 3u);
}

}  // namespace
}  // namespace ui
