// TfrmPlayList: frame, layout, widgets, dialogs and the window's commands.
#include "ui/playlist_window.h"

#include <QFileDialog>
#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QMenu>
#include <QPainter>
#include <QScreen>

#include <algorithm>
#include <cmath>

#include "playlist/dialog_filters.h"
#include "texts/composed_texts.h"
#include "texts/interface_texts.h"
#include "ui/colors.h"
#include "ui/skin_loader.h"
#include "ui/virtual_button.h"
#include "ui/virtual_toggles.h"
#include "ui/window_controls.h"
#include "ui/window_drag.h"

namespace ui {

namespace {

constexpr int kWindowColor = 11052967;  // 0x00BBGGRR
constexpr int kTitleColor = 10066329;

QString qt(const std::string& s) {
  return QString::fromStdString(s);
}

QRect qrect(const playlist::Edges& e) {
  return QRect(QPoint(e.left, e.top), QPoint(e.right, e.bottom));
}

QRect qrect(const playlist::Box& b) {
  return QRect(b.x, b.y, b.w, b.h);
}

// Verdana of round(864 / pixels per inch) points: 9 points at 96 pixels per inch.
QFont titleFont(const QWidget& w) {
  QFont font("Verdana");
  const double dpi = w.logicalDpiY() > 0 ? w.logicalDpiY() : 96.0;
  font.setPointSize(std::max(1, static_cast<int>(std::lrint(864.0 / dpi))));
  return font;
}

}  // namespace

TfrmPlayList::TfrmPlayList(settings::Settings& settings, playlist::Playlist& model, QWidget* parent)
    : SkinWindow(parent, Qt::Tool), settings_(settings), model_(model) {
  const texts::InterfaceTexts& t = texts::currentTexts();
  setWindowTitle(qt(t.Titles[9]));
  setAcceptDrops(true);
  QPalette p = palette();
  p.setColor(QPalette::Window, colorFromBgr(kWindowColor));
  setPalette(p);
  setMinimumSize(playlist::kPlaylistMinWidth, playlist::kPlaylistMinHeight);
  setMaximumSize(playlist::kPlaylistMaxWidth, playlist::kPlaylistMaxHeight);
  subtitlesShown_ = settings_.ShowSubtitlesInPlaylist;

  movieList_ = new PlaylistListBox(*this, true);
  subtitleList_ = new PlaylistListBox(*this, false);
  const QSize minimum(playlist::kPlaylistMinWidth, playlist::kPlaylistMinHeight);
  bottomZone_ = new TResizeZone(this, 6, minimum);
  cornerZone_ = new TResizeZone(this, 8, minimum);
  rightZone_ = new TResizeZone(this, 2, minimum);

  layout_ = playlist::playlistLayout(playlist::kPlaylistMinWidth, playlist::kPlaylistMinHeight,
                                     subtitlesShown_);
  const QRect none(-100, -100, 1, 1);  // placed by relayout
  auto button = [&](const playlist::Edges& e, const char* image, int hint) {
    auto b = std::make_unique<TVirtualButton>(*this, e.left ? qrect(e) : none, true, image,
                                              qt(t.Hints[hint]), ButtonLook::Playlist);
    addSkinWidget(b.get());
    return b;
  };
  close_ = button(layout_.close, "BtnClose", 0);
  addMovies_ = button(playlist::kAddMoviesButton, "BtnOpenMovie", 20);
  addFolder_ = button(playlist::kAddFolderButton, "BtnAddFolder", 21);
  remove_ = button(playlist::kRemoveButton, "BtnRemove", 22);
  save_ = button(playlist::kSavePlaylistButton, "BtnSavePlaylist", 23);
  load_ = button(playlist::kLoadPlaylistButton, "BtnOpenPlaylist", 24);
  previousSettings_ = std::make_unique<TVirtualButton2>(
      *this, qrect(playlist::kPreviousSettingsToggle), "BtnPreviousSettings", qt(t.Hints[14]),
      settings_.RememberPreviousMovieSettings);
  addSkinWidget(previousSettings_.get());
  shuffle_ = std::make_unique<TVirtualButton2>(*this, qrect(playlist::kShuffleToggle), "BtnShuffle",
                                               qt(t.Hints[31]), settings_.Shuffle);
  addSkinWidget(shuffle_.get());
  addSubtitle_ = button(layout_.addSubtitle, "BtnReplaceSubtitle", 25);
  showHide_ = std::make_unique<TVirtualFlip>(*this, qrect(layout_.showHideSubtitles),
                                             "ShowHideSubtitles", qt(t.Hints[27]), subtitlesShown_,
                                             FlipKind::Playlist, qt(t.Hints[26]));
  addSkinWidget(showHide_.get());

  buildMenus();
  applyFontSize();
  resize(
      std::clamp(settings_.PlayListWidth, playlist::kPlaylistMinWidth, playlist::kPlaylistMaxWidth),
      std::clamp(settings_.PlayListHeight, playlist::kPlaylistMinHeight,
                 playlist::kPlaylistMaxHeight));
  relayout();
  refresh();
  registerPlayerWindow(this);
  textsListener_ = texts::addApplyListener([this] { applyTexts(); });
}

TfrmPlayList::~TfrmPlayList() {
  texts::removeApplyListener(textsListener_);
}

void TfrmPlayList::buildMenus() {
  const texts::InterfaceTexts& t = texts::currentTexts();
  const auto captions = texts::playlistMenuCaptions(t);
  auto caption = [&](const char* item) { return qt(texts::menuCaption(captions, item)); };
  if (!movieMenu_) movieMenu_ = new QMenu(this);
  if (!subtitleMenu_) subtitleMenu_ = new QMenu(this);
  movieMenu_->clear();
  movieMenu_->addAction(caption("AddMovieMenu"), this, &TfrmPlayList::addMovies);
  movieMenu_->addAction(caption("AddFolderMenu"), this, &TfrmPlayList::addFolder);
  movieMenu_->addAction(caption("ReplaceMovieMenu"), this, &TfrmPlayList::replaceMovie);
  movieMenu_->addSeparator();
  movieMenu_->addAction(caption("RemoveMenu"), this, &TfrmPlayList::removeSelected);
  movieMenu_->addAction(caption("RemoveAllMenu"), this, &TfrmPlayList::removeAll);
  movieMenu_->addSeparator();
  movieMenu_->addAction(caption("SortByFilenameMenu"), this, &TfrmPlayList::sortByFileName);
  movieMenu_->addAction(caption("RandomizeMenu"), this, &TfrmPlayList::randomize);
  subtitleMenu_->clear();
  subtitleMenu_->addAction(caption("AddSubtitleMenu"), this, &TfrmPlayList::addSubtitle);
}

void TfrmPlayList::applyTexts() {
  const texts::InterfaceTexts& t = texts::currentTexts();
  close_->setHint(qt(t.Hints[0]));
  addMovies_->setHint(qt(t.Hints[20]));
  addFolder_->setHint(qt(t.Hints[21]));
  remove_->setHint(qt(t.Hints[22]));
  save_->setHint(qt(t.Hints[23]));
  load_->setHint(qt(t.Hints[24]));
  addSubtitle_->setHint(qt(t.Hints[25]));
  previousSettings_->setHint(qt(t.Hints[14]));
  shuffle_->setHint(qt(t.Hints[31]));
  buildMenus();
  composeFrame();
  refresh();
}

void TfrmPlayList::applyFontSize() {
  QFont font = movieList_->font();
  font.setPointSize(std::clamp(settings_.PlaylistFontSize, 1, 50));
  movieList_->setFont(font);
}

void TfrmPlayList::resizeEvent(QResizeEvent* event) {
  SkinWindow::resizeEvent(event);
  relayout();
}

void TfrmPlayList::relayout() {
  const int cw = std::clamp(width(), playlist::kPlaylistMinWidth, playlist::kPlaylistMaxWidth);
  const int ch = std::clamp(height(), playlist::kPlaylistMinHeight, playlist::kPlaylistMaxHeight);
  layout_ = playlist::playlistLayout(cw, ch, subtitlesShown_);
  movieList_->setGeometry(qrect(layout_.movieList));
  subtitleList_->setVisible(subtitlesShown_);
  if (subtitlesShown_) subtitleList_->setGeometry(qrect(layout_.subtitleList));
  bottomZone_->setGeometry(qrect(layout_.bottomZone));
  cornerZone_->setGeometry(qrect(layout_.cornerZone));
  rightZone_->setGeometry(qrect(layout_.rightZone));
  bottomZone_->raise();
  cornerZone_->raise();
  rightZone_->raise();
  close_->setRect(qrect(layout_.close));
  addSubtitle_->setRect(subtitlesShown_ ? qrect(layout_.addSubtitle) : QRect(-100, -100, 1, 1));
  addSubtitle_->setEnabled(subtitlesShown_);
  showHide_->setRect(qrect(layout_.showHideSubtitles));
  composeFrame();
}

void TfrmPlayList::composeFrame() {
  QImage frame(width(), height(), QImage::Format_ARGB32_Premultiplied);
  frame.fill(colorFromBgr(kWindowColor));
  {
    QPainter p(&frame);
    for (const playlist::PieceDraw& piece : layout_.pieces) {
      if (piece.target.w <= 0 || piece.target.h <= 0) continue;
      const QImage image = loadSkinImage("PlaylistPiece" + std::to_string(piece.part));
      p.drawImage(qrect(piece.target), image, qrect(piece.source));
    }
    const QFont font = titleFont(*this);
    p.setFont(font);
    p.setPen(colorFromBgr(kTitleColor));
    p.drawText(QPoint(5, 5 + QFontMetrics(font).ascent()), qt(texts::currentTexts().Hints[13]));
  }
  replaceFace(frame);
  for (SkinWidget* widget : skinWidgets()) {
    // Buttons without a look of their own in the normal state show the frame.
    if (widget->hovered() || widget == previousSettings_.get() || widget == shuffle_.get())
      widget->paint();
  }
}

void TfrmPlayList::setSubtitlesShown(bool shown) {
  subtitlesShown_ = shown;
  settings_.ShowSubtitlesInPlaylist = shown;
  if (showHide_->on() != shown) showHide_->setOn(shown);
  relayout();
  refreshSubtitles();
}

void TfrmPlayList::widgetClicked(SkinWidget* widget) {
  // Buttons act on the selected entry alone.
  leaveMultiSelection();
  if (widget == showHide_.get()) {
    setSubtitlesShown(showHide_->on());
    return;
  }
  if (widget == previousSettings_.get()) {
    previousSettings_->setOn(!previousSettings_->on());
    settings_.RememberPreviousMovieSettings = previousSettings_->on();
    return;
  }
  if (widget == shuffle_.get()) {
    shuffle_->setOn(!shuffle_->on());
    model_.setShuffle(shuffle_->on());
    modelChanged();
    return;
  }
  // Queued: a dialog must not open inside the mouse handler.
  std::function<void()> command;
  if (widget == close_.get())
    command = [this] { closeWindow(); };
  else if (widget == addMovies_.get())
    command = [this] { addMovies(); };
  else if (widget == addFolder_.get())
    command = [this] { addFolder(); };
  else if (widget == remove_.get())
    command = [this] { removeSelected(); };
  else if (widget == save_.get())
    command = [this] { savePlaylist(); };
  else if (widget == load_.get())
    command = [this] { loadPlaylist(); };
  else if (widget == addSubtitle_.get() && subtitlesShown_)
    command = [this] { addSubtitle(); };
  if (command) QMetaObject::invokeMethod(this, command, Qt::QueuedConnection);
}

QStringList TfrmPlayList::chooseFiles(const QString& title, const QString& filter, bool several) {
  if (hooks_.openFiles) return hooks_.openFiles(title, filter, several);
  const auto options = QFileDialog::HideNameFilterDetails;
  if (several)
    return QFileDialog::getOpenFileNames(this, title, QString(), filter, nullptr, options);
  const QString file =
      QFileDialog::getOpenFileName(this, title, QString(), filter, nullptr, options);
  return file.isEmpty() ? QStringList() : QStringList{file};
}

namespace {

QString movieFilter(const settings::Settings& s) {
  const texts::InterfaceTexts& t = texts::currentTexts();
  return qt(playlist::movieFilesFilter(t.Misc[3], t.Misc[2], s.ExtensionList));
}

std::vector<std::string> paths(const QStringList& list) {
  std::vector<std::string> out;
  for (const QString& s : list) out.push_back(s.toStdString());
  return out;
}

}  // namespace

void TfrmPlayList::addMovies() {
  const QStringList files =
      chooseFiles(qt(texts::currentTexts().Hints[20]), movieFilter(settings_), true);
  if (files.isEmpty()) return;
  model_.addMovies(paths(files));
  modelChanged();
}

void TfrmPlayList::replaceMovie() {
  if (model_.selectedIndex() < 0) return;
  const QStringList files =
      chooseFiles(qt(texts::currentTexts().Menus[58]), movieFilter(settings_), false);
  if (files.isEmpty()) return;
  model_.replaceMovie(files.front().toStdString());
  modelChanged();
}

void TfrmPlayList::addFolder() {
  const QString title = qt(texts::currentTexts().Messages[43]);
  const QString folder =
      hooks_.chooseFolder
          ? hooks_.chooseFolder(title)
          : QFileDialog::getExistingDirectory(this, title, QString(), QFileDialog::ShowDirsOnly);
  if (folder.isEmpty()) return;
  model_.addFolderWithMovies(folder.toStdString());
  modelChanged();
}

void TfrmPlayList::removeSelected() {
  model_.removeMovie();
  modelChanged();
}

void TfrmPlayList::removeAll() {
  model_.removeAll();
  modelChanged();
}

void TfrmPlayList::sortByFileName() {
  model_.sortByFileName();
  modelChanged();
}

void TfrmPlayList::randomize() {
  model_.randomize();
  modelChanged();
}

void TfrmPlayList::savePlaylist() {
  if (!model_.checkSomethingToSave()) return;
  const texts::InterfaceTexts& t = texts::currentTexts();
  const QString title = qt(t.Hints[23]);
  const QString filter = qt(playlist::playlistFilesFilter(t.Misc[4], t.Misc[2]));
  int chosen = 0;
  QString name;
  if (hooks_.saveFile) {
    name = hooks_.saveFile(title, filter, &chosen);
  } else {
    QString selected;
    name = QFileDialog::getSaveFileName(this, title, QString(), filter, &selected,
                                        QFileDialog::HideNameFilterDetails);
    chosen = static_cast<int>(filter.split(";;").indexOf(selected));
  }
  if (name.isEmpty()) return;
  model_.savePlaylist(playlist::Playlist::playlistSaveName(name.toStdString(), chosen == 1), false);
}

void TfrmPlayList::loadPlaylist() {
  const texts::InterfaceTexts& t = texts::currentTexts();
  const QStringList files =
      chooseFiles(qt(t.Hints[24]), qt(playlist::playlistFilesFilter(t.Misc[4], t.Misc[2])), false);
  if (files.isEmpty()) return;
  model_.openPlaylist(files.front().toStdString());
  modelChanged();
}

void TfrmPlayList::addSubtitle() {
  // Without a selected movie the model only says so; no dialog is needed.
  if (model_.subtitleRows().empty() || model_.selectedSubtitleRow() < 0) {
    model_.addSubtitle(std::string());
    return;
  }
  const texts::InterfaceTexts& t = texts::currentTexts();
  const QStringList files = chooseFiles(
      qt(t.Hints[25]),
      qt(playlist::movieFilesFilter(t.Misc[1], t.Misc[2], {"sub", "srt", "txt", "ssa"})), false);
  if (files.isEmpty()) return;
  model_.addSubtitle(files.front().toStdString());
  modelChanged();
}

void TfrmPlayList::playSelected() {
  model_.playSelected(true);
  refresh();
  if (hooks_.played) hooks_.played();
}

void TfrmPlayList::closeWindow() {
  hide();
}

void TfrmPlayList::acceptFiles(const QStringList& list, bool onSubtitles) {
  model_.acceptFiles(paths(list), onSubtitles && subtitlesShown_);
  modelChanged();
}

void TfrmPlayList::modelChanged() {
  refresh();
  if (hooks_.changed) hooks_.changed();
}

void TfrmPlayList::storeGeometry() {
  settings_.PlaylistXPosition = x();
  settings_.PlaylistYPosition = y();
  settings_.PlayListWidth = width();
  settings_.PlayListHeight = height();
}

void TfrmPlayList::showWindow() {
  QRect r(QPoint(settings_.PlaylistXPosition, settings_.PlaylistYPosition),
          QSize(std::clamp(settings_.PlayListWidth, playlist::kPlaylistMinWidth,
                           playlist::kPlaylistMaxWidth),
                std::clamp(settings_.PlayListHeight, playlist::kPlaylistMinHeight,
                           playlist::kPlaylistMaxHeight)));
  QScreen* screen = QGuiApplication::screenAt(r.center());
  if (!screen) screen = QGuiApplication::primaryScreen();
  if (screen) {
    // Inside the work area, or the whole desktop when monitors show different parts of it.
    bool severalParts = false;
    for (QScreen* other : QGuiApplication::screens())
      severalParts |= other->geometry().topLeft() != screen->geometry().topLeft();
    const QRect area = severalParts ? screen->virtualGeometry() : screen->availableGeometry();
    r.moveLeft(
        std::clamp(r.left(), area.left(), std::max(area.left(), area.right() + 1 - r.width())));
    r.moveTop(
        std::clamp(r.top(), area.top(), std::max(area.top(), area.bottom() + 1 - r.height())));
  }
  setGeometry(r);
  show();
  raise();
  activateWindow();
}

void TfrmPlayList::toggleWindow() {
  if (isVisible())
    closeWindow();
  else
    showWindow();
}

void TfrmPlayList::showEvent(QShowEvent* event) {
  SkinWindow::showEvent(event);
  refresh();
  movieList_->setFocus();
}

void TfrmPlayList::hideEvent(QHideEvent* event) {
  leaveMultiSelection();
  storeGeometry();
  SkinWindow::hideEvent(event);
  if (hooks_.closed) hooks_.closed();
}

void TfrmPlayList::changeEvent(QEvent* event) {
  SkinWindow::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) movieList_->setFocus();
}

}  // namespace ui
