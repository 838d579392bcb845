#include "app/player_commands.h"

#include <QFileDialog>

#include "app/picture_commands_link.h"
#include "texts/composed_texts.h"

#include <memory>
#include "subtitles/subtitle_search.h"
#include "texts/interface_texts.h"

namespace app {

namespace {

QString qt(const std::string& s) {
  return QString::fromStdString(s);
}

void openMovies(playback::Player& player, const settings::Settings& settings, QWidget* owner) {
  const texts::InterfaceTexts& t = texts::currentTexts();
  const QStringList files = QFileDialog::getOpenFileNames(
      owner, qt(t.Hints[4]), QString(),
      qt(texts::toQtFilter(texts::movieOpenFilter(t, settings.ExtensionList))));
  std::vector<std::string> chosen;
  for (const QString& f : files) chosen.push_back(f.toStdString());
  if (!chosen.empty()) player.controller().OpenChosenFiles(chosen);
}

void openSubtitle(playback::Player& player, const settings::Settings&, QWidget* owner) {
  playback::PlaybackController& c = player.controller();
  if (!subtitles::canOpenSubtitle(player.state().OpeningBusy, c.movieOpen())) return;
  const texts::InterfaceTexts& t = texts::currentTexts();
  const QString file = QFileDialog::getOpenFileName(
      owner, qt(t.Hints[10]), QString(), qt(texts::toQtFilter(texts::subtitleOpenFilter(t))));
  if (file.isEmpty()) return;
  c.loadSubtitleFile(file.toStdString(), false);
}

// The transport keys of the main window.
void transportKey(playback::PlaybackController& c, int key, Qt::KeyboardModifiers modifiers) {
  const bool ctrl = modifiers & Qt::ControlModifier;
  switch (key) {
    case Qt::Key_Space:
      c.playing() ? c.Pause() : c.Play();
      break;
    case Qt::Key_X:
      c.Play();
      break;
    case Qt::Key_C:
      if (!ctrl) c.Pause();
      break;
    case Qt::Key_V:
      c.Stop();
      break;
    case Qt::Key_Z:
      c.Previous();
      break;
    case Qt::Key_B:
      c.Next();
      break;
    case Qt::Key_R:
      c.RepeatClick();
      break;
    case Qt::Key_Left:
      ctrl ? c.FastRewind() : c.Rewind();
      break;
    case Qt::Key_Right:
      ctrl ? c.FastForward() : c.Forward();
      break;
    case Qt::Key_Up:
      c.VolumeUp();
      break;
    case Qt::Key_Down:
      c.VolumeDown();
      break;
    case Qt::Key_Home:
      c.GoToStart();
      break;
    case Qt::Key_End:
      c.GoToEnd();
      break;
    case Qt::Key_Slash:
      c.MovieTimesLabelClick();
      break;
    default:
      break;
  }
}

}  // namespace

void installPlayerCommands(ui::MainWindowPlayback& adapter, playback::Player& player,
                           settings::Settings& settings, QPointer<QWidget> owner, QWidget& video) {
  auto picture = std::make_shared<PictureCommandsLink>(player, settings, video);
  playback::PlaybackController& c = player.controller();
  c.hooks().openMoviesDialog = [&player, &settings, owner] { openMovies(player, settings, owner); };
  ui::MainWindowHooks& h = adapter.hooks();
  h.openSubtitleDialog = [&player, &settings, owner] { openSubtitle(player, settings, owner); };
  h.keyPressed = [&player, &settings, owner, picture](int key, Qt::KeyboardModifiers modifiers) {
    const bool ctrl = modifiers & Qt::ControlModifier;
    if (picture->key(key, modifiers)) return;
    const Qt::KeyboardModifiers held =
        modifiers & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    // Alt+X closes the program (Alt+F4 too where no window manager takes it);
    // neither is the transport key X or anything else.
    if (held == Qt::AltModifier && (key == Qt::Key_X || key == Qt::Key_F4)) {
      if (player.controller().hooks().closePlayer) player.controller().hooks().closePlayer();
      return;
    }
    if (ctrl && key == Qt::Key_O)
      openMovies(player, settings, owner);
    else if (ctrl && key == Qt::Key_L)
      openSubtitle(player, settings, owner);
    else
      transportKey(player.controller(), key, modifiers);
  };
  h.menuCommand = [&player, &settings, owner, picture](ui::MenuCommand command) {
    if (picture->menuCommand(command)) return;
    if (command == ui::MenuCommand::LoadSubtitle)
      openSubtitle(player, settings, owner);
    else if (command == ui::MenuCommand::Exit && owner)
      owner->close();
  };
}

}  // namespace app
