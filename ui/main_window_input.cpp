// TfrmMain: mouse, wheel, keyboard and dropped files.
#include "ui/main_window.h"

#include "ui/sliders.h"
#include "ui/virtual_button.h"
#include "ui/virtual_label.h"
#include "ui/virtual_toggles.h"

#include <QCloseEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QUrl>

namespace ui {

void TfrmMain::widgetClicked(SkinWidget* widget) {
  if (widget == mute_.get()) {
    // The flip has already toggled; the volume follows at once.
    settings_.Mute = !mute_->on();
    commands_.setMute(settings_.Mute);
    commands_.setVolume(volume_->volumeLevel());
    return;
  }
  if (widget == volume_.get() || widget == seekBar_.get()) return;
  for (const auto& [id, b] : buttons_) {
    if (b.get() != widget) continue;
    // Queued: the command may open a modal dialog or close this window, which
    // must not happen inside the mouse handler.
    QMetaObject::invokeMethod(
        this, [this, id = id] { runButton(id); }, Qt::QueuedConnection);
    return;
  }
  auto* label = static_cast<TVirtualLabel*>(widget);
  if (label == timesLabel_.get() || label == repeatLabel_.get())
    QMetaObject::invokeMethod(
        this, [this, label] { runLabel(label); }, Qt::QueuedConnection);
}

void TfrmMain::runButton(MainButton id) {
  switch (id) {
    case MainButton::OpenMovie:
      commands_.openMovieDialog();
      break;
    case MainButton::Rewind:
      commands_.rewind();
      break;
    case MainButton::Play:
      commands_.play();
      break;
    case MainButton::Forward:
      commands_.forward();
      break;
    case MainButton::Pause:
      commands_.pause();
      break;
    case MainButton::Stop:
      commands_.stop();
      break;
    case MainButton::OpenSubtitle:
      commands_.openSubtitleDialog();
      break;
    case MainButton::Prior:
      commands_.previousMovie();
      break;
    case MainButton::Next:
      commands_.nextMovie();
      break;
    case MainButton::Playlist:
      commands_.togglePlaylist();
      break;
    case MainButton::Configuration:
      commands_.configuration();
      break;
    case MainButton::Close:
      if (!commands_.closePlayer()) close();
      break;
    case MainButton::Minimize:
      if (!commands_.minimize()) showMinimized();
      break;
    case MainButton::VolumeUp:
      commands_.volumeUp();
      break;
    case MainButton::VolumeDown:
      commands_.volumeDown();
      break;
    case MainButton::Info:
      commands_.movieInfo();
      break;
  }
}

void TfrmMain::runLabel(TVirtualLabel* label) {
  if (label == timesLabel_.get())
    commands_.switchTimesFrames();
  else if (label == repeatLabel_.get())
    commands_.cycleRepeat();
}

void TfrmMain::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  const QPoint p = event->position().toPoint();
  if (movieLabel_->contains(p.x(), p.y()))
    QMetaObject::invokeMethod(
        this, [this] { commands_.openMovieDialog(); }, Qt::QueuedConnection);
  else if (subtitleLabel_->contains(p.x(), p.y()))
    QMetaObject::invokeMethod(
        this, [this] { commands_.openSubtitleDialog(); }, Qt::QueuedConnection);
  else
    mousePressEvent(event);  // a double click elsewhere acts as a press
}

void TfrmMain::wheelEvent(QWheelEvent* event) {
  const int steps = event->angleDelta().y() / 120;
  if (steps == 0) return;
  if (commands_.wheel(steps)) return;
  for (int i = 0; i < std::abs(steps); ++i)
    steps > 0 ? commands_.volumeUp() : commands_.volumeDown();
}

void TfrmMain::keyPressEvent(QKeyEvent* event) {
  commands_.keyPressed(event->key(), event->modifiers());
}

void TfrmMain::closeEvent(QCloseEvent* event) {
  settings_.MainXPosition = x();
  settings_.MainYPosition = y();
  QWidget::closeEvent(event);
}

void TfrmMain::dragEnterEvent(QDragEnterEvent* event) {
  if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void TfrmMain::dropEvent(QDropEvent* event) {
  std::vector<std::string> paths;
  for (const QUrl& url : event->mimeData()->urls())
    if (url.isLocalFile()) paths.push_back(url.toLocalFile().toStdString());
  if (paths.empty()) return;
  event->acceptProposedAction();
  QMetaObject::invokeMethod(
      this, [this, paths = std::move(paths)] { commands_.filesDropped(paths); },
      Qt::QueuedConnection);
}

void TfrmMain::setMovieName(const std::string& name) {
  movieLabel_->setText(QString::fromStdString(name));
  updateScrollTimer();
}

void TfrmMain::setSubtitleName(const std::string& name) {
  subtitleLabel_->setText(QString::fromStdString(name));
  updateScrollTimer();
}

void TfrmMain::setTimesText(const std::string& text) {
  timesLabel_->setText(QString::fromStdString(text));
}

void TfrmMain::setRepeatText(const std::string& text) {
  repeatLabel_->setText(QString::fromStdString(text));
}

void TfrmMain::setShowingFrames(bool frames) {
  showingFrames_ = frames;
  timesLabel_->setHint(QString::fromStdString(texts_->Hints[frames ? 3 : 2]));
}

QString TfrmMain::movieName() const {
  return movieLabel_->text();
}
QString TfrmMain::timesText() const {
  return timesLabel_->text();
}
QRect TfrmMain::movieLabelRect() const {
  return movieLabel_->rect();
}
QRect TfrmMain::timesLabelRect() const {
  return timesLabel_->rect();
}
QRect TfrmMain::repeatLabelRect() const {
  return repeatLabel_->rect();
}

void TfrmMain::updateScrollTimer() {
  const bool any = movieLabel_->scrolling() || subtitleLabel_->scrolling();
  if (!any) {
    scrollTimer_.stop();
    scrollTurn_ = nullptr;
    return;
  }
  if (!scrollTurn_ || !scrollTurn_->scrolling())
    scrollTurn_ = movieLabel_->scrolling() ? movieLabel_.get() : subtitleLabel_.get();
  if (!scrollTimer_.isActive()) scrollTimer_.start();
}

void TfrmMain::scrollTick() {
  if (!scrollTurn_) return;
  const bool turned = scrollTurn_->scrollStep();
  // When both names scroll they take turns, each finishing a full turn first.
  TVirtualLabel* other =
      scrollTurn_ == movieLabel_.get() ? subtitleLabel_.get() : movieLabel_.get();
  if (turned && other->scrolling()) scrollTurn_ = other;
}

}  // namespace ui
