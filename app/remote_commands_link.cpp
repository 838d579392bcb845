#include "app/remote_commands_link.h"

#include <QApplication>
#include <QFileDialog>
#include <QKeyEvent>

#include "app/command_line.h"
#include "app/remote_commands.h"

namespace app {

namespace {

// A key press and its release, queued for the widget: the dialog handles
// them from its own event loop as if typed.
void postKey(QWidget* widget, int key, Qt::KeyboardModifiers modifiers) {
  QCoreApplication::postEvent(widget, new QKeyEvent(QEvent::KeyPress, key, modifiers));
  QCoreApplication::postEvent(widget, new QKeyEvent(QEvent::KeyRelease, key, modifiers));
}

// A key handed straight to a window's key handler, shown or not.
void sendKey(QWidget* widget, int key, Qt::KeyboardModifiers modifiers) {
  if (!widget) return;
  QKeyEvent press(QEvent::KeyPress, key, modifiers);
  QCoreApplication::sendEvent(widget, &press);
}

}  // namespace

void runRemoteCommand(int code, const RemoteCommandTargets& t) {
  if (!validCommandCode(code)) return;
  if (t.holdScreenSaver) t.holdScreenSaver();
  if (QWidget* dialog = QApplication::activeModalWidget()) {
    const bool fileDialog = qobject_cast<QFileDialog*>(dialog) != nullptr;
    if (const std::optional<DialogKey> k = dialogKey(code, fileDialog)) {
      QWidget* focus = dialog->focusWidget();
      postKey(focus ? focus : dialog, k->key, k->modifiers);
    }
    return;
  }
  const RemoteAction a = remoteAction(code);
  switch (a.target) {
    case RemoteTarget::Nothing:
      break;
    case RemoteTarget::Key:
      if (t.commands) t.commands->keyPressed(a.key, a.modifiers);
      break;
    case RemoteTarget::Menu:
      if (t.commands) t.commands->menuCommand(a.command);
      break;
    case RemoteTarget::EqualizerKey:
      sendKey(t.equalizer, a.key, a.modifiers);
      break;
    case RemoteTarget::ColorKey:
      sendKey(t.colorControl, a.key, a.modifiers);
      break;
    case RemoteTarget::PlaylistKey:
      if (t.playlistMovieList) sendKey(t.playlistMovieList(), a.key, a.modifiers);
      break;
    case RemoteTarget::Minimize:
      if (t.commands && t.commands->minimize()) break;
      if (t.mainWindow) t.mainWindow->showMinimized();
      break;
    case RemoteTarget::TogglePlaylist:
      if (t.commands) t.commands->togglePlaylist();
      break;
  }
}

}  // namespace app
