#include "ui/picture_dialog_windows.h"
#include "ui/face_text.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QWheelEvent>

#include "ui/colors.h"
#include "ui/skin_loader.h"
#include "ui/virtual_button.h"

namespace ui {

namespace {

constexpr int kTitleColor = 0x999999;
constexpr int kValueColor = 0xC0C0C0;
constexpr int kGrooveColor = 0x505050;
constexpr int kTrackTop = 34;  // the thumb image is 7 x 12
constexpr int kThumbWidth = 7;
constexpr int kThumbHeight = 12;
constexpr QRect kValueText(0, 52, 0, 16);  // left and width follow the window
constexpr int kButtonTop = 82;

// Hints and captions of the interface texts.
constexpr int kHintClose = 0;
constexpr int kHintOriginalRatio = 28;
constexpr int kButtonOk = 6;
constexpr int kButtonCancel = 7;
constexpr int kTitleRatio = 1;
constexpr int kTitlePanScan = 8;

// Runs a dialog until it closes.
template <typename Window>
int runModal(Window* window, QPoint topLeft) {
  QPointer<Window> guard = window;
  window->move(topLeft);
  window->setWindowModality(Qt::ApplicationModal);
  QEventLoop loop;
  QObject::connect(window, &SliderDialog::closed, &loop, &QEventLoop::quit);
  QObject::connect(window, &QObject::destroyed, &loop, &QEventLoop::quit);
  window->show();
  window->raise();
  window->activateWindow();
  loop.exec(QEventLoop::DialogExec);
  const int gain = guard ? guard->closeScoreDelta() : 0;
  delete guard.data();
  return gain;
}

}  // namespace

SliderDialog::SliderDialog(const char* faceImage, const std::string& title,
                           const texts::InterfaceTexts& t, int trackLeft, int trackWidth,
                           QWidget* parent)
    : SkinWindow(parent, Qt::Dialog) {
  setWindowTitle(q(title));
  track_ = QRect(trackLeft, kTrackTop, trackWidth + kThumbWidth, kThumbHeight);
  QImage face = loadSkinImage(faceImage);
  {
    QPainter p(&face);
    p.setFont(faceFont("Verdana", 12));
    p.setPen(colorFromBgr(kTitleColor));
    p.drawText(QRect(5, 5, face.width() - 30, 16), Qt::AlignLeft | Qt::AlignTop, q(title));
    // The groove the thumb runs in.
    p.fillRect(QRect(trackLeft + kThumbWidth / 2, kTrackTop + kThumbHeight / 2 - 1, trackWidth, 3),
               colorFromBgr(kGrooveColor));
  }
  setFace(face);
  const int w = face.width();
  close_ = std::make_unique<TVirtualButton>(*this, QRect(QPoint(w - 14, 7), QPoint(w - 5, 16)),
                                            true, "MainbtnClose", q(t.Hints[kHintClose]),
                                            ButtonLook::ImageNoDisabled);
  ok_ = std::make_unique<TVirtualButton>(*this, QRect(w - 190, kButtonTop, 80, 20),
                                         q(t.Buttons[kButtonOk]), QString(), TextAnchor::Left);
  cancel_ =
      std::make_unique<TVirtualButton>(*this, QRect(w - 100, kButtonTop, 80, 20),
                                       q(t.Buttons[kButtonCancel]), QString(), TextAnchor::Left);
  for (TVirtualButton* b : {close_.get(), ok_.get(), cancel_.get()}) {
    addSkinWidget(b);
    b->paint();
  }
  setFocusPolicy(Qt::StrongFocus);
}

SliderDialog::~SliderDialog() = default;

void SliderDialog::showValue(int thumbX, const QString& text) {
  thumbX_ = thumbX;
  const QRect valueRect(0, kValueText.top(), width(), kValueText.height());
  restoreFromBackground(track_);
  restoreFromBackground(valueRect);
  QPainter p(&backBuffer());
  p.drawImage(QPoint(thumbX, kTrackTop), loadSkinImage("HorizontalSlider"));
  p.setFont(faceFont("Arial", 12));
  p.setPen(colorFromBgr(kValueColor));
  p.drawText(valueRect, Qt::AlignHCenter | Qt::AlignVCenter, text);
  update(track_);
  update(valueRect);
}

void SliderDialog::accept(video::DialogInput in) {
  if (input(in)) close();
}

void SliderDialog::keyPressEvent(QKeyEvent* event) {
  using I = video::DialogInput;
  switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Down:
      return accept(I::Decrease);
    case Qt::Key_Right:
    case Qt::Key_Up:
      return accept(I::Increase);
    case Qt::Key_0:
      return accept(I::Digit0);
    case Qt::Key_1:
      return accept(I::Digit1);
    case Qt::Key_2:
      return accept(I::Digit2);
    case Qt::Key_3:
      return accept(I::Digit3);
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return accept(I::Accept);
    case Qt::Key_Escape:
      return accept(I::Cancel);
    default:
      if (acceptLetter(event->key())) return accept(I::Accept);
      SkinWindow::keyPressEvent(event);
  }
}

void SliderDialog::wheelEvent(QWheelEvent* event) {
  const int delta = event->angleDelta().y();
  if (delta != 0) accept(delta > 0 ? video::DialogInput::Increase : video::DialogInput::Decrease);
}

void SliderDialog::facePressed(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  if (track_.adjusted(0, -4, 0, 4).contains(p)) {
    dragging_ = true;
    trackAt(p.x());
    return;
  }
  SkinWindow::facePressed(event);
}

void SliderDialog::mouseMoveEvent(QMouseEvent* event) {
  if (dragging_ && (event->buttons() & Qt::LeftButton)) {
    trackAt(event->position().toPoint().x());
    return;
  }
  dragging_ = false;
  SkinWindow::mouseMoveEvent(event);
}

void SliderDialog::widgetClicked(SkinWidget* widget) {
  if (widget == close_.get() || widget == ok_.get())
    accept(video::DialogInput::Accept);
  else if (widget == cancel_.get())
    accept(video::DialogInput::Cancel);
}

void SliderDialog::closeEvent(QCloseEvent* event) {
  SkinWindow::closeEvent(event);
  emit closed();
}

// --- TfrmAspectRatio ---

TfrmAspectRatio::TfrmAspectRatio(video::PictureState& picture, const texts::InterfaceTexts& t,
                                 std::function<void(const std::string&)> apply, QWidget* parent,
                                 char decimalSeparator)
    : SliderDialog("AspectRatio", t.Titles[kTitleRatio], t, 26,
                   video::CustomRatioDialog::kMax - video::CustomRatioDialog::kMin, parent),
      picture_(picture),
      logic_(picture.PictureRatio, decimalSeparator),
      apply_(std::move(apply)),
      separator_(decimalSeparator) {
  restore_ =
      std::make_unique<TVirtualButton>(*this, QRect(26, 78, 27, 27), true, "RestoreBtn",
                                       q(t.Hints[kHintOriginalRatio]), ButtonLook::ImageNoDisabled);
  addSkinWidget(restore_.get());
  restore_->paint();
  refresh();
}

TfrmAspectRatio::~TfrmAspectRatio() = default;

void TfrmAspectRatio::refresh() {
  showValue(logic_.thumbX(), q(video::formatRatio(logic_.value() / 100.0, separator_)));
}

void TfrmAspectRatio::step(const video::DialogStep& s) {
  refresh();
  if (s.apply && apply_) apply_(*s.apply);
}

bool TfrmAspectRatio::input(video::DialogInput in) {
  const video::DialogStep s = logic_.input(in, picture_);
  step(s);
  return s.close;
}

void TfrmAspectRatio::trackAt(int x) {
  step(logic_.setValue(x - 26 + video::CustomRatioDialog::kMin - kThumbWidth / 2, picture_));
}

void TfrmAspectRatio::widgetClicked(SkinWidget* widget) {
  if (widget == restore_.get())
    step(logic_.restoreNative(picture_));
  else
    SliderDialog::widgetClicked(widget);
}

// --- TfrmPanScan ---

TfrmPanScan::TfrmPanScan(settings::Settings& settings, const texts::InterfaceTexts& t,
                         std::function<void(int)> apply, QWidget* parent)
    : SliderDialog("PanScan", t.Titles[kTitlePanScan], t, 27, 195, parent),
      settings_(settings),
      logic_(settings.PanScanSize),
      apply_(std::move(apply)) {
  refresh();
}

TfrmPanScan::~TfrmPanScan() = default;

void TfrmPanScan::refresh() {
  showValue(logic_.thumbX(), QString::number(logic_.value()) + "%");
}

void TfrmPanScan::step(const video::DialogStep& s) {
  refresh();
  if (s.apply && apply_) apply_(settings_.PanScanSize);
}

bool TfrmPanScan::input(video::DialogInput in) {
  const video::DialogStep s = logic_.input(in, settings_);
  step(s);
  return s.close;
}

void TfrmPanScan::trackAt(int x) {
  // The inverse of thumbX: value = (x - 27) / 195 x 150 - 50, about the thumb's middle.
  const int value = video::roundEven((long double)(x - 27 - kThumbWidth / 2) / 195 * 150) +
                    video::PanScanDialog::kMin;
  step(logic_.setValue(value, settings_));
}

// --- showing them ---

int ShowCustomRatioDialog(video::PictureState& picture, video::RatioDialogPlacement place,
                          QWidget* parent, std::function<void(const std::string&)> apply) {
  auto* window = new TfrmAspectRatio(picture, texts::currentTexts(), std::move(apply), parent);
  place.DialogWidth = window->width();
  place.DialogHeight = window->height();
  const video::Point at = video::customRatioDialogPosition(place);
  return runModal(window, QPoint(at.X, at.Y));
}

int ShowPanScanDialog(settings::Settings& settings, const video::Bounds& monitor, QWidget* parent,
                      std::function<void(int)> apply) {
  auto* window = new TfrmPanScan(settings, texts::currentTexts(), std::move(apply), parent);
  const video::Point at = video::panScanDialogPosition(monitor);
  return runModal(window, QPoint(at.X, at.Y));
}

}  // namespace ui
