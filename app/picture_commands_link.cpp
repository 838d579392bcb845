#include "app/picture_commands_link.h"

#include <QGuiApplication>
#include <QScreen>

#include "texts/interface_texts.h"

namespace app {

PictureCommandsLink::PictureCommandsLink(playback::Player& player, settings::Settings& settings,
                                         QWidget& video)
    : player_(player), settings_(settings), video_(video) {}

video::PlayerView PictureCommandsLink::view() const {
  video::PlayerView v;
  const playback::PlayerState& s = player_.state();
  v.GraphActive = player_.controller().movieOpen();
  v.WindowShowing = video_.isVisible();
  v.FullScreen = video_.isFullScreen();
  v.Busy = s.Busy;
  v.OpeningBusy = s.OpeningBusy;
  v.SurfaceWidth = video_.width();
  v.SurfaceHeight = video_.height();
  if (QScreen* screen = video_.screen() ? video_.screen() : QGuiApplication::primaryScreen()) {
    v.MonitorWidth = screen->geometry().width();
    v.MonitorHeight = screen->geometry().height();
  }
  v.Destination = video::currentLayout(s.Picture, settings_, v);
  return v;
}

void PictureCommandsLink::apply(const video::PictureCommandResult& result) {
  if (!result.acted) return;
  playback::PlayerState& s = player_.state();
  // The window lays the picture out from the picture values on every paint,
  // so a new destination only needs a repaint.
  s.Busy = true;
  if (result.WindowBounds) {
    const video::Bounds& b = *result.WindowBounds;
    video_.setGeometry(b.Left, b.Top, b.width(), b.height());
  }
  s.Busy = false;
  if (result.Destination || result.repaint) video_.update();
  if (result.Osd) player_.controller().ShowOsd(*result.Osd);
  if (result.uncheckMovieMode && player_.controller().hooks().uncheckMovieMode)
    player_.controller().hooks().uncheckMovieMode();
  if (result.ScoreDelta) playback::addSettingsChange(s, result.ScoreDelta);
}

void PictureCommandsLink::ratio(video::RatioItem item) {
  apply(
      video::ratioCommand(item, player_.state().Picture, settings_, view(), texts::currentTexts()));
}

void PictureCommandsLink::panIn(bool in) {
  const video::PlayerView v = view();
  const video::PictureState& picture = player_.state().Picture;
  const texts::InterfaceTexts& t = texts::currentTexts();
  if (v.FullScreen) {
    apply(in ? video::panInFullScreen(picture, settings_, v, t)
             : video::panOutFullScreen(picture, settings_, v, t));
    return;
  }
  const QRect frame = video_.frameGeometry();
  const video::Bounds bounds{frame.left(), frame.top(), frame.left() + frame.width(),
                             frame.top() + frame.height()};
  QScreen* screen = video_.screen() ? video_.screen() : QGuiApplication::primaryScreen();
  if (!screen) return;
  if (in) {
    apply(video::panInWindow(picture, settings_, v, bounds, screen->geometry().width(),
                             screen->geometry().height()));
  } else {
    const QRect area = screen->availableGeometry();
    apply(video::panOutWindow(
        picture, settings_, v, bounds,
        {area.left(), area.top(), area.left() + area.width(), area.top() + area.height()}));
  }
}

bool PictureCommandsLink::menuCommand(ui::MenuCommand command) {
  using C = ui::MenuCommand;
  using R = video::RatioItem;
  switch (command) {
    case C::AspectOriginal:
      ratio(R::Original);
      return true;
    case C::Aspect16x9:
      ratio(R::Ratio16x9);
      return true;
    case C::Aspect4x3:
      ratio(R::Ratio4x3);
      return true;
    case C::Aspect1x1:
      ratio(R::Ratio1x1);
      return true;
    case C::AspectFree:
      ratio(R::Free);
      return true;
    case C::PanIn:
      panIn(true);
      return true;
    case C::PanOut:
      panIn(false);
      return true;
    case C::PanAutomatic:
      apply(video::automaticPanScan(player_.state().Picture, settings_, view(),
                                    texts::currentTexts()));
      return true;
    default:
      return false;
  }
}

bool PictureCommandsLink::key(int key, Qt::KeyboardModifiers modifiers) {
  using C = ui::MenuCommand;
  const bool ctrl = modifiers & Qt::ControlModifier;
  const bool shift = modifiers & Qt::ShiftModifier;
  const bool keypad = modifiers & Qt::KeypadModifier;
  auto move = [this](video::PictureMove m) {
    apply(video::movePicture(m, player_.state().Picture, view(), texts::currentTexts()));
    return true;
  };
  if (ctrl && key >= Qt::Key_1 && key <= Qt::Key_5) {
    static const C ratios[] = {C::AspectOriginal, C::Aspect16x9, C::Aspect4x3, C::Aspect1x1,
                               C::AspectFree};
    return menuCommand(ratios[key - Qt::Key_1]);
  }
  if (key == Qt::Key_Plus) return menuCommand(C::PanIn);
  if (key == Qt::Key_Minus) return menuCommand(C::PanOut);
  if (key == Qt::Key_Asterisk) return menuCommand(C::PanAutomatic);
  if ((shift && key == Qt::Key_G) || (keypad && key == Qt::Key_4))
    return move(video::PictureMove::Left);
  if ((shift && key == Qt::Key_J) || (keypad && key == Qt::Key_6))
    return move(video::PictureMove::Right);
  if ((shift && key == Qt::Key_Y) || (keypad && key == Qt::Key_8))
    return move(video::PictureMove::Up);
  if ((shift && key == Qt::Key_N) || (keypad && key == Qt::Key_2))
    return move(video::PictureMove::Down);
  if ((shift && key == Qt::Key_H) || (keypad && key == Qt::Key_5))
    return move(video::PictureMove::Center);
  return false;
}

}  // namespace app
