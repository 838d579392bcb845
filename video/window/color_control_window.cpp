#include "video/window/color_control_window.h"

#include <QFont>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QPainter>
#include <QWheelEvent>

#include <algorithm>

#include "texts/interface_texts.h"
#include "ui/colors.h"
#include "ui/skin_loader.h"
#include "ui/track_bar.h"
#include "ui/virtual_button.h"
#include "ui/virtual_label.h"
#include "ui/window_drag.h"

namespace colorwindow {

namespace {

using video::ColorRow;

constexpr int kTitleColor = 0x999999;   // 0x00BBGGRR: RGB (153, 153, 153)
constexpr int kNumberColor = 0x166116;  // RGB (22, 97, 22)
constexpr int kNameColor = 0xC0C0C0;    // light grey, readable on the dark face
constexpr int kNumberX = 260;
constexpr int kTextPixels = 11;  // "MS Sans Serif" 8 points at 96 pixels per inch
constexpr int kScorePerChange = 5000;

QString qt(const std::string& s) {
  return QString::fromStdString(s);
}

// A row's names and numbers stand 7 pixels above its slider (y 31, 56, 81, 106).
int textTop(ColorRow row) {
  return video::colorRowRule(row).rowY - 7;
}

QFont textFont() {
  QFont font("MS Sans Serif");
  font.setPixelSize(kTextPixels);
  return font;
}

}  // namespace

QImage TfrmColorControl::makeFace() const {
  const texts::InterfaceTexts& t = texts::currentTexts();
  QImage face = ui::loadSkinImage("ColorControl");
  QPainter painter(&face);
  QFont title("Verdana");
  title.setPixelSize(12);  // 9 points at 96 pixels per inch
  painter.setFont(title);
  painter.setPen(ui::colorFromBgr(kTitleColor));
  painter.drawText(QPoint(5, 5 + QFontMetrics(title).ascent()), qt(t.Titles[2]));
  // The row names are centred as a block in the 97 pixels left of the
  // sliders: left edge (97 - widest) div 2 + 2.
  painter.setFont(textFont());
  painter.setPen(ui::colorFromBgr(kNameColor));
  const QFontMetrics metrics(textFont());
  int widest = 0;
  for (int i = 0; i < video::kColorRows; ++i)
    widest = std::max(widest, metrics.horizontalAdvance(qt(t.Labels[size_t(2 + i)])));
  const int left = (97 - widest) / 2 + 2;
  for (int i = 0; i < video::kColorRows; ++i)
    painter.drawText(QPoint(left, textTop(ColorRow(i)) + metrics.ascent()),
                     qt(t.Labels[size_t(2 + i)]));
  return face;
}

TfrmColorControl::TfrmColorControl(settings::Settings& settings, QWidget* parent)
    : SkinWindow(parent, Qt::Tool), settings_(settings) {
  const texts::InterfaceTexts& t = texts::currentTexts();
  setWindowTitle(qt(t.Titles[2]));
  setFace(makeFace());
  const int w = face().width();

  close_ = std::make_unique<ui::TVirtualButton>(*this, QRect(QPoint(w - 14, 7), QPoint(w - 5, 16)),
                                                true, "MainbtnClose", qt(t.Hints[0]),
                                                ui::ButtonLook::ImageNoDisabled);
  const int left = (w - 80) / 2;
  default_ =
      std::make_unique<ui::TVirtualButton>(*this, QRect(QPoint(left, 133), QPoint(left + 80, 153)),
                                           qt(t.Buttons[11]), QString(), ui::TextAnchor::Centre);
  addSkinWidget(close_.get());
  addSkinWidget(default_.get());
  for (int i = 0; i < video::kColorRows; ++i) {
    const ColorRow row = ColorRow(i);
    const video::ColorRowRule& rule = video::colorRowRule(row);
    sliders_[size_t(i)] = std::make_unique<ui::TVirtualTrackBar>(
        *this, ui::colourRowGeometry(rule.rowY, rule.minimum, rule.maximum));
    sliders_[size_t(i)]->onChange = [this, row](int value) { sliderMoved(row, value); };
    addSkinWidget(sliders_[size_t(i)].get());
    numbers_[size_t(i)] = std::make_unique<ui::TVirtualLabel>(
        *this, kNumberX, textTop(row), kTextPixels, 0, QString(), QString(),
        ui::colorFromBgr(kNumberColor), false, ui::LabelAnchor::Start);
  }
  for (int i = 0; i < video::kColorRows; ++i) {
    sliders_[size_t(i)]->setValue(video::colorSliderFromSettings(settings_, ColorRow(i)));
    showNumber(ColorRow(i));
  }
  for (ui::SkinWidget* widget : skinWidgets()) widget->paint();
  follow_.setInterval(100);
  connect(&follow_, &QTimer::timeout, this, &TfrmColorControl::applySettings);
  ui::registerPlayerWindow(this);
  textsListener_ = texts::addApplyListener([this] { applyTexts(); });
}

TfrmColorControl::~TfrmColorControl() {
  texts::removeApplyListener(textsListener_);
}

void TfrmColorControl::applyTexts() {
  const texts::InterfaceTexts& t = texts::currentTexts();
  setWindowTitle(qt(t.Titles[2]));
  setFace(makeFace());
  close_->setHint(qt(t.Hints[0]));
  default_->setText(qt(t.Buttons[11]));
  for (auto& number : numbers_) number->paint();
  for (ui::SkinWidget* widget : skinWidgets()) widget->paint();
}

int TfrmColorControl::slider(ColorRow row) const {
  return sliders_.at(size_t(row))->value();
}

QString TfrmColorControl::numberText(ColorRow row) const {
  return numbers_.at(size_t(row))->text();
}

QPoint TfrmColorControl::thumbCentre(ColorRow row) const {
  return QPoint(sliders_.at(size_t(row))->thumb(), video::colorRowRule(row).rowY);
}

void TfrmColorControl::showNumber(ColorRow row) {
  numbers_[size_t(row)]->setText(qt(video::colorNumberText(row, slider(row))));
}

void TfrmColorControl::storeAndShow(ColorRow row, int value) {
  sliders_[size_t(row)]->setValue(value);
  video::storeColorSlider(settings_, row, slider(row));
  showNumber(row);
}

void TfrmColorControl::applySettings() {
  for (int i = 0; i < video::kColorRows; ++i) {
    const ColorRow row = ColorRow(i);
    const int value = video::colorSliderFromSettings(settings_, row);
    if (value == slider(row)) continue;
    sliders_[size_t(i)]->setValue(value);
    showNumber(row);
  }
}

void TfrmColorControl::sliderMoved(ColorRow row, int value) {
  video::storeColorSlider(settings_, row, value);
  showNumber(row);
  // Every press and every move of a taken slider counts as a change.
  if (hooks_.settingsChanged) hooks_.settingsChanged(kScorePerChange);
}

void TfrmColorControl::brightnessStep(bool right, bool score) {
  storeAndShow(ColorRow::Brightness, video::brightnessStep(slider(ColorRow::Brightness), right));
  if (hooks_.showOsd)
    hooks_.showOsd(texts::currentTexts().Labels[2] + ": " +
                   video::colorNumberText(ColorRow::Brightness, slider(ColorRow::Brightness)));
  if (score && hooks_.settingsChanged) hooks_.settingsChanged(kScorePerChange);
}

void TfrmColorControl::defaultValues() {
  for (int i = 0; i < video::kColorRows; ++i)
    storeAndShow(ColorRow(i), video::colorRowRule(ColorRow(i)).defaultValue);
  // Counts as a change even when every value already was the default.
  if (hooks_.settingsChanged) hooks_.settingsChanged(kScorePerChange);
}

void TfrmColorControl::showAt(video::ColorPlacement placement) {
  placement.width = width();
  placement.height = height();
  const video::PlaceRect r = video::placeColorControl(placement);
  move(r.left, r.top);
  show();
  raise();
  activateWindow();
}

void TfrmColorControl::widgetClicked(ui::SkinWidget* widget) {
  if (widget == close_.get())
    hide();
  else if (widget == default_.get())
    defaultValues();
}

void TfrmColorControl::keyPressEvent(QKeyEvent* event) {
  const Qt::KeyboardModifiers mods =
      event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
  const int key = event->key();
  if (key == Qt::Key_Escape || (mods == Qt::ControlModifier && key == Qt::Key_C))
    hide();
  else if (mods == Qt::NoModifier && key == Qt::Key_Left)
    brightnessStep(false);
  else if (mods == Qt::NoModifier && key == Qt::Key_Right)
    brightnessStep(true);
  else if (hooks_.keyPressed)
    hooks_.keyPressed(key, event->modifiers());
}

void TfrmColorControl::wheelEvent(QWheelEvent* event) {
  // Away from the user is Right, towards the user Left; no change is counted.
  const int steps = event->angleDelta().y() / 120;
  for (int i = 0; i < std::abs(steps); ++i) brightnessStep(steps > 0, false);
  event->accept();
}

void TfrmColorControl::showEvent(QShowEvent* event) {
  applySettings();
  follow_.start();
  SkinWindow::showEvent(event);
}

void TfrmColorControl::hideEvent(QHideEvent* event) {
  follow_.stop();
  SkinWindow::hideEvent(event);
}

}  // namespace colorwindow
