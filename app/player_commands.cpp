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

}  // namespace

void installPlayerCommands(ui::MainWindowPlayback& adapter, playback::Player& player,
                           settings::Settings& settings, QPointer<QWidget> owner, QWidget& video) {
  auto picture = std::make_shared<PictureCommandsLink>(player, settings, video);
  playback::PlaybackController& c = player.controller();
  c.hooks().openMoviesDialog = [&player, &settings, owner] { openMovies(player, settings, owner); };
  ui::MainWindowHooks& h = adapter.hooks();
  h.openSubtitleDialog = [&player, &settings, owner] { openSubtitle(player, settings, owner); };
  // The key table sends the picture moves here as keys (Shift+G, Num 4, ...);
  // every other key of this module arrives as a menu or controller command.
  h.keyPressed = [picture](int key, Qt::KeyboardModifiers modifiers) {
    picture->key(key, modifiers);
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
