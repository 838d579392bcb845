#include "audio/window/preset_dialog.h"

#include <QCloseEvent>
#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>

#include <algorithm>

#include "ui/colors.h"
#include "ui/skin_loader.h"
#include "ui/virtual_button.h"

namespace eqwindow {

namespace {

constexpr int kTitleColor = 0x999999;  // 0x00BBGGRR: RGB (153, 153, 153)
constexpr int kButtonTop = 267;
constexpr int kButtonHeight = 20;

QString qt(const std::string& s) {
  return QString::fromStdString(s);
}

}  // namespace

TfrmLoadSavePreset::TfrmLoadSavePreset(Mode mode, const std::string& presetFile,
                                       const audio::PresetValues& current,
                                       const texts::InterfaceTexts& texts, QWidget* parent)
    : SkinWindow(parent, Qt::Tool), mode_(mode), store_(presetFile), current_(current) {
  const QString title = qt(texts.Titles[mode == Mode::Load ? 11 : 12]);
  setWindowTitle(title);
  QImage face = ui::loadSkinImage("LoadSavePreset");
  {
    QPainter painter(&face);
    QFont font("Verdana");
    font.setPixelSize(12);  // 9 points at 96 pixels per inch
    painter.setFont(font);
    painter.setPen(ui::colorFromBgr(kTitleColor));
    painter.drawText(QPoint(5, 5 + QFontMetrics(font).ascent()), title);
  }
  setFace(face);
  const int w = face.width();

  list_ = new QListWidget(this);
  list_->setGeometry(2, 24, w - 4, mode == Mode::Load ? 229 : 203);
  list_->installEventFilter(this);
  name_ = new QLineEdit(this);
  name_->setGeometry(2, 229, w - 4, 22);
  name_->setVisible(mode == Mode::Save);
  name_->installEventFilter(this);

  close_ = std::make_unique<ui::TVirtualButton>(*this, QRect(QPoint(236, 7), QPoint(245, 16)), true,
                                                "MainbtnClose", qt(texts.Hints[0]),
                                                ui::ButtonLook::ImageNoDisabled);
  // Equal widths; OK's left edge at a third of the free width, Cancel mirrored.
  const QFontMetrics metrics(ui::textButtonFont());
  auto stripWidth = [&](const std::string& caption) {
    return 60 + 20 * ui::textStripForCaption(metrics.horizontalAdvance(qt(caption)));
  };
  const int bw = std::max(stripWidth(texts.Buttons[6]), stripWidth(texts.Buttons[7]));
  const int okLeft = (w - 2 * bw) / 3;
  ok_ = std::make_unique<ui::TVirtualButton>(*this, QRect(okLeft, kButtonTop, bw, kButtonHeight),
                                             qt(texts.Buttons[6]), QString(), ui::TextAnchor::Left);
  cancel_ = std::make_unique<ui::TVirtualButton>(
      *this, QRect(w - okLeft - bw, kButtonTop, bw, kButtonHeight), qt(texts.Buttons[7]), QString(),
      ui::TextAnchor::Left);
  ok_->setWidth(bw);
  cancel_->setWidth(bw);
  addSkinWidget(close_.get());
  addSkinWidget(ok_.get());
  addSkinWidget(cancel_.get());
  for (ui::SkinWidget* widget : skinWidgets()) widget->paint();

  store_.read();
  list_->addItem("(" + qt(texts.Options[8]) + ")");
  fillList();
  connect(list_, &QListWidget::currentRowChanged, this, &TfrmLoadSavePreset::rowChanged);
  setWindowModality(Qt::ApplicationModal);
  if (mode == Mode::Save) name_->setFocus();
}

TfrmLoadSavePreset::~TfrmLoadSavePreset() {
  // Deletions made in Load mode persist even after Cancel.
  store_.write();
}

void TfrmLoadSavePreset::fillList() {
  while (list_->count() > 1) delete list_->takeItem(1);
  for (const audio::EqPreset& p : store_.presets()) list_->addItem(qt(p.name));
}

QRect TfrmLoadSavePreset::okRect() const {
  return ok_->rect();
}
QRect TfrmLoadSavePreset::cancelRect() const {
  return cancel_->rect();
}
QRect TfrmLoadSavePreset::closeRect() const {
  return close_->rect();
}

void TfrmLoadSavePreset::placeBeside(const QRect& eq) {
  QScreen* screen = QGuiApplication::screenAt(eq.center());
  if (!screen) screen = QGuiApplication::primaryScreen();
  const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 1 << 14, 1 << 14);
  const QSize s = size();
  auto clampIn = [&](QPoint p) {
    p.setX(std::clamp(p.x(), area.left(), std::max(area.left(), area.right() + 1 - s.width())));
    p.setY(std::clamp(p.y(), area.top(), std::max(area.top(), area.bottom() + 1 - s.height())));
    return p;
  };
  QPoint at;
  if (eq.left() - s.width() >= area.left())
    at = clampIn(QPoint(eq.left() - s.width(), eq.center().y() - s.height() / 2));
  else if (eq.bottom() + 1 + s.height() <= area.bottom() + 1)
    at = clampIn(QPoint(eq.left(), eq.bottom() + 1));
  else
    at = area.center() - QPoint(s.width() / 2, s.height() / 2);
  move(at);
}

void TfrmLoadSavePreset::rowChanged(int row) {
  if (row < 0 || done_) return;
  if (mode_ == Mode::Load) {
    audio::PresetValues values{};
    if (row >= 1 && size_t(row - 1) < store_.presets().size())
      values = store_.presets()[size_t(row - 1)].values;
    emit presetChosen(values);
  } else if (row >= 1 && size_t(row - 1) < store_.presets().size()) {
    name_->setText(qt(store_.presets()[size_t(row - 1)].name));
  }
}

void TfrmLoadSavePreset::deleteSelected() {
  const int row = list_->currentRow();
  if (mode_ != Mode::Load || row < 1 || store_.presets().empty()) return;
  store_.remove(size_t(row - 1));
  const QSignalBlocker block(list_);
  fillList();
  const int next = std::min(row, list_->count() - 1);
  list_->setCurrentRow(next);
  rowChanged(next);
}

void TfrmLoadSavePreset::accept() {
  if (done_) return;
  if (mode_ == Mode::Save) store_.save(name_->text().toStdString(), current_);
  finish(true);
}

void TfrmLoadSavePreset::reject() {
  finish(false);
}

void TfrmLoadSavePreset::finish(bool accepted) {
  if (done_) return;
  done_ = true;
  hide();
  emit finished(accepted);
}

void TfrmLoadSavePreset::widgetClicked(ui::SkinWidget* widget) {
  if (widget == ok_.get()) {
    // The button closes only with a name to save; Enter always closes.
    if (mode_ == Mode::Save && name_->text().isEmpty()) return;
    accept();
  } else if (widget == cancel_.get() || widget == close_.get()) {
    reject();
  }
}

void TfrmLoadSavePreset::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape)
    reject();
  else if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
    accept();
  else
    SkinWindow::keyPressEvent(event);
}

bool TfrmLoadSavePreset::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Escape) {
      reject();
      return true;
    }
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
      accept();
      return true;
    }
    if (watched == list_ && key->key() == Qt::Key_Delete) {
      deleteSelected();
      return true;
    }
  }
  return SkinWindow::eventFilter(watched, event);
}

void TfrmLoadSavePreset::closeEvent(QCloseEvent* event) {
  finish(false);
  SkinWindow::closeEvent(event);
}

}  // namespace eqwindow
