#include "ui/profiles_editor.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>

#include <algorithm>
#include <cmath>

#include "texts/interface_texts.h"
#include "ui/colors.h"
#include "ui/skin_loader.h"
#include "ui/virtual_button.h"

namespace ui {

namespace {

constexpr int kTitleColor = 0x999999;
constexpr int kButtonTop = 341, kButtonBottom = 361;

QString qt(const std::string& s) {
  return QString::fromStdString(s);
}

}  // namespace

TfrmProfilesEditor::TfrmProfilesEditor(moviememory::ProfilesSession& session, QWidget* parent)
    : SkinWindow(parent, Qt::Dialog), session_(session) {
  const texts::InterfaceTexts& t = texts::currentTexts();
  setWindowTitle(qt(t.Titles[13]));
  setWindowModality(Qt::ApplicationModal);
  QImage face = loadSkinImage("ProfilesEditor");
  {
    QPainter painter(&face);
    QFont font("Verdana");
    font.setPixelSize(12);  // 9 points at 96 pixels per inch
    painter.setFont(font);
    painter.setPen(colorFromBgr(kTitleColor));
    painter.drawText(QPoint(5, 5 + QFontMetrics(font).ascent()), qt(t.Titles[13]));
  }
  setFace(face);
  const int w = width();

  list_ = new QListWidget(this);
  list_->setGeometry(2, 24, 490, 307);
  list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  list_->setFrameShape(QFrame::NoFrame);
  QPalette p = list_->palette();
  p.setColor(QPalette::Base, colorFromBgr(16777214));
  p.setColor(QPalette::Text, colorFromBgr(1466646));
  list_->setPalette(p);
  QFont listFont("MS Sans Serif");
  listFont.setPixelSize(11);
  list_->setFont(listFont);
  list_->installEventFilter(this);

  close_ =
      std::make_unique<TVirtualButton>(*this, QRect(QPoint(w - 14, 7), QPoint(w - 5, 16)), true,
                                       "MainbtnClose", qt(t.Hints[0]), ButtonLook::ImageNoDisabled);
  const QRect design(QPoint(0, kButtonTop), QPoint(79, kButtonBottom));
  delete_ = std::make_unique<TVirtualButton>(*this, design, qt(t.Buttons[13]), QString(),
                                             TextAnchor::Left);
  deleteAll_ = std::make_unique<TVirtualButton>(*this, design, qt(t.Buttons[14]), QString(),
                                                TextAnchor::Left);
  closeText_ = std::make_unique<TVirtualButton>(*this, design, qt(t.Buttons[10]), QString(),
                                                TextAnchor::Left);
  // All three take the width of the widest; b = round((W - 3w) / 4) apart.
  const int bw =
      std::max({delete_->rect().width(), deleteAll_->rect().width(), closeText_->rect().width()});
  const int b = static_cast<int>(std::lrint((w - 3.0 * bw) / 4.0));
  const int xs[3] = {b, (w - bw) / 2, w - b - bw};
  TVirtualButton* buttons[3] = {delete_.get(), deleteAll_.get(), closeText_.get()};
  for (int i = 0; i < 3; ++i) {
    buttons[i]->setWidth(bw);
    buttons[i]->setRect(QRect(xs[i], kButtonTop, bw, kButtonBottom - kButtonTop + 1));
  }
  addSkinWidget(close_.get());
  for (TVirtualButton* button : buttons) addSkinWidget(button);
  for (SkinWidget* widget : skinWidgets()) widget->paint();
  fillList(0);
}

TfrmProfilesEditor::~TfrmProfilesEditor() = default;

void TfrmProfilesEditor::fillList(int focusRow) {
  list_->clear();
  for (const std::string& name : session_.rows()) {
    auto* item = new QListWidgetItem(qt(name), list_);
    item->setSizeHint(QSize(0, 16));
  }
  if (focusRow >= 0 && focusRow < list_->count()) {
    list_->setCurrentRow(focusRow, QItemSelectionModel::ClearAndSelect);
  }
}

void TfrmProfilesEditor::deleteSelected() {
  std::vector<int> selected;
  for (const QModelIndex& index : list_->selectionModel()->selectedRows())
    selected.push_back(index.row());
  const int focus = session_.deleteSelected(selected, list_->currentRow());
  if (focus < 0 && !session_.rows().empty()) return;  // nothing was focused
  fillList(focus);
}

void TfrmProfilesEditor::deleteAll() {
  session_.deleteAll();
  fillList(-1);
}

void TfrmProfilesEditor::widgetClicked(SkinWidget* widget) {
  if (widget == delete_.get())
    deleteSelected();
  else if (widget == deleteAll_.get())
    deleteAll();
  else if (widget == close_.get() || widget == closeText_.get())
    QMetaObject::invokeMethod(
        this, [this] { close(); }, Qt::QueuedConnection);
}

bool TfrmProfilesEditor::eventFilter(QObject* watched, QEvent* event) {
  if (watched == list_ && event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    const Qt::KeyboardModifiers m =
        key->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    if (key->key() == Qt::Key_Delete && m == Qt::NoModifier) {
      deleteSelected();
      return true;
    }
    if (key->key() == Qt::Key_A && m == Qt::ControlModifier) {
      list_->selectAll();
      return true;
    }
    if (key->key() == Qt::Key_Escape) {
      close();
      return true;
    }
  }
  return SkinWindow::eventFilter(watched, event);
}

void TfrmProfilesEditor::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape)
    close();
  else
    SkinWindow::keyPressEvent(event);
}

void TfrmProfilesEditor::closeEvent(QCloseEvent* event) {
  setHintText(QString());
  setPointer(PointerShape::Default);
  SkinWindow::closeEvent(event);
  emit closed();
}

void TfrmProfilesEditor::placeOver(const QWidget* owner) {
  QRect r(QPoint(0, 0), size());
  const QRect o = owner ? owner->frameGeometry() : QRect();
  if (owner) {
    r.moveCenter(o.center());
  }
  QScreen* screen = owner ? QGuiApplication::screenAt(o.center()) : nullptr;
  if (!screen) screen = QGuiApplication::primaryScreen();
  if (screen) {
    const QRect area = screen->availableGeometry();
    if (!owner) r.moveCenter(area.center());
    r.moveLeft(
        std::clamp(r.left(), area.left(), std::max(area.left(), area.right() + 1 - r.width())));
    r.moveTop(
        std::clamp(r.top(), area.top(), std::max(area.top(), area.bottom() + 1 - r.height())));
  }
  move(r.topLeft());
}

ProfilesEditorResult openProfilesEditor(QWidget* parent, moviememory::MovieMemory& store,
                                        const std::string& rememberedSettingsFile,
                                        const std::string& openMoviePath) {
  static bool open = false;
  ProfilesEditorResult result;
  if (open) return result;
  open = true;
  moviememory::ProfilesSession session(store, openMoviePath);
  {
    TfrmProfilesEditor editor(session, parent);
    editor.placeOver(parent);
    QEventLoop loop;
    QObject::connect(&editor, &TfrmProfilesEditor::closed, &loop, &QEventLoop::quit);
    editor.show();
    editor.raise();
    editor.activateWindow();
    editor.list()->setFocus();
    loop.exec();
  }
  open = false;
  result.openMovieRecordGone = session.openMovieRecordGone();
  if (session.changed()) result.changed = store.save(rememberedSettingsFile);
  return result;
}

}  // namespace ui
