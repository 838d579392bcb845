#include "app/info_commands_link.h"

#include "texts/interface_texts.h"
#include "info/window/info_window.h"
#include "ui/about_window.h"
#include "ui/message_window.h"

namespace app {

void installInfoCommands(ui::MainWindowPlayback& adapter, playback::Player& player,
                         QPointer<QWidget> mainWindow) {
  ui::MainWindowHooks& h = adapter.hooks();
  auto showInfo = [&player, mainWindow] {
    info::MovieInfoRequest q;
    q.path = player.state().CurrentMovie;
    q.openingBusy = player.state().OpeningBusy;
    q.movieOpen = player.controller().movieOpen();
    q.anchor = mainWindow;
    q.showMessage = [mainWindow](const std::string& text) {
      ui::ShowMessageWindow(text, mainWindow);
    };
    info::ShowMovieInfo(q, texts::currentTexts());
  };
  auto showAbout = [&player, mainWindow] {
    if (!player.state().OpeningBusy) ui::ShowAboutWindow(mainWindow);
  };
  h.movieInfo = showInfo;
  auto previousKey = h.keyPressed;
  h.keyPressed = [&player, showInfo, showAbout, previousKey](int key,
                                                             Qt::KeyboardModifiers modifiers) {
    const Qt::KeyboardModifiers m =
        modifiers & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    if (key == Qt::Key_F6 && m == Qt::NoModifier)
      showInfo();
    else if (key == Qt::Key_Q && m == Qt::NoModifier)
      player.controller().QuickTimeInfo();
    else if (key == Qt::Key_F1 && m == Qt::ControlModifier)
      showAbout();
    else if (previousKey)
      previousKey(key, modifiers);
  };
  auto previousMenu = h.menuCommand;
  h.menuCommand = [showAbout, previousMenu](ui::MenuCommand command) {
    if (command == ui::MenuCommand::About)
      showAbout();
    else if (previousMenu)
      previousMenu(command);
  };
}

}  // namespace app
