#include "ui/main_window.h"
#include "ui/face_text.h"

#include "ui/colors.h"
#include "ui/message_window.h"
#include "ui/skin_loader.h"
#include "ui/sliders.h"
#include "ui/virtual_button.h"
#include "ui/virtual_label.h"
#include "ui/virtual_toggles.h"
#include "ui/window_drag.h"

#include <QMenu>
#include <QScreen>

namespace ui {
namespace {

constexpr int kLabelColor = 0x208B20;  // 0x00BBGGRR: a green
// Label sizes in pixels: 11 and 9 points at 96 pixels per inch, so the labels
// keep their pixel size whatever the screen's resolution setting.
constexpr int kNamePixels = 15;
constexpr int kSmallPixels = 12;
constexpr int kNameMaxWidth = 211;

struct ButtonRow {
  MainButton id;
  const char* image;
  int left, top, right, bottom;
  int hint;  // index into Hints
  bool enabled;
};

// Rectangles are inclusive; rows in the order presses are offered.
constexpr ButtonRow kButtons[] = {
    {MainButton::OpenMovie, "MainbtnOpenMovie", 27, 26, 39, 38, 4, true},
    {MainButton::Rewind, "MainbtnRewind", 26, 113, 42, 125, 5, false},
    {MainButton::Play, "MainbtnPlay", 47, 66, 67, 86, 6, true},
    {MainButton::Forward, "MainbtnForward", 83, 113, 99, 125, 7, false},
    {MainButton::Pause, "MainbtnPause", 102, 66, 122, 86, 8, false},
    {MainButton::Stop, "MainbtnStop", 126, 66, 146, 86, 9, false},
    {MainButton::OpenSubtitle, "MainbtnOpenSubtitle", 84, 26, 96, 38, 10, true},
    {MainButton::Prior, "MainbtnPrior", 348, 113, 360, 125, 11, true},
    {MainButton::Next, "MainbtnNext", 372, 113, 384, 125, 12, true},
    {MainButton::Playlist, "MainbtnPlaylist", 151, 26, 163, 38, 13, true},
    {MainButton::Configuration, "MainbtnConfiguration", 151, 113, 163, 125, 15, true},
    {MainButton::Close, "MainbtnClose", 446, 5, 455, 14, 0, true},
    {MainButton::Minimize, "MainbtnMinimize", 434, 5, 443, 14, 16, true},
    {MainButton::VolumeUp, "MainbtnVolumeUp", 422, 28, 431, 37, 17, true},
    {MainButton::VolumeDown, "MainbtnVolumeDown", 422, 95, 431, 104, 18, true},
    {MainButton::Info, "MainbtnInfo", 377, 25, 389, 37, 1, true},
};

QRect inclusive(int left, int top, int right, int bottom) {
  return QRect(QPoint(left, top), QPoint(right, bottom));
}

}  // namespace

TfrmMain::TfrmMain(settings::Settings& settings, const texts::InterfaceTexts& texts,
                   MainWindowCommands& commands, QWidget* parent)
    : SkinWindow(parent, Qt::Window), settings_(settings), texts_(&texts), commands_(commands) {
  setWindowRole(QStringLiteral("TarvelinoMainWindow"));
  setFace(loadSkinImage("MainImage"));
  setAcceptDrops(true);
  setFocusPolicy(Qt::StrongFocus);
  createWidgets();
  buildMenu();
  scrollTimer_.setInterval(1500);
  connect(&scrollTimer_, &QTimer::timeout, this, &TfrmMain::scrollTick);
  registerPlayerWindow(this);
  setMessageAnchorWindow(this);  // messages centre on the main window
  textsListener_ = texts::addApplyListener([this] { applyTexts(*texts_); });
  setVolumePosition(settings_.AudioVolume);
  setMuted(settings_.Mute);
}

TfrmMain::~TfrmMain() {
  if (textsListener_ >= 0) texts::removeApplyListener(textsListener_);
}

void TfrmMain::createWidgets() {
  const texts::InterfaceTexts& t = *texts_;
  const QColor green = colorFromBgr(kLabelColor);
  movieLabel_ = std::make_unique<TVirtualLabel>(*this, 176, 57, kNamePixels, kNameMaxWidth,
                                                q(t.Hints[29]), q(t.Labels[29]), green, false);
  subtitleLabel_ = std::make_unique<TVirtualLabel>(*this, 176, 75, kNamePixels, kNameMaxWidth,
                                                   q(t.Hints[30]), q(t.Labels[30]), green, false);
  timesLabel_ = std::make_unique<TVirtualLabel>(*this, 184, 96, kSmallPixels, 0, q(t.Hints[2]),
                                                "00:00:00 - 00:00:00 - 00:00:00", green, true);
  repeatLabel_ = std::make_unique<TVirtualLabel>(*this, 184, 40, kSmallPixels, 0, QString(),
                                                 q(t.Labels[32]), green, true);
  for (const ButtonRow& row : kButtons)
    buttons_[row.id] =
        std::make_unique<TVirtualButton>(*this, inclusive(row.left, row.top, row.right, row.bottom),
                                         row.enabled, row.image, q(t.Hints[row.hint]));
  button(MainButton::Play).setLatching(true);
  button(MainButton::Pause).setLatching(true);
  mute_ = std::make_unique<TVirtualFlip>(*this, inclusive(413, 110, 428, 123), "MainMute",
                                         q(t.Hints[19]), true);
  volume_ = std::make_unique<TVolumeControl>(*this, inclusive(412, 26, 417, 104), "MainVolBar");
  volume_->setMuteFlip(mute_.get());
  seekBar_ = std::make_unique<TVirtualProgressBar>(*this, inclusive(25, 135, 432, 144),
                                                   "MainProgressBar", true);

  volume_->onVolume = [this](int level) { commands_.setVolume(level); };
  volume_->onUserChange = [this] {
    settings_.AudioVolume = volume_->position();
    commands_.settingsChanged(5000);
  };
  seekBar_->onSeek = [this](int position, bool dragging) { commands_.seek(position, dragging); };
  seekBar_->onUserChange = [this](int change) { commands_.settingsChanged(change); };

  // Press order: the two name labels, the info button, the times and repeat
  // labels, the buttons in table order, the mute flip, the volume, the seek bar.
  addSkinWidget(movieLabel_.get());
  addSkinWidget(subtitleLabel_.get());
  addSkinWidget(buttons_[MainButton::Info].get());
  addSkinWidget(timesLabel_.get());
  addSkinWidget(repeatLabel_.get());
  for (const ButtonRow& row : kButtons)
    if (row.id != MainButton::Info) addSkinWidget(buttons_[row.id].get());
  addSkinWidget(mute_.get());
  addSkinWidget(volume_.get());
  addSkinWidget(seekBar_.get());
  for (SkinWidget* widget : skinWidgets()) widget->paint();
}

TVirtualButton& TfrmMain::button(MainButton which) const {
  return *buttons_.at(which);
}

void TfrmMain::showTransport(TransportState state) {
  const bool open = state != TransportState::NoMovie;
  setButtonEnabled(MainButton::Rewind, open && state != TransportState::Opening);
  setButtonEnabled(MainButton::Forward, open && state != TransportState::Opening);
  setButtonEnabled(MainButton::Stop, open);
  setButtonEnabled(MainButton::Pause, open);
  setButtonHeldDown(MainButton::Play,
                    state == TransportState::Playing || state == TransportState::Opening);
  setButtonHeldDown(MainButton::Pause,
                    state == TransportState::Paused || state == TransportState::Opening);
}

void TfrmMain::setButtonEnabled(MainButton which, bool enabled) {
  button(which).setEnabled(enabled);
}
void TfrmMain::setButtonHeldDown(MainButton which, bool held) {
  button(which).setHeldDown(held);
}
bool TfrmMain::buttonEnabled(MainButton which) const {
  return button(which).enabled();
}
bool TfrmMain::buttonHeldDown(MainButton which) const {
  return button(which).heldDown();
}
QRect TfrmMain::buttonRect(MainButton which) const {
  return button(which).rect();
}

void TfrmMain::setSeekEnabled(bool enabled) {
  seekBar_->setEnabled(enabled);
}
void TfrmMain::setSeekMaximum(int maximum) {
  seekBar_->setMaximum(maximum);
}
void TfrmMain::setSeekPosition(int position) {
  // The controller's periodic update must not fight the user's drag.
  if (!seekBar_->pressed()) seekBar_->setPosition(position);
}
int TfrmMain::seekPosition() const {
  return seekBar_->position();
}
int TfrmMain::seekMaximum() const {
  return seekBar_->maximum();
}
QRect TfrmMain::seekRect() const {
  return seekBar_->rect();
}

void TfrmMain::setVolumePosition(int position) {
  volume_->setPosition(position);
}
int TfrmMain::volumePosition() const {
  return volume_->position();
}
void TfrmMain::setMuted(bool muted) {
  mute_->setOn(!muted);
  volume_->setPosition(volume_->position());
}
bool TfrmMain::muted() const {
  return !mute_->on();
}
QRect TfrmMain::volumeRect() const {
  return volume_->rect();
}
QRect TfrmMain::muteRect() const {
  return mute_->rect();
}

void TfrmMain::restorePosition() {
  QRect r(QPoint(settings_.MainXPosition, settings_.MainYPosition), size());
  if (QScreen* screen = this->screen()) {
    const QRect area = screen->virtualGeometry();
    if (!area.intersects(r)) r.moveTopLeft(area.topLeft());
  }
  move(r.topLeft());
}

void TfrmMain::applyTexts(const texts::InterfaceTexts& t) {
  texts_ = &t;
  for (const ButtonRow& row : kButtons) button(row.id).setHint(q(t.Hints[row.hint]));
  mute_->setHint(q(t.Hints[19]));
  movieLabel_->setHint(q(t.Hints[29]));
  subtitleLabel_->setHint(q(t.Hints[30]));
  timesLabel_->setHint(q(t.Hints[showingFrames_ ? 3 : 2]));
  delete menu_;
  menu_ = nullptr;
  actions_.clear();
  submenus_.clear();
  buildMenu();
}

}  // namespace ui
