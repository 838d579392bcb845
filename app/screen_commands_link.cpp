#include "app/screen_commands_link.h"

#include <QAction>
#include <QApplication>
#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QMenu>
#include <QScreen>
#include <QTimer>

#include "texts/interface_texts.h"
#include "ui/picture_dialog_windows.h"
#include "ui/window_drag.h"
#include "video/picture_commands.h"
#include "video/screen_windows.h"

namespace app {

namespace {

// Indices into InterfaceTexts::Messages.
constexpr int kMovieModeOn = 52;
constexpr int kMovieModeOff = 53;
// Index into InterfaceTexts::Menus: "Monitor".
constexpr int kMonitorMenuText = 70;

QRect qrect(const video::Bounds& b) {
  return QRect(b.Left, b.Top, b.width(), b.height());
}
video::Bounds bounds(const QRect& r) {
  return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

}  // namespace

ScreenCommandsLink::ScreenCommandsLink(playback::Player& player, settings::Settings& settings,
                                       ui::TfrmMain& main, ui::TfrmVideoWindow& video,
                                       std::unique_ptr<video::DisplayModeService> service)
    : player_(player),
      settings_(settings),
      main_(&main),
      video_(video),
      service_(std::move(service)),
      modes_(service_.get()),
      full_(*this, modes_,
            {player.state().Busy, player.state().OpeningBusy, settings, player.state().Picture}) {
  video_.setFullScreenByOwner(true);
  connect(&video_, &ui::TfrmVideoWindow::fullScreenToggleRequested, this, [this] {
    if (video_.isVisible()) addScore(full_.toggle(player_.controller().movieOpen()));
  });
  connect(&video_, &ui::TfrmVideoWindow::leaveFullScreenRequested, this, [this] { full_.leave(); });
  player_.controller().hooks().setFullScreen = [this](bool on) { setFullScreen(on); };
  player_.controller().hooks().uncheckMovieMode = [this] { full_.uncheckMovieMode(); };
  // MovieModeOnLoad: movie mode once the opening has ended (full screen is
  // decided at its end, which would otherwise undo it).
  auto opened = player_.controller().hooks().movieOpened;
  player_.controller().hooks().movieOpened = [this, opened](const std::string& path) {
    if (opened) opened(path);
    if (settings_.MovieModeOnLoad) movieModeAfterOpen(40);
  };
  if (QScreen* s = QGuiApplication::primaryScreen()) screenSize_ = s->geometry().size();
  watchScreens();
  connect(qApp, &QGuiApplication::screenAdded, this, [this](QScreen*) {
    watchScreens();
    screensChanged();
  });
  connect(qApp, &QGuiApplication::screenRemoved, this, [this](QScreen*) { screensChanged(); });
}

ScreenCommandsLink::~ScreenCommandsLink() {
  restoreDisplayMode();
}

void ScreenCommandsLink::start(const std::string& noChangeText) {
  noChangeText_ = noChangeText;
  modes_.rebuild(true);
  if (!modes_.list().has(settings_.FullscreenModeSwitch))
    settings_.FullscreenModeSwitch = noChangeText_;
  buildResolutionMenu();
}

void ScreenCommandsLink::restoreDisplayMode() {
  modes_.restoreStartupMode();
}

void ScreenCommandsLink::watchScreens() {
  for (QScreen* s : QGuiApplication::screens()) {
    // One connection per screen, however often the list is walked.
    disconnect(s, &QScreen::geometryChanged, this, nullptr);
    connect(s, &QScreen::geometryChanged, this, [this](const QRect&) { screensChanged(); });
  }
}

// Several notices arrive for one change (each screen, each size); the
// handling runs once after they have all arrived.
void ScreenCommandsLink::screensChanged() {
  if (changeQueued_) return;
  changeQueued_ = true;
  QTimer::singleShot(50, this, [this] {
    changeQueued_ = false;
    QScreen* primary = QGuiApplication::primaryScreen();
    if (!primary) return;
    const QSize now = primary->geometry().size();
    const bool own =
        full_.displayChanged(screenSize_.width(), screenSize_.height(), now.width(), now.height());
    screenSize_ = now;
    if (!own) {
      if (!modes_.list().has(settings_.FullscreenModeSwitch))
        settings_.FullscreenModeSwitch = noChangeText_;
      buildResolutionMenu();
    }
  });
}

std::vector<std::string> ScreenCommandsLink::displayModeLabels() const {
  std::vector<std::string> labels;
  for (const video::ResolutionMenu& r : modes_.list().Menu) {
    if (r.Items.empty()) labels.push_back(r.Caption);
    for (const video::ResolutionItem& item : r.Items) labels.push_back(item.Caption);
  }
  return labels;
}

void ScreenCommandsLink::buildResolutionMenu() {
  QMenu* menu = main_ ? main_->submenu(ui::MainSubmenu::ChangeResolution) : nullptr;
  if (!menu) return;
  menu->clear();
  auto add = [this](QMenu* into, const std::string& caption, const std::string& name) {
    QAction* action = into->addAction(QString::fromStdString(caption));
    action->setObjectName(QString::fromStdString(name));
    connect(action, &QAction::triggered, this, [this, name] {
      if (player_.state().OpeningBusy) return;
      if (full_.active()) full_.uncheckMovieMode();
      modes_.changeResolution(name);  // a refused mode changes nothing, silently
    });
  };
  for (const video::ResolutionMenu& r : modes_.list().Menu) {
    if (r.Items.empty()) {
      add(menu, r.Caption, r.Name);
      continue;
    }
    QMenu* sub = menu->addMenu(QString::fromStdString(r.Caption));
    sub->setObjectName(QString::fromStdString(r.Name));
    sub->setStyleSheet(menu->styleSheet());
    for (const video::ResolutionItem& item : r.Items) add(sub, item.Caption, item.Name);
  }
}

void ScreenCommandsLink::movieModeAfterOpen(int triesLeft) {
  QTimer::singleShot(50, this, [this, triesLeft] {
    const playback::PlayerState& s = player_.state();
    if (s.OpeningBusy || s.Busy) {
      if (triesLeft > 0) movieModeAfterOpen(triesLeft - 1);
      return;
    }
    if (full_.movieModeOn() || !player_.controller().movieOpen()) return;
    const texts::InterfaceTexts& t = texts::currentTexts();
    full_.movieMode(true, t.Messages[kMovieModeOn], t.Messages[kMovieModeOff]);
  });
}

void ScreenCommandsLink::setFullScreen(bool on) {
  on ? full_.enter(false) : full_.leave();
}

void ScreenCommandsLink::addScore(int delta) {
  if (delta && player_.controller().movieOpen())
    playback::addSettingsChange(player_.state(), delta);
}

void ScreenCommandsLink::windowSize(int percent) {
  const texts::InterfaceTexts& t = texts::currentTexts();
  addScore(full_.windowSize(percent, player_.controller().movieOpen(),
                            [&t](int pan) { return video::panScanMessage(t, pan, true); }));
}

bool ScreenCommandsLink::menuCommand(ui::MenuCommand command) {
  using C = ui::MenuCommand;
  const texts::InterfaceTexts& t = texts::currentTexts();
  const bool graph = player_.controller().movieOpen();
  switch (command) {
    case C::Fullscreen:
      if (video_.isVisible()) addScore(full_.toggle(graph));
      if (QAction* a = main_ ? main_->menuAction(C::Fullscreen) : nullptr)
        a->setChecked(full_.active());
      return true;
    case C::MovieMode:
      full_.movieMode(graph, t.Messages[kMovieModeOn], t.Messages[kMovieModeOff]);
      setMovieModeCheck(full_.movieModeOn());
      return true;
    case C::WindowSize50:
      windowSize(50);
      return true;
    case C::WindowSize100:
      windowSize(100);
      return true;
    case C::WindowSize200:
      windowSize(200);
      return true;
    case C::AspectCustom:
      customRatio();
      return true;
    case C::PanCustom:
      customPanScan();
      return true;
    default:
      return false;
  }
}

// F, Alt+Enter, the size digits, M, A and P reach menuCommand through the
// main window's key table, and Esc is the keys link's; only the zoom cycle's
// Enter is left here.
// Keypad digits other than 0 are not sizes: they move the picture.
bool ScreenCommandsLink::key(int key, Qt::KeyboardModifiers modifiers) {
  const bool plain = !(modifiers & (Qt::AltModifier | Qt::ControlModifier | Qt::ShiftModifier));
  if ((key == Qt::Key_Return || key == Qt::Key_Enter) && plain) {
    full_.zoomCycle(player_.controller().movieOpen());
    return true;
  }
  return false;
}

// --- the dialogs ---

void ScreenCommandsLink::customRatio() {
  playback::PlayerState& s = player_.state();
  if (dialogOpen_ || s.OpeningBusy) return;
  const texts::InterfaceTexts& t = texts::currentTexts();
  video::PlayerView view;
  view.GraphActive = player_.controller().movieOpen();
  view.WindowShowing = video_.isVisible();
  view.FullScreen = full_.active();
  view.Busy = s.Busy;
  view.OpeningBusy = s.OpeningBusy;
  view.SurfaceWidth = video_.width();
  view.SurfaceHeight = video_.height();
  const video::PictureCommandResult first =
      video::ratioCommand(video::RatioItem::Custom, s.Picture, settings_, view, t);
  if (!first.acted) return;
  if (QAction* a = main_ ? main_->menuAction(ui::MenuCommand::AspectCustom) : nullptr)
    a->setChecked(true);
  full_.uncheckMovieMode();
  if (first.Osd) showOsd(*first.Osd);
  video_.update();
  addScore(first.ScoreDelta);

  dialogOpen_ = true;
  video::RatioDialogPlacement place;
  place.FullScreen = full_.active();
  place.MultiMonitorDesktop = QGuiApplication::screens().size() > 1;
  place.Monitor = monitorOfWindow();
  place.WorkArea = workArea();
  place.VideoWindow = windowBounds();
  if (QScreen* p = QGuiApplication::primaryScreen()) place.ScreenWidth = p->geometry().width();
  const int gain =
      ui::ShowCustomRatioDialog(s.Picture, place, main_, [this, &t](const std::string& label) {
        showOsd(video::aspectRatioMessage(t, label));
        video_.update();
      });
  addScore(gain);
  dialogOpen_ = false;
}

void ScreenCommandsLink::customPanScan() {
  playback::PlayerState& s = player_.state();
  if (dialogOpen_ || s.OpeningBusy || !full_.active() || !player_.controller().movieOpen()) return;
  full_.uncheckMovieMode();
  dialogOpen_ = true;
  const texts::InterfaceTexts& t = texts::currentTexts();
  const int gain = ui::ShowPanScanDialog(settings_, monitorOfWindow(), main_, [this, &t](int pan) {
    showOsd(video::panScanMessage(t, pan, true));
    video_.update();
  });
  addScore(gain);
  dialogOpen_ = false;
}

// --- video::ScreenPort ---

video::Bounds ScreenCommandsLink::windowBounds() const {
  return bounds(video_.geometry());
}

video::Bounds ScreenCommandsLink::monitorOfWindow() const {
  QScreen* s = QGuiApplication::screenAt(video_.geometry().center());
  if (!s) s = video_.screen() ? video_.screen() : QGuiApplication::primaryScreen();
  return s ? bounds(s->geometry()) : video::Bounds{};
}

std::vector<video::Bounds> ScreenCommandsLink::monitors() const {
  std::vector<video::Bounds> all;
  for (QScreen* s : QGuiApplication::screens()) all.push_back(bounds(s->geometry()));
  return all;
}

video::Bounds ScreenCommandsLink::workArea() const {
  QScreen* s = QGuiApplication::screenAt(video_.geometry().center());
  if (!s) s = QGuiApplication::primaryScreen();
  if (!s) return {};
  return bounds(QGuiApplication::screens().size() > 1 ? s->virtualGeometry()
                                                      : s->availableGeometry());
}

void ScreenCommandsLink::showFullScreen(const video::Bounds& monitor, bool activate) {
  covered_ = monitor;
  video_.showFullScreenOn(qrect(monitor));
  if (activate) video_.activateWindow();
  // The main window stays directly behind the video, or comes to the front.
  if (main_ && settings_.AutoHideMainWindow) {
    main_->raise();
    video_.raise();
    disableMainOnFullScreenMonitor();
  } else if (main_) {
    main_->setEnabled(true);
    main_->raise();
    if (activate) main_->activateWindow();
  }
  if (QAction* a = main_ ? main_->menuAction(ui::MenuCommand::Fullscreen) : nullptr)
    a->setChecked(true);
}

void ScreenCommandsLink::showWindowed(const video::Bounds& b) {
  if (main_) main_->setEnabled(true);
  video_.showWindowedAt(qrect(b));
  // "Always on Top" holds for the window again (the full-screen state may
  // have been the only thing keeping it above others).
  if (ui::playerWindowsOnTop()) ui::keepOnTop(&video_);
  video_.raise();
  if (QAction* a = main_ ? main_->menuAction(ui::MenuCommand::Fullscreen) : nullptr)
    a->setChecked(false);
}

void ScreenCommandsLink::setWindowBounds(const video::Bounds& b) {
  video_.setGeometry(qrect(b));
}

void ScreenCommandsLink::layOut(bool clearSubtitle) {
  if (clearSubtitle && player_.controller().hooks().clearSubtitle)
    player_.controller().hooks().clearSubtitle();
  // The window lays the picture out from the picture values on every paint.
  video_.update();
}

void ScreenCommandsLink::setMovieModeCheck(bool checked) {
  if (QAction* a = main_ ? main_->menuAction(ui::MenuCommand::MovieMode) : nullptr)
    a->setChecked(checked);
}

bool ScreenCommandsLink::subtitleShown() const {
  const subtitles::SubtitleStore& store = player_.subtitles();
  return store.SubtitleLoaded() && store.SubtitlesEnabled();
}

void ScreenCommandsLink::subtitleFontMetrics(int sizePx, int& textHeight, int& points) const {
  QFont font(QString::fromStdString(settings_.SubtitleFontName));
  font.setPixelSize(std::max(sizePx, 1));
  const QFontMetrics metrics(font);
  textHeight = metrics.height();
  const double dpi = video_.logicalDpiY() > 0 ? video_.logicalDpiY() : 96;
  points = int(sizePx * 72 / dpi + 0.5);
}

void ScreenCommandsLink::showOsd(const std::string& text) {
  player_.controller().ShowOsd(text);
}

}  // namespace app

namespace app {

void ScreenCommandsLink::disableMainOnFullScreenMonitor() {
  if (main_ && main_->isVisible())
    main_->setEnabled(!video::liesOnlyOn(bounds(main_->frameGeometry()), covered_, monitors()));
}

std::vector<video::Bounds> ScreenCommandsLink::otherWindows() const {
  others_.clear();
  std::vector<video::Bounds> all;
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (w == &video_ || !w->isVisible() || w->isMinimized()) continue;
    // Menus and tool tips are not windows of the player's own.
    if (w->windowType() == Qt::Popup || w->windowType() == Qt::ToolTip) continue;
    others_.emplace_back(w);
    all.push_back(bounds(w->frameGeometry()));
  }
  return all;
}

void ScreenCommandsLink::moveOtherWindow(std::size_t index, const video::Bounds& b) {
  if (index < others_.size() && others_[index]) others_[index]->move(b.Left, b.Top);
}

void ScreenCommandsLink::raiseMainWindow() {
  if (!main_ || !main_->isVisible()) return;
  main_->raise();  // above the video, not activated
  disableMainOnFullScreenMonitor();
}

void ScreenCommandsLink::focusVideo() {
  video_.activateWindow();
  video_.setFocus();
}

void ScreenCommandsLink::refreshMonitorMenu() {
  QMenu* menu = main_ ? main_->submenu(ui::MainSubmenu::SendWindowTo) : nullptr;
  if (!menu) return;
  menu->clear();
  const std::vector<video::Bounds> all = monitors();
  const video::Bounds holding = monitorOfWindow();
  int index = -1;
  for (std::size_t i = 0; i < all.size(); ++i)
    if (all[i] == holding) index = static_cast<int>(i);
  const video::MonitorMenu built = video::monitorMenu(
      all, index, video_.isVisible(), texts::currentTexts().Menus[kMonitorMenuText]);
  menu->menuAction()->setVisible(built.Visible);
  for (const video::MonitorItem& item : built.Items) {
    QAction* action = menu->addAction(QString::fromStdString(item.Caption));
    action->setObjectName(QString::fromStdString(item.Name));
    action->setEnabled(item.Enabled);
    const int number = video::monitorNumberOf(item.Name);
    connect(action, &QAction::triggered, this, [this, number] {
      if (full_.sendToMonitor(number)) video_.update();
    });
  }
}

}  // namespace app
