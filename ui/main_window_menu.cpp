// TfrmMain: the context menu.
#include "ui/main_window.h"

#include "ui/command_table.h"
#include "ui/skin_loader.h"

#include <QActionGroup>
#include <QContextMenuEvent>
#include <QMenu>
#include <QPixmap>

#include <algorithm>

namespace ui {
namespace {

// A caption of the interface texts ends in the tabs that push its key text to
// the right-hand column; the menu shows one tab, which is Qt's column break.
QString caption(const std::string& text, const std::string& key = {}) {
  QString c = QString::fromStdString(text);
  while (c.endsWith('\t')) c.chop(1);
  if (!key.empty()) c += '\t' + QString::fromStdString(key);
  return c;
}

QIcon skinIcon(const char* name) {
  return hasSkinImage(name) ? QIcon(QPixmap::fromImage(loadSkinImage(name))) : QIcon();
}

}  // namespace

QMenu* TfrmMain::submenu(MainSubmenu which) const {
  auto it = submenus_.find(which);
  return it == submenus_.end() ? nullptr : it->second;
}

QAction* TfrmMain::menuAction(MenuCommand command) const {
  auto it = actions_.find(command);
  return it == actions_.end() ? nullptr : it->second;
}

void TfrmMain::buildMenu() {
  const texts::InterfaceTexts& t = *texts_;
  const auto& M = t.Menus;
  const std::string left = M[64], right = M[65], down = M[66], up = M[67];
  menu_ = new QMenu(this);
  menu_->setStyleSheet(
      "QMenu { background: #1d2228; color: #d4dce0; border: 1px solid #3d4650;"
      " font-family: Tahoma; font-size: 11px; }"
      "QMenu::item { padding: 3px 24px 3px 28px; }"
      "QMenu::item:selected { background: #2f5c3e; color: #ffffff; }"
      "QMenu::item:disabled { color: #5c656e; }"
      "QMenu::separator { height: 1px; background: #3d4650; margin: 3px 6px; }"
      "QMenu::icon { padding-left: 4px; }");
  const auto add = [this](QMenu* into, MenuCommand command, const QString& text,
                          bool checkable = false, const char* icon = nullptr) {
    QAction* action = into->addAction(text);
    action->setCheckable(checkable);
    if (icon) action->setIcon(skinIcon(icon));
    connect(action, &QAction::triggered, this, [this, command] {
      QMetaObject::invokeMethod(
          this, [this, command] { commands_.menuCommand(command); }, Qt::QueuedConnection);
    });
    actions_[command] = action;
    return action;
  };
  const auto sub = [this](QMenu* into, const std::string& text) {
    QMenu* m = into->addMenu(caption(text));
    m->setStyleSheet(menu_->styleSheet());
    return m;
  };

  add(menu_, MenuCommand::OpenMovie, caption(M[0], "Ctrl+O"), false, "MENUOPEN");
  add(menu_, MenuCommand::LoadSubtitle, caption(M[1], "Ctrl+L"), false, "MENUSUBTITLE");
  menu_->addSeparator();
  QMenu* recent = sub(menu_, M[2]);
  submenus_[MainSubmenu::RecentFiles] = recent;
  for (int i = 0; i < 5; ++i)
    add(recent, static_cast<MenuCommand>(static_cast<int>(MenuCommand::RecentFile1) + i),
        QString::number(i + 1));
  recent->addSeparator();
  add(recent, MenuCommand::ClearHistory, caption(M[3]));

  QMenu* play = sub(menu_, M[4]);
  play->setIcon(skinIcon("MENUPLAY"));
  add(play, MenuCommand::Play, caption(M[5], "X"));
  add(play, MenuCommand::Stop, caption(M[6], "V"));
  add(play, MenuCommand::Pause, caption(M[7], "C"));
  add(play, MenuCommand::Rewind, caption(M[8], left));
  add(play, MenuCommand::Forward, caption(M[9], right));
  play->addSeparator();
  add(play, MenuCommand::FastRewind, caption(M[10], "Ctrl+" + left));
  add(play, MenuCommand::FastForward, caption(M[11], "Ctrl+" + right));
  play->addSeparator();
  add(play, MenuCommand::JumpToTime, caption(M[12], "Ctrl+J"));
  menu_->addSeparator();

  QMenu* bookmarks = sub(menu_, M[13]);
  submenus_[MainSubmenu::Bookmarks] = bookmarks;
  add(bookmarks, MenuCommand::AddBookmark, caption(M[14], "Alt+I"));
  add(bookmarks, MenuCommand::ClearBookmarks, caption(M[15], "Shift+C"));
  menu_->addSeparator();

  QMenu* video = sub(menu_, M[16]);
  submenus_[MainSubmenu::ChangeResolution] = sub(video, M[17]);
  video->addSeparator();
  add(video, MenuCommand::Fullscreen, caption(M[18], "F"), true);
  video->addSeparator();
  add(video, MenuCommand::ColorControl, caption(M[19], "Ctrl+C"));
  add(video, MenuCommand::MovieMode, caption(M[20], "M"), true);
  QMenu* aspect = sub(video, M[21]);
  auto* ratios = new QActionGroup(aspect);
  for (const auto& [command, index, key] : {std::tuple{MenuCommand::AspectOriginal, 22, "Ctrl+1"},
                                            std::tuple{MenuCommand::Aspect16x9, 23, "Ctrl+2"},
                                            std::tuple{MenuCommand::Aspect4x3, 24, "Ctrl+3"},
                                            std::tuple{MenuCommand::Aspect1x1, 25, "Ctrl+4"},
                                            std::tuple{MenuCommand::AspectFree, 26, "Ctrl+5"}})
    ratios->addAction(add(aspect, command, caption(M[index], key), true));
  aspect->addSeparator();
  ratios->addAction(add(aspect, MenuCommand::AspectCustom, caption(M[27], "A"), true));
  actions_[MenuCommand::AspectOriginal]->setChecked(true);
  QMenu* pan = sub(video, M[28]);
  submenus_[MainSubmenu::PanScan] = pan;
  add(pan, MenuCommand::PanIn, caption(M[29], "+"));
  add(pan, MenuCommand::PanOut, caption(M[30], "-"));
  pan->addSeparator();
  add(pan, MenuCommand::PanAutomatic, caption(M[31], "*"), true);
  pan->addSeparator();
  add(pan, MenuCommand::PanCustom, caption(M[32], "P"));
  QMenu* size = sub(video, M[33]);
  submenus_[MainSubmenu::WindowSize] = size;
  add(size, MenuCommand::WindowSize50, "50%\t1");
  add(size, MenuCommand::WindowSize100, "100%\t2");
  add(size, MenuCommand::WindowSize200, "200%\t3");
  add(video, MenuCommand::CaptureFrame, caption(M[71], "Alt+C"));
  submenus_[MainSubmenu::SendWindowTo] = sub(video, M[69]);

  QMenu* audio = sub(menu_, M[34]);
  add(audio, MenuCommand::VolumeUp, caption(M[35], up));
  add(audio, MenuCommand::VolumeDown, caption(M[36], down));
  audio->addSeparator();
  add(audio, MenuCommand::Equalizer, caption(M[37], "E"));
  audio->addSeparator();
  add(audio, MenuCommand::DynamicAmplification, caption(M[68]), true);

  QMenu* subtitle = sub(menu_, M[38]);
  add(subtitle, MenuCommand::SubtitleFont, caption(M[39], "Ctrl+F"));
  subtitle->addSeparator();
  add(subtitle, MenuCommand::DisableSubtitle, caption(M[40], "S"), true);
  subtitle->addSeparator();
  add(subtitle, MenuCommand::DecreaseTime, caption(M[41], "Alt+" + left));
  add(subtitle, MenuCommand::IncreaseTime, caption(M[42], "Alt+" + right));
  subtitle->addSeparator();
  add(subtitle, MenuCommand::SubtitleUp, caption(M[43], "Shift+" + up));
  add(subtitle, MenuCommand::SubtitleDown, caption(M[44], "Shift+" + down));
  subtitle->addSeparator();
  add(subtitle, MenuCommand::IncreaseSize, caption(M[45], "Ctrl+" + up));
  add(subtitle, MenuCommand::DecreaseSize, caption(M[46], "Ctrl+" + down));

  QMenu* advanced = sub(menu_, M[47]);
  submenus_[MainSubmenu::Filters] = sub(advanced, M[48]);

  menu_->addSeparator();
  add(menu_, MenuCommand::Configuration, caption(M[49], "Ctrl+P"), false, "MENUCONFIGURATION");
  add(menu_, MenuCommand::KeyDefinitions, caption(M[50], "F1"));
  menu_->addSeparator();
  add(menu_, MenuCommand::Playlist, caption(M[51], "F10"), false, "MENUPLAYLIST");
  menu_->addSeparator();
  add(menu_, MenuCommand::AlwaysOnTop, caption(M[52], "T"), true);
  menu_->addSeparator();
  add(menu_, MenuCommand::About, caption(M[53], "Ctrl+F1"), false, "MENUABOUT");
  menu_->addSeparator();
  add(menu_, MenuCommand::TurnOffAfterPlay, caption(M[54], "Ctrl+T"), true);
  add(menu_, MenuCommand::Exit, caption(M[55]), false, "MENUEXIT");
  applyCommandAvailability();
}

void TfrmMain::applyCommandAvailability() {
  for (const auto& [command, action] : actions_) action->setEnabled(commandBuilt(command));
  setButtonEnabled(MainButton::Playlist, commandBuilt(MenuCommand::Playlist));
  setButtonEnabled(MainButton::Configuration, commandBuilt(MenuCommand::Configuration));
}

void TfrmMain::contextMenuEvent(QContextMenuEvent* event) {
  commands_.contextMenuOpening();
  // Recent entries show their paths ("&" doubled, so it is not taken as an
  // access key); empty ones are hidden, and so are the separator and "Clear
  // history" when all are.
  bool anyRecent = false;
  for (int i = 0; i < 5; ++i) {
    QAction* action =
        actions_[static_cast<MenuCommand>(static_cast<int>(MenuCommand::RecentFile1) + i)];
    const std::string& file = settings_.RecentFile[i];
    action->setText(file.empty() ? QString::number(i + 1)
                                 : QString::fromStdString(file).replace('&', "&&"));
    action->setVisible(!file.empty());
    anyRecent = anyRecent || !file.empty();
  }
  for (QAction* item : submenus_[MainSubmenu::RecentFiles]->actions())
    if (item->isSeparator() || item == actions_[MenuCommand::ClearHistory])
      item->setVisible(anyRecent);
  // Pan-scan belongs to full screen, the window sizes to a window.
  const bool fullScreen = commands_.videoFullScreen();
  submenus_[MainSubmenu::PanScan]->menuAction()->setVisible(fullScreen);
  submenus_[MainSubmenu::WindowSize]->menuAction()->setVisible(!fullScreen);
  // A submenu with nothing to choose (still empty, or only disabled items)
  // shows disabled rather than opening onto nothing.
  for (const auto& [which, submenu] : submenus_) {
    const QList<QAction*> items = submenu->actions();
    submenu->menuAction()->setEnabled(std::any_of(items.begin(), items.end(), [](QAction* a) {
      return !a->isSeparator() && a->isVisible() && a->isEnabled();
    }));
  }
  menu_->popup(event->globalPos());
}

}  // namespace ui
