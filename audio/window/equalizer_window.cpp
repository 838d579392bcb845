#include "audio/window/equalizer_window.h"

#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>
#include <QWheelEvent>

#include <algorithm>

#include "audio/dc_amplify.h"
#include "audio/equalizer_sliders.h"
#include "ui/colors.h"
#include "ui/skin_loader.h"
#include "ui/track_bar.h"
#include "ui/virtual_button.h"
#include "ui/virtual_label.h"
#include "ui/window_drag.h"

namespace eqwindow {

namespace {

constexpr int kTitleColor = 0x999999;   // 0x00BBGGRR: RGB (153, 153, 153)
constexpr int kNumberColor = 0x166116;  // RGB (22, 97, 22)
constexpr int kNumberTop = 27;
constexpr int kNumberPixels = 11;  // "MS Sans Serif" 8 points at 96 pixels per inch
constexpr int kKeyStep = 5;

QString qt(const std::string& s) {
  return QString::fromStdString(s);
}

}  // namespace

TfrmEqualizer::TfrmEqualizer(settings::Settings& settings, audio::ProcessingChain* chain,
                             std::string presetFile, QWidget* parent)
    : SkinWindow(parent, Qt::Tool),
      settings_(settings),
      chain_(chain),
      presetFile_(std::move(presetFile)) {
  const texts::InterfaceTexts& t = texts::currentTexts();
  setWindowTitle(qt(t.Titles[10]));
  QImage face = ui::loadSkinImage("Equalizer");
  {
    QPainter painter(&face);
    QFont font("Verdana");
    font.setPixelSize(12);  // 9 points at 96 pixels per inch
    painter.setFont(font);
    painter.setPen(ui::colorFromBgr(kTitleColor));
    painter.drawText(QPoint(5, 5 + QFontMetrics(font).ascent()), qt(t.Titles[10]));
  }
  setFace(face);

  close_ = std::make_unique<ui::TVirtualButton>(*this, QRect(QPoint(411, 7), QPoint(420, 16)), true,
                                                "MainbtnClose", qt(t.Hints[0]),
                                                ui::ButtonLook::ImageNoDisabled);
  load_ = std::make_unique<ui::TVirtualButton>(*this, QRect(QPoint(5, 72), QPoint(19, 84)), true,
                                               "BtnLoadPreset", qt(t.Titles[11]),
                                               ui::ButtonLook::ImageNoDisabled);
  save_ = std::make_unique<ui::TVirtualButton>(*this, QRect(QPoint(6, 103), QPoint(18, 115)), true,
                                               "btnSavePreset", qt(t.Titles[12]),
                                               ui::ButtonLook::ImageNoDisabled);
  addSkinWidget(close_.get());
  addSkinWidget(load_.get());
  addSkinWidget(save_.get());
  for (int i = 0; i < audio::kEqualizerSliders; ++i) {
    sliders_[i] =
        std::make_unique<ui::TVirtualTrackBar>(*this, ui::equalizerBandGeometry(sliderX(i)));
    sliders_[i]->onChange = [this, i](int value) { sliderMoved(i, value); };
    addSkinWidget(sliders_[i].get());
    // Numbers are centred on x 69 and 126 + 30k; they take no presses.
    numbers_[i] = std::make_unique<ui::TVirtualLabel>(
        *this, sliderX(i) - 1, kNumberTop, kNumberPixels, 0, QString(), QStringLiteral("0"),
        ui::colorFromBgr(kNumberColor), false, ui::LabelAnchor::Centre);
  }
  for (ui::SkinWidget* widget : skinWidgets()) widget->paint();
  ui::registerPlayerWindow(this);
}

TfrmEqualizer::~TfrmEqualizer() {
  delete dialog_.data();
}

int TfrmEqualizer::slider(int index) const {
  return sliders_.at(size_t(index))->value();
}

QString TfrmEqualizer::numberText(int index) const {
  return numbers_.at(size_t(index))->text();
}

void TfrmEqualizer::sliderMoved(int index, int value) {
  const int s = audio::applyEqualizerSlider(chain_, index, value);
  settings_.EqualizerSettings[size_t(index)] = s;
  numbers_[size_t(index)]->setText(QString::number(audio::sliderNumber(s)));
}

void TfrmEqualizer::setSlider(int index, int value) {
  if (index < 0 || index >= audio::kEqualizerSliders) return;
  const int s = std::clamp(value, -100, 100);
  sliders_[size_t(index)]->setValue(s);
  sliderMoved(index, s);
}

void TfrmEqualizer::applySettings() {
  for (int i = 0; i < audio::kEqualizerSliders; ++i)
    setSlider(i, settings_.EqualizerSettings[size_t(i)]);
}

void TfrmEqualizer::showPreAmplification() {
  if (!hooks_.showOsd) return;
  const texts::InterfaceTexts& t = texts::currentTexts();
  hooks_.showOsd(t.Messages[50] + ": " + std::to_string(audio::sliderNumber(slider(0))));
}

void TfrmEqualizer::preAmplificationStep(int delta) {
  setSlider(0, slider(0) + delta);
  showPreAmplification();
}

void TfrmEqualizer::preAmplificationReset() {
  setSlider(0, 0);
  showPreAmplification();
}

audio::PresetValues TfrmEqualizer::currentValues() const {
  audio::PresetValues v{};
  for (int i = 0; i < audio::kEqualizerSliders; ++i) v[size_t(i)] = int8_t(slider(i));
  return v;
}

void TfrmEqualizer::applyValues(const audio::PresetValues& values) {
  // The pre-amplifier goes through its gain and back, as a stored gain would.
  setSlider(0, audio::preAmplificationSlider(audio::preAmplificationGain(values[0])));
  for (int i = 1; i < audio::kEqualizerSliders; ++i) setSlider(i, values[size_t(i)]);
}

void TfrmEqualizer::openPresetDialog(TfrmLoadSavePreset::Mode mode) {
  if (dialog_) return;
  beforeLoad_ = currentValues();
  auto* dialog =
      new TfrmLoadSavePreset(mode, presetFile_, beforeLoad_, texts::currentTexts(), this);
  dialog_ = dialog;
  connect(dialog, &TfrmLoadSavePreset::presetChosen, this, &TfrmEqualizer::applyValues);
  connect(dialog, &TfrmLoadSavePreset::finished, this, &TfrmEqualizer::dialogFinished);
  dialog->placeBeside(frameGeometry());
  dialog->show();
  dialog->raise();
  dialog->activateWindow();
}

void TfrmEqualizer::dialogFinished(bool accepted) {
  TfrmLoadSavePreset* dialog = dialog_;
  if (!dialog) return;
  // Cancelling a load puts back the sliders and the sound as they were.
  if (!accepted && dialog->mode() == TfrmLoadSavePreset::Mode::Load) applyValues(beforeLoad_);
  dialog_ = nullptr;
  dialog->deleteLater();  // writes "Presets.EQ" when destroyed
}

void TfrmEqualizer::widgetClicked(ui::SkinWidget* widget) {
  if (widget == close_.get())
    hide();
  else if (widget == load_.get())
    openPresetDialog(TfrmLoadSavePreset::Mode::Load);
  else if (widget == save_.get())
    openPresetDialog(TfrmLoadSavePreset::Mode::Save);
}

void TfrmEqualizer::keyPressEvent(QKeyEvent* event) {
  const Qt::KeyboardModifiers mods =
      event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
  const int key = event->key();
  const bool plain = mods == Qt::NoModifier;
  if (key == Qt::Key_Escape || (plain && key == Qt::Key_E) ||
      (mods == Qt::AltModifier && key == Qt::Key_G)) {
    hide();
  } else if (plain && key == Qt::Key_Up) {
    preAmplificationStep(-kKeyStep);
  } else if (plain && key == Qt::Key_Down) {
    preAmplificationStep(kKeyStep);
  } else if (plain && key == Qt::Key_0 && (event->modifiers() & Qt::KeypadModifier)) {
    preAmplificationReset();
  } else if (hooks_.keyPressed) {
    hooks_.keyPressed(key, event->modifiers());
  }
}

void TfrmEqualizer::wheelEvent(QWheelEvent* event) {
  const int steps = event->angleDelta().y() / 120;
  if (steps != 0) preAmplificationStep(-kKeyStep * steps);
  event->accept();
}

void TfrmEqualizer::showWindow() {
  QRect r(QPoint(settings_.EqualizerXPosition, settings_.EqualizerYPosition), size());
  QScreen* screen = QGuiApplication::screenAt(r.center());
  if (!screen) screen = QGuiApplication::primaryScreen();
  if (screen) {
    const QRect area = screen->availableGeometry();
    r.moveLeft(
        std::clamp(r.left(), area.left(), std::max(area.left(), area.right() + 1 - r.width())));
    r.moveTop(
        std::clamp(r.top(), area.top(), std::max(area.top(), area.bottom() + 1 - r.height())));
  }
  move(r.topLeft());
  show();
  raise();
}

void TfrmEqualizer::toggleWindow() {
  if (isVisible())
    hide();
  else
    showWindow();
}

void TfrmEqualizer::storePosition() {
  settings_.EqualizerXPosition = x();
  settings_.EqualizerYPosition = y();
}

void TfrmEqualizer::hideEvent(QHideEvent* event) {
  storePosition();
  SkinWindow::hideEvent(event);
}

}  // namespace eqwindow
