#include "app/info_commands_link.h"

#include "info/window/info_window.h"
#include "texts/interface_texts.h"
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
  // F6 and Q arrive from the key table as the movie information and quick
  // information commands; Ctrl+F1 as the About menu command.
  auto showAbout = [&player, mainWindow] {
    if (!player.state().OpeningBusy) ui::ShowAboutWindow(mainWindow);
  };
  h.movieInfo = showInfo;
  auto previousMenu = h.menuCommand;
  h.menuCommand = [showAbout, previousMenu](ui::MenuCommand command) {
    if (command == ui::MenuCommand::About)
      showAbout();
    else if (previousMenu)
      previousMenu(command);
  };
}

}  // namespace app
