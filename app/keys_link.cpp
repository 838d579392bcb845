#include "app/keys_link.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QCursor>
#include <QFontDialog>
#include <QGuiApplication>
#include <QScreen>

#include <algorithm>

#include "subtitles/subtitle_look.h"
#include "texts/interface_texts.h"
#include "ui/jump_window.h"
#include "ui/key_definitions_window.h"
#include "video/picture_commands.h"

namespace app {

namespace {

constexpr int kTitleSubtitleFont = 14;  // InterfaceTexts::Titles

QScreen* screenOf(const QWidget& w) {
  QScreen* s = QGuiApplication::screenAt(w.frameGeometry().center());
  if (!s) s = w.screen() ? w.screen() : QGuiApplication::primaryScreen();
  return s;
}

// The area a window is kept in: the whole desktop with several monitors,
// else the work area of its screen.
QRect keepArea(const QWidget& w) {
  QScreen* s = screenOf(w);
  if (!s) return {};
  return QGuiApplication::screens().size() > 1 ? s->virtualGeometry() : s->availableGeometry();
}

video::Bounds bounds(const QRect& r) {
  return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

}  // namespace

KeysLink::KeysLink(ui::MainWindowPlayback& adapter, playback::Player& player,
                   settings::Settings& settings, QPointer<ui::TfrmMain> main,
                   ui::VideoPlayback& video, ScreenCommandsLink& screen)
    : adapter_(adapter),
      player_(player),
      settings_(settings),
      main_(main),
      video_(video),
      screen_(screen) {
  ui::MainWindowHooks& h = adapter_.hooks();
  auto previousAction = h.keyAction;
  h.keyAction = [this, previousAction](const playback::KeyAction& action) {
    return run(action) || (previousAction && previousAction(action));
  };
  auto previousState = h.keyState;
  h.keyState = [this, previousState](playback::KeyState& s) {
    fillKeyState(s);
    if (previousState) previousState(s);
  };
  // The aspect ratio marks show the picture as it is when the menu opens.
  auto previousOpening = h.contextMenuOpening;
  h.contextMenuOpening = [this, previousOpening] {
    if (previousOpening) previousOpening();
    markRatioItem();
  };
  auto previousMenu = h.menuCommand;
  h.menuCommand = [this, previousMenu](ui::MenuCommand command) {
    using C = ui::MenuCommand;
    if (command == C::JumpToTime)
      jumpToTime();
    else if (command == C::SubtitleFont)
      chooseSubtitleFont();
    else if (command == C::KeyDefinitions)
      keyDefinitions();
    else if (previousMenu)
      previousMenu(command);
  };
}

bool KeysLink::mainRaised() const {
  return screen_.fullScreen().mainWindowRaised();
}

void KeysLink::markRatioItem() {
  using C = ui::MenuCommand;
  using R = video::RatioItem;
  if (!main_) return;
  static const std::pair<R, C> items[] = {
      {R::Original, C::AspectOriginal}, {R::Ratio16x9, C::Aspect16x9},
      {R::Ratio4x3, C::Aspect4x3},      {R::Ratio1x1, C::Aspect1x1},
      {R::Free, C::AspectFree},         {R::Custom, C::AspectCustom}};
  const R shown = video::shownRatioItem(player_.state().Picture, settings_.KeepAspectRatio);
  for (const auto& [item, command] : items)
    if (QAction* action = main_->menuAction(command)) action->setChecked(item == shown);
}

void KeysLink::fillKeyState(playback::KeyState& s) const {
  ui::TfrmVideoWindow& video = video_.window();
  s.VideoShowing = video.isVisible();
  s.VideoFocused = video.isActiveWindow();
  s.MainFocused = main_ && main_->isActiveWindow();
  s.MainRaised = mainRaised();
}

bool KeysLink::run(const playback::KeyAction& action) {
  using K = playback::KeyCommand;
  switch (action.command) {
    case K::SubtitleTime:
      video_.ShiftSubtitleTimes(action.value);
      return true;
    case K::Clock:
      // Switched off, the next tick clears the clock and repaints the layer.
      player_.state().ClockOn = !player_.state().ClockOn;
      return true;
    case K::Minimize:
      if (!adapter_.minimize() && main_) main_->showMinimized();
      return true;
    case K::MovieInfo:
      adapter_.movieInfo();
      return true;
    case K::ContextMenu:
      popUpContextMenu();
      return true;
    case K::ClosePlayer:
      if (main_) main_->close();
      return true;
    case K::RaiseMainWindow:
      raiseMainWindow();
      return true;
    case K::ActivateMainWindow:
      activateMainWindow();
      return true;
    case K::FocusMainWindow:
      focusMainWindow();
      return true;
    case K::FocusVideoWindow:
      focusVideoWindow();
      return true;
    case K::LeaveFullScreen:
      leaveFullScreen();
      return true;
    default:
      return false;
  }
}

// Raised over the full-screen video without taking the focus, which goes to
// the video; the full-screen state keeps whether it is raised (and keeps it
// disabled while it lies on the video's monitor alone).
void KeysLink::raiseMainWindow() {
  video::FullScreen& full = screen_.fullScreen();
  if (full.active() && !full.mainWindowRaised()) full.escape(video_.window().isVisible());
}

void KeysLink::activateMainWindow() {
  if (!main_) return;
  main_->setEnabled(true);
  main_->raise();
  main_->activateWindow();
}

void KeysLink::focusMainWindow() {
  if (!main_) return;
  const QRect area = keepArea(*main_);
  const QRect frame = main_->frameGeometry();
  if (!area.isEmpty())
    main_->move(std::clamp(frame.left(), area.left(),
                           std::max(area.left(), area.left() + area.width() - frame.width())),
                std::clamp(frame.top(), area.top(),
                           std::max(area.top(), area.top() + area.height() - frame.height())));
  main_->show();
  main_->raise();
  main_->activateWindow();
}

// The video window gets the focus and stays reachable: at least a tenth of
// the screen of it shows on each side.
void KeysLink::focusVideoWindow() {
  ui::TfrmVideoWindow& video = video_.window();
  if (!video.isVisible()) return;
  if (!screen_.fullScreen().active()) {
    const QRect area = keepArea(video);
    const QRect frame = video.frameGeometry();
    const int w = area.width(), h = area.height();
    const int left =
        std::clamp(frame.left(), area.left() + w / 10 - frame.width(), area.left() + w * 9 / 10);
    const int top =
        std::clamp(frame.top(), area.top() + h / 10 - frame.height(), area.top() + h * 9 / 10);
    if (left != frame.left() || top != frame.top()) video.move(left, top);
  }
  video.raise();
  video.activateWindow();
}

void KeysLink::leaveFullScreen() {
  video::FullScreen& full = screen_.fullScreen();
  if (!full.mainWindowRaised()) return;
  // Leaving full screen is saved soon, like the Fullscreen command.
  if (full.escape(video_.window().isVisible()) == video::EscapeStep::LeftFullScreen &&
      player_.controller().movieOpen())
    playback::addSettingsChange(player_.state(), 5000);
  if (main_) main_->setEnabled(true);
}

void KeysLink::popUpContextMenu() {
  if (!main_) return;
  const QPoint global = QCursor::pos();
  QContextMenuEvent event(QContextMenuEvent::Keyboard, main_->mapFromGlobal(global), global);
  QCoreApplication::sendEvent(main_, &event);
}

void KeysLink::jumpToTime() {
  playback::PlaybackController& c = player_.controller();
  ui::TfrmVideoWindow& video = video_.window();
  if (!c.movieOpen() || !video.isVisible() || ui::jumpDialogOpen()) return;
  playback::JumpPlacement place;
  place.FullScreen = screen_.fullScreen().active();
  place.MultiMonitorDesktop = QGuiApplication::screens().size() > 1;
  QScreen* monitor = screenOf(video);
  if (monitor) {
    place.Monitor = bounds(monitor->geometry());
    place.WorkArea = bounds(monitor->availableGeometry());
  }
  if (QScreen* primary = QGuiApplication::primaryScreen())
    place.ScreenCentreX = primary->geometry().center().x();
  place.VideoWindow = bounds(video.frameGeometry());
  const int64_t durationSeconds = player_.engine().duration() / playback::kUnitsPerMs / 1000;
  const std::optional<int64_t> seconds =
      ui::ShowJumpDialog(c.LastJumpSeconds(), durationSeconds, place, main_);
  if (seconds && c.movieOpen()) c.JumpToSeconds(*seconds);
}

void KeysLink::chooseSubtitleFont() {
  if (player_.state().OpeningBusy) return;
  QScreen* primary = QGuiApplication::primaryScreen();
  const int screenWidth = primary ? primary->geometry().width() : 1024;
  QFont initial(QString::fromStdString(settings_.SubtitleFontName));
  const auto style = settings::FontStyle(settings_.SubtitleFontStyle);
  initial.setBold(style == settings::FontStyle::Bold || style == settings::FontStyle::BoldItalic);
  initial.setItalic(style == settings::FontStyle::Italic ||
                    style == settings::FontStyle::BoldItalic);
  initial.setPointSize(
      std::max(1, subtitles::fontDialogPoints(screenWidth, settings_.SubtitleSize)));
  bool chosen = false;
  const QFont font = QFontDialog::getFont(
      &chosen, initial, main_,
      QString::fromStdString(texts::currentTexts().Titles[kTitleSubtitleFont]));
  if (!chosen) return;
  const bool bold = font.bold(), italic = font.italic();
  const settings::FontStyle chosenStyle = bold && italic ? settings::FontStyle::BoldItalic
                                          : bold         ? settings::FontStyle::Bold
                                          : italic       ? settings::FontStyle::Italic
                                                         : settings::FontStyle::Regular;
  video_.SubtitleFontChosen(font.family().toStdString(), int(chosenStyle),
                            subtitles::subtitleSizeForPoints(font.pointSizeF(), screenWidth));
}

void KeysLink::keyDefinitions() {
  if (player_.state().OpeningBusy || ui::keyDefinitionsOpen()) return;
  QRect monitor;
  if (mainRaised())
    if (QScreen* s = screenOf(video_.window())) monitor = s->geometry();
  ui::ShowKeyDefinitions(main_, monitor);
}

}  // namespace app
