#include "audio/window/equalizer_window.h"

#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "audio/dc_equalizer.h"
#include "audio/processing_chain.h"

namespace {

namespace fs = std::filesystem;
using eqwindow::TfrmEqualizer;
using eqwindow::TfrmLoadSavePreset;

std::string slurp(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

class EqualizerWindowTest : public testing::Test {
 protected:
  EqualizerWindowTest() {
    dir_ =
        fs::temp_directory_path() / ("eqwindow-" + std::to_string(::getpid()) + "-" +
                                     testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    file_ = dir_ / "Presets.EQ";
    window_ = std::make_unique<TfrmEqualizer>(settings_, &chain_, file_.string());
    window_->hooks().showOsd = [this](const std::string& text) { osd_.push_back(text); };
    window_->hooks().keyPressed = [this](int key, Qt::KeyboardModifiers) {
      forwarded_.push_back(key);
    };
    window_->show();
  }
  ~EqualizerWindowTest() override {
    window_.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    fs::remove_all(dir_);
  }

  // Every bin of band k holds -S; the pre-amplifier holds its decade gain.
  void expectSound(int index, int s) {
    if (index == 0) {
      EXPECT_EQ(chain_.amplify().getChannelGain(0), audio::preAmplificationGain(s));
      return;
    }
    const auto& b = audio::TDCEqualizer::kBandBoundaries;
    for (int j = b[size_t(index - 1)]; j < b[size_t(index)]; ++j)
      ASSERT_EQ(chain_.equalizer().getBinGain(0, j), -s) << "band " << index - 1 << " bin " << j;
  }

  TfrmLoadSavePreset* dialog() { return window_->presetDialog(); }
  void finishDialog() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

  settings::Settings settings_;
  audio::ProcessingChain chain_;
  fs::path dir_, file_;
  std::unique_ptr<TfrmEqualizer> window_;
  std::vector<std::string> osd_;
  std::vector<int> forwarded_;
};

TEST_F(EqualizerWindowTest, SliderPressesSetValueNumberAndSound) {
  struct Row {
    int index, y, value;
    const char* number;
  };
  const Row rows[] = {
      {0, 48, -100, "20"}, {0, 144, 100, "-20"}, {1, 60, -75, "15"},  {2, 98, 0, "0"},
      {3, 94, 0, "0"},     {4, 101, 10, "-2"},   {5, 45, -100, "20"}, {6, 149, 100, "-20"},
      {7, 120, 50, "-10"}, {8, 72, -50, "10"},   {9, 132, 75, "-15"}, {10, 100, 8, "-2"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(testing::Message() << "slider " << r.index << " y " << r.y);
    const QPoint at(TfrmEqualizer::sliderX(r.index), r.y);
    QTest::mousePress(window_.get(), Qt::LeftButton, {}, at);
    QTest::mouseRelease(window_.get(), Qt::LeftButton, {}, at);
    EXPECT_EQ(window_->slider(r.index), r.value);
    EXPECT_EQ(window_->numberText(r.index), r.number);
    EXPECT_EQ(settings_.EqualizerSettings[size_t(r.index)], r.value);
    expectSound(r.index, r.value);
  }
}

TEST_F(EqualizerWindowTest, DraggingAppliesEveryStepAndOutsideGrabAreaMovesNothing) {
  const int x = TfrmEqualizer::sliderX(3);
  QTest::mousePress(window_.get(), Qt::LeftButton, {}, QPoint(x, 96));
  for (int y : {90, 70, 48, 20}) {
    QMouseEvent move(QEvent::MouseMove, QPointF(x, y), window_->mapToGlobal(QPointF(x, y)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window_.get(), &move);
    expectSound(3, window_->slider(3));
  }
  QTest::mouseRelease(window_.get(), Qt::LeftButton, {}, QPoint(x, 20));
  EXPECT_EQ(window_->slider(3), -100);
  // Just left of the grab area (centre - 11) nothing changes.
  QTest::mousePress(window_.get(), Qt::LeftButton, {}, QPoint(x - 11, 144));
  QTest::mouseRelease(window_.get(), Qt::LeftButton, {}, QPoint(x - 11, 144));
  EXPECT_EQ(window_->slider(3), -100);
}

TEST_F(EqualizerWindowTest, KeysAndWheelDriveThePreAmplification) {
  QTest::keyClick(window_.get(), Qt::Key_Up);
  QTest::keyClick(window_.get(), Qt::Key_Up);
  EXPECT_EQ(window_->slider(0), -10);
  expectSound(0, -10);
  QTest::keyClick(window_.get(), Qt::Key_Down);
  EXPECT_EQ(window_->slider(0), -5);
  QTest::keyClick(window_.get(), Qt::Key_0, Qt::KeypadModifier);
  EXPECT_EQ(window_->slider(0), 0);
  for (int i = 0; i < 30; ++i) window_->preAmplificationStep(-5);
  EXPECT_EQ(window_->slider(0), -100);
  const std::vector<std::string> expected = {"Preamplification: 1", "Preamplification: 2",
                                             "Preamplification: 1", "Preamplification: 0"};
  EXPECT_EQ(std::vector<std::string>(osd_.begin(), osd_.begin() + 4), expected);
  EXPECT_EQ(osd_.back(), "Preamplification: 20");

  QWheelEvent wheel(QPointF(200, 60), window_->mapToGlobal(QPointF(200, 60)), {}, QPoint(0, -120),
                    Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(window_.get(), &wheel);
  EXPECT_EQ(window_->slider(0), -95);

  QTest::keyClick(window_.get(), Qt::Key_Space);
  QKeyEvent ctrlUp(QEvent::KeyPress, Qt::Key_Up, Qt::ControlModifier);
  QApplication::sendEvent(window_.get(), &ctrlUp);
  EXPECT_EQ(forwarded_, (std::vector<int>{Qt::Key_Space, Qt::Key_Up}));
  QTest::keyClick(window_.get(), Qt::Key_E);
  EXPECT_FALSE(window_->isVisible());
}

TEST_F(EqualizerWindowTest, SettingsSetTheSlidersAtStartUp) {
  settings_.EqualizerSettings = {-30, 10, 20, 30, 40, 50, -60, -70, -80, -90, 100};
  window_->applySettings();
  for (int i = 0; i < 11; ++i) {
    EXPECT_EQ(window_->slider(i), settings_.EqualizerSettings[size_t(i)]);
    expectSound(i, settings_.EqualizerSettings[size_t(i)]);
  }
  EXPECT_EQ(window_->numberText(0), "6");
}

TEST_F(EqualizerWindowTest, LoadAppliesAtOnceCancelRestoresDeletionsPersist) {
  std::ofstream(file_, std::ios::binary)
      << "Rock=5,-10,x,7\r\nFlat=0\r\nCut=1,1,1,1,1,1,1,1,1,1,1\r\n";
  window_->setSlider(0, -20);
  window_->setSlider(2, 33);
  window_->openPresetDialog(TfrmLoadSavePreset::Mode::Load);
  ASSERT_TRUE(dialog());
  EXPECT_FALSE(dialog()->nameField()->isVisible());
  EXPECT_EQ(dialog()->list()->count(), 4);
  EXPECT_EQ(dialog()->list()->item(0)->text(), "(Default)");
  dialog()->list()->setCurrentRow(1);  // Rock
  EXPECT_EQ(window_->slider(0), 5);
  EXPECT_EQ(window_->slider(1), -10);
  EXPECT_EQ(window_->slider(2), 0);
  EXPECT_EQ(window_->slider(4), 7);
  expectSound(1, -10);
  // Delete removes Flat and selects (and applies) Cut in its place.
  dialog()->list()->setCurrentRow(2);
  QTest::keyClick(dialog()->list(), Qt::Key_Delete);
  EXPECT_EQ(dialog()->list()->count(), 3);
  EXPECT_EQ(dialog()->list()->currentRow(), 2);
  EXPECT_EQ(window_->slider(10), 1);
  QTest::keyClick(dialog()->list(), Qt::Key_Escape);
  finishDialog();
  EXPECT_FALSE(dialog());
  EXPECT_EQ(window_->slider(0), -20);
  EXPECT_EQ(window_->slider(2), 33);
  EXPECT_EQ(window_->slider(10), 0);
  expectSound(0, -20);
  expectSound(2, 33);
  EXPECT_EQ(slurp(file_), "Rock=5,-10,0,0,7,0,0,0,0,0,0\r\nCut=1,1,1,1,1,1,1,1,1,1,1\r\n");
}

TEST_F(EqualizerWindowTest, SaveWritesCurrentSlidersUnderTheTypedName) {
  window_->setSlider(0, 40);
  window_->setSlider(10, -60);
  window_->openPresetDialog(TfrmLoadSavePreset::Mode::Save);
  ASSERT_TRUE(dialog());
  EXPECT_EQ(dialog()->list()->count(), 1);
  // The OK button does nothing without a name.
  const QPoint ok = dialog()->okRect().center();
  QTest::mouseClick(dialog(), Qt::LeftButton, {}, ok);
  ASSERT_TRUE(dialog());
  dialog()->nameField()->setText("Night=\nwatch");
  QTest::mouseClick(dialog(), Qt::LeftButton, {}, ok);
  finishDialog();
  EXPECT_FALSE(dialog());
  EXPECT_EQ(slurp(file_), "Night watch=40,0,0,0,0,0,0,0,0,0,-60\r\n");
  // Saving under the same name replaces the values in place.
  window_->setSlider(1, 5);
  window_->openPresetDialog(TfrmLoadSavePreset::Mode::Save);
  dialog()->list()->setCurrentRow(1);
  EXPECT_EQ(dialog()->nameField()->text(), "Night watch");
  QTest::keyClick(dialog()->nameField(), Qt::Key_Return);
  finishDialog();
  EXPECT_EQ(slurp(file_), "Night watch=40,5,0,0,0,0,0,0,0,0,-60\r\n");
}

TEST_F(EqualizerWindowTest, AnUnreadablePresetFileSurvivesOpeningTheDialog) {
  // Too large to be the player's: it must not be replaced by an empty list.
  const std::string big = "Keep=1\r\n" + std::string(audio::kMaxPresetFileBytes, ' ');
  std::ofstream(file_, std::ios::binary) << big;
  window_->openPresetDialog(TfrmLoadSavePreset::Mode::Save);
  ASSERT_TRUE(dialog());
  EXPECT_EQ(dialog()->list()->count(), 1);
  dialog()->nameField()->setText("New");
  dialog()->accept();
  finishDialog();
  EXPECT_EQ(fs::file_size(file_), big.size());
}

}  // namespace
