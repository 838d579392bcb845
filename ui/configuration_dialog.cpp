#include "ui/configuration_dialog.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QColorDialog>
#include <QComboBox>
#include <QEventLoop>
#include <QFileDialog>
#include <QFontDialog>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTreeWidget>

#include <algorithm>

#include "settings/settings_io.h"
#include "ui/colors.h"
#include "ui/configuration_dialog_parts.h"
#include "ui/configuration_widgets.h"
#include "ui/skin_loader.h"
#include "ui/virtual_button.h"
#include "ui/window_drag.h"

namespace ui {

using namespace configuration_parts;

namespace {

std::string lowerAscii(std::string s) {
  for (char& c : s)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return s;
}

bool checked(const QListWidget* list, int row) {
  return row < list->count() && list->item(row)->checkState() == Qt::Checked;
}

template <size_t N>
std::array<bool, N> marksOf(const QListWidget* list) {
  std::array<bool, N> out{};
  for (size_t i = 0; i < N; ++i) out[i] = checked(list, static_cast<int>(i));
  return out;
}

template <size_t N>
void setMarksOf(QListWidget* list, const std::array<bool, N>& marks) {
  for (size_t i = 0; i < N && static_cast<int>(i) < list->count(); ++i)
    list->item(static_cast<int>(i))->setCheckState(marks[i] ? Qt::Checked : Qt::Unchecked);
}

QString text(const QLineEdit* e) {
  return e->text();
}

}  // namespace

TfrmConfig::TfrmConfig(settings::Settings& settings, ConfigurationServices services,
                       QWidget* parent)
    : SkinWindow(parent, Qt::Dialog),
      settings_(settings),
      services_(std::move(services)),
      t_(texts::currentTexts()) {
  setWindowTitle(q(t_.Titles[3]));
  if (!services_.folderExists) services_.folderExists = [](const std::string&) { return false; };
  buildFace();
  buildPages();
  applyTexts();
  layOutEdits(false);
  // The controls take the settings in force.
  priorityLevel_ = services_.priorityLevel ? services_.priorityLevel()
                                           : settings::priorityLevel(settings_.CpuPriority);
  settings_.CpuPriority = config::cpuPriorityForLevel(priorityLevel_);
  liveMarks_ = marksInEffect(settings_.ExtensionList);
  CBFullModeSwitch->addItem(q(t_.Options[6]));
  for (const std::string& mode : services_.displayModeLabels) CBFullModeSwitch->addItem(q(mode));
  std::string language;
  for (const std::string& name : languageNames_)
    if (lowerAscii(name) == lowerAscii(settings_.LastUsedLanguage)) language = name;
  const config::Controls c = config::controlsFromSettings(settings_, liveState(), language);
  font_ = c.font;
  setControls(c);
  // Without global key grabs the boss key cannot be used.
  if (!services_.globalHotKeys) cbBossKey->setEnabled(false);
  bossKeyToggled();
  connectChangeDetection();
  selectPage(0);
  tree_->setFocus();
  // Enter and Esc are dialog commands in every control but the hot-key fields.
  for (QWidget* w : findChildren<QWidget*>())
    if (!qobject_cast<HotKeyEdit*>(w)) w->installEventFilter(this);
  built_ = true;
  paintSample();
  OptionsChangeCheck();
}

TfrmConfig::~TfrmConfig() = default;

void TfrmConfig::buildFace() {
  QImage face = loadSkinImage("Config");
  setFace(face);
  panel_ = new QWidget(this);
  panel_->setGeometry(2, 24, face.width() - 4, face.height() - 55);
  panel_->setAutoFillBackground(true);
  QPalette palette = panel_->palette();
  palette.setColor(QPalette::Window, colorFromBgr(kPageColor));
  palette.setColor(QPalette::WindowText, colorFromBgr(kTextColor));
  palette.setColor(QPalette::Text, colorFromBgr(kTextColor));
  palette.setColor(QPalette::Base, Qt::white);
  palette.setColor(QPalette::Button, colorFromBgr(kPageColor));
  palette.setColor(QPalette::ButtonText, colorFromBgr(kTextColor));
  panel_->setPalette(palette);
  QFont controlFont("MS Sans Serif");
  controlFont.setPixelSize(11);
  panel_->setFont(controlFont);

  const int w = face.width(), h = face.height();
  close_ =
      std::make_unique<TVirtualButton>(*this, QRect(QPoint(w - 14, 7), QPoint(w - 5, 16)), true,
                                       "MainbtnClose", q(t_.Hints[0]), ButtonLook::ImageNoDisabled);
  apply_ = std::make_unique<TVirtualButton>(*this, QRect(0, h - 26, 80, 20), q(t_.Buttons[8]),
                                            QString(), TextAnchor::Left, true);
  default_ = std::make_unique<TVirtualButton>(*this, QRect(0, h - 26, 80, 20), q(t_.Buttons[9]),
                                              QString(), TextAnchor::Left, true);
  closeText_ = std::make_unique<TVirtualButton>(*this, QRect(0, h - 26, 80, 20), q(t_.Buttons[10]),
                                                QString(), TextAnchor::Left, true);
  int common = 0;
  for (TVirtualButton* b : {apply_.get(), default_.get(), closeText_.get()})
    common = std::max(common, b->rect().width());
  const auto spans = config::bottomButtons(w, common);
  int i = 0;
  for (TVirtualButton* b : {apply_.get(), default_.get(), closeText_.get()}) {
    // Text buttons are placed by their design rectangle: make a new one there.
    const QRect at(spans[i].left, h - 26, common, 20);
    const QString caption = b->caption();
    auto fresh =
        std::make_unique<TVirtualButton>(*this, at, caption, QString(), TextAnchor::Left, true);
    fresh->setWidth(common);
    if (i == 0) apply_ = std::move(fresh);
    if (i == 1) default_ = std::move(fresh);
    if (i == 2) closeText_ = std::move(fresh);
    ++i;
  }
  for (TVirtualButton* b : {close_.get(), apply_.get(), default_.get(), closeText_.get()}) {
    addSkinWidget(b);
    b->paint();
  }
  apply_->setEnabled(false);
  apply_->paint();
  setFocusPolicy(Qt::NoFocus);
}

void TfrmConfig::drawTitle() {
  const QRect area(5, 3, width() - 30, 18);
  QPainter p(&background());
  p.setCompositionMode(QPainter::CompositionMode_Source);
  p.drawImage(area.topLeft(), face(), area);
  p.setCompositionMode(QPainter::CompositionMode_SourceOver);
  QFont font("Verdana");
  font.setPixelSize(12);
  p.setFont(font);
  p.setPen(colorFromBgr(kTitleColor));
  QTreeWidgetItem* node = tree_ ? tree_->currentItem() : nullptr;
  const QString title = q(t_.Titles[3]) + " - " + (node ? node->text(0) : QString());
  p.drawText(QRect(5, 5, width() - 30, 16), Qt::AlignLeft | Qt::AlignTop, title);
  p.end();
  restoreFromBackground(area);
  setWindowTitle(title);
}

config::LiveState TfrmConfig::liveState() const {
  return config::LiveState{liveMarks_, priorityLevel_};
}

std::vector<bool> TfrmConfig::marksInEffect(const std::vector<std::string>& extensions) const {
  std::vector<bool> marks;
  for (const std::string& e : extensions)
    marks.push_back(services_.associated && services_.associated(lowerAscii(e)));
  return marks;
}

config::Controls TfrmConfig::controls() const {
  config::Controls c;
  for (int i = 0; i < CBAssocFile->count(); ++i) {
    c.extensions.push_back(CBAssocFile->item(i)->text().toStdString());
    c.marks.push_back(CBAssocFile->item(i)->checkState() == Qt::Checked);
  }
  c.registerOnLoad = CBRegExtension->isChecked();
  c.general = marksOf<config::kGeneralItems>(CBGeneral);
  c.fullModeSwitch = CBFullModeSwitch->currentText().toStdString();
  c.priorityIndex = std::max(0, CBPriority->currentIndex());
  c.bossKey = cbBossKey->isChecked();
  c.bossKeyHide = hkHide->shortcut();
  c.bossKeyShow = hkShow->shortcut();
  c.subtitle1 = marksOf<config::kSubtitle1Items>(CBSubtitle1);
  c.subtitle2 = marksOf<config::kSubtitle2Items>(CBSubtitle2);
  c.averageDisplayTime = text(EAverageDisplayTime).toStdString();
  c.maxVZone = text(EMaxVZone).toStdString();
  c.maxHZone = text(EMaxHZone).toStdString();
  c.font = font_;
  c.subtitleSize = text(ESubtitleSize).toStdString();
  c.subtitleDirectory = text(EDirSub).toStdString();
  c.searchHereFirst = CBSearchHereFirst->isChecked();
  c.video = marksOf<config::kVideoItems>(CBVideo);
  c.secJump = text(ESecJump).toStdString();
  c.secFastJump = text(ESecFastJump).toStdString();
  c.osdSize = text(EOsdSize).toStdString();
  c.osdColor = TPOsdColor->color();
  c.captureFolder = text(EPathSaveCapture).toStdString();
  c.captureType = std::max(0, cbChooseFormat->currentIndex());
  c.playlistFontSize = text(EPlaylistFontSize).toStdString();
  const int row = LanguageList->currentRow();
  if (row >= 0 && row < static_cast<int>(languageNames_.size())) c.language = languageNames_[row];
  return c;
}

void TfrmConfig::setControls(const config::Controls& c) {
  ++bulk_;
  CBAssocFile->clear();
  for (size_t i = 0; i < c.extensions.size(); ++i) {
    auto* item = new QListWidgetItem(q(c.extensions[i]), CBAssocFile);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    item->setCheckState(i < c.marks.size() && c.marks[i] ? Qt::Checked : Qt::Unchecked);
  }
  CBRegExtension->setChecked(c.registerOnLoad);
  setMarksOf(CBGeneral, c.general);
  const int mode = CBFullModeSwitch->findText(q(c.fullModeSwitch), Qt::MatchExactly);
  CBFullModeSwitch->setCurrentIndex(std::max(0, mode));
  CBPriority->setCurrentIndex(std::clamp(c.priorityIndex, 0, 3));
  cbBossKey->setChecked(c.bossKey);
  hkHide->setShortcut(c.bossKeyHide);
  hkShow->setShortcut(c.bossKeyShow);
  setMarksOf(CBSubtitle1, c.subtitle1);
  setMarksOf(CBSubtitle2, c.subtitle2);
  EAverageDisplayTime->setText(q(c.averageDisplayTime));
  EMaxVZone->setText(q(c.maxVZone));
  EMaxHZone->setText(q(c.maxHZone));
  font_ = c.font;
  ESubtitleSize->setText(q(c.subtitleSize));
  EDirSub->setText(q(c.subtitleDirectory));
  CBSearchHereFirst->setChecked(c.searchHereFirst);
  setMarksOf(CBVideo, c.video);
  ESecJump->setText(q(c.secJump));
  ESecFastJump->setText(q(c.secFastJump));
  EOsdSize->setText(q(c.osdSize));
  TPOsdColor->setColor(c.osdColor);
  EPathSaveCapture->setText(q(c.captureFolder));
  cbChooseFormat->setCurrentIndex(std::clamp(c.captureType, 0, 2));
  EPlaylistFontSize->setText(q(c.playlistFontSize));
  int languageRow = -1;
  for (size_t i = 0; i < languageNames_.size(); ++i)
    if (!c.language.empty() && lowerAscii(languageNames_[i]) == lowerAscii(c.language))
      languageRow = static_cast<int>(i);
  LanguageList->setCurrentRow(languageRow);
  --bulk_;
  bossKeyToggled();
  languageSelected();
}

bool TfrmConfig::applyEnabled() const {
  return apply_->enabled();
}

int TfrmConfig::page() const {
  return pages_->currentIndex();
}

void TfrmConfig::selectPage(int page) {
  tree_->setCurrentItem(tree_->topLevelItem(std::clamp(page, 0, 4)));
}

config::Field TfrmConfig::fieldOf(const QLineEdit* edit, int& settingValue) const {
  using F = config::Field;
  const struct {
    const QLineEdit* edit;
    F field;
    int value;
  } rows[] = {
      {EPlaylistFontSize, F::PlaylistFontSize, settings_.PlaylistFontSize},
      {EMaxVZone, F::MaxVZone, settings_.AverageVerticalDisplayZone},
      {EMaxHZone, F::MaxHZone, settings_.HorizontalDisplayArea},
      {ESubtitleSize, F::SubtitleSize, settings_.SubtitleSize},
      {EAverageDisplayTime, F::AverageDisplayTime, settings_.AverageDisplayTime},
      {ESecJump, F::SecJump, settings_.SecondesToJump},
      {ESecFastJump, F::SecFastJump, settings_.SecondesToFastJump},
      {EOsdSize, F::OsdSize, settings_.OsdSize},
  };
  for (const auto& r : rows)
    if (r.edit == edit) {
      settingValue = r.value;
      return r.field;
    }
  settingValue = -1;
  return F::PlaylistFontSize;
}

void TfrmConfig::connectChangeDetection() {
  auto check = [this] { OptionsChangeCheck(); };
  for (QListWidget* list : {CBGeneral, CBSubtitle1, CBSubtitle2, CBVideo, CBAssocFile})
    connect(list, &QListWidget::itemChanged, this,
            [this, list](QListWidgetItem* item) { checkListClicked(list, list->row(item)); });
  for (QComboBox* box : {CBFullModeSwitch, CBPriority, cbChooseFormat})
    connect(box, &QComboBox::currentIndexChanged, this, check);
  connect(CBRegExtension, &QCheckBox::toggled, this, check);
  connect(CBSearchHereFirst, &QCheckBox::toggled, this, check);
  connect(cbBossKey, &QCheckBox::toggled, this, [this] {
    bossKeyToggled();
    OptionsChangeCheck();
  });
  for (HotKeyEdit* hk : {hkHide, hkShow}) connect(hk, &HotKeyEdit::shortcutChanged, this, check);
  // Numeric fields keep digits only, typed or pasted, and are corrected when
  // left. The length is cut after the filter, so a pasted "1 2 5" keeps 125.
  for (QLineEdit* e : {EPlaylistFontSize, EMaxVZone, EMaxHZone, ESubtitleSize, EAverageDisplayTime,
                       ESecJump, ESecFastJump, EOsdSize}) {
    int setting = 0;
    const config::Field field = fieldOf(e, setting);
    connect(e, &QLineEdit::textChanged, this, [this, e, field](const QString& typed) {
      const QString kept = q(config::digitsInput(field, typed.toStdString()));
      if (kept != typed) {
        const int caret = std::min<int>(e->cursorPosition(), kept.size());
        e->setText(kept);
        e->setCursorPosition(caret);
        return;
      }
      if (e == ESubtitleSize) paintSample();
      OptionsChangeCheck();
    });
    connect(e, &QLineEdit::editingFinished, this, [this, e] { leaveEdit(e); });
  }
  connect(EExtensionName, &QLineEdit::textChanged, this, [this](const QString& typed) {
    const QString kept = q(config::extensionNameInput(typed.toStdString()));
    if (kept != typed) EExtensionName->setText(kept);
  });
  for (QLineEdit* e : {EDirSub, EPathSaveCapture}) {
    connect(e, &QLineEdit::textChanged, this, check);
    connect(e, &QLineEdit::editingFinished, this, [this, e] { leaveEdit(e); });
  }
  connect(LanguageList, &QListWidget::currentRowChanged, this, [this] { languageSelected(); });
  connect(tree_, &QTreeWidget::currentItemChanged, this, [this] {
    const int node = tree_->indexOfTopLevelItem(tree_->currentItem());
    if (node < 0) return;
    pages_->setCurrentIndex(node);
    drawTitle();
    if (node == 2) {
      if (services_.subtitlePageSelected) services_.subtitlePageSelected();
      paintSample();
    }
  });
  connect(BtnSelectAll, &PageButton::clicked, this, [this] { setMarks(true); });
  connect(BtnSelectNone, &PageButton::clicked, this, [this] { setMarks(false); });
  connect(BtnAddExtension, &PageButton::clicked, this, [this] { addExtension(); });
  connect(BtnDeleteExtension, &PageButton::clicked, this, [this] { deleteExtension(); });
  connect(BtnSubtitleFont, &PageButton::clicked, this, [this] { subtitleFontClick(); });
  connect(BtnSubtitleDirectory, &PageButton::clicked, this, [this] { subtitleDirectoryClick(); });
  connect(BtnBrowseCapture, &PageButton::clicked, this, [this] { captureFolderClick(); });
  connect(TPOsdColor, &ColorSwatch::clicked, this, [this] { osdColorClick(); });
  connect(BtnProfiles, &PageButton::clicked, this, [this] {
    if (services_.openProfilesEditor) services_.openProfilesEditor(this);
  });
}

void TfrmConfig::checkListClicked(QListWidget* list, int row) {
  if (bulk_ || inRule_) return;
  config::Controls c = controls();
  if (list == CBGeneral) config::generalClicked(c, row);
  if (list == CBSubtitle1) config::subtitle1Clicked(c, row);
  if (list == CBSubtitle2) config::subtitle2Clicked(c, row);
  if (list == CBVideo) config::videoClicked(c, row);
  inRule_ = true;
  setMarksOf(CBGeneral, c.general);
  setMarksOf(CBSubtitle1, c.subtitle1);
  setMarksOf(CBSubtitle2, c.subtitle2);
  setMarksOf(CBVideo, c.video);
  inRule_ = false;
  if (list == CBSubtitle1) paintSample();
  OptionsChangeCheck();
}

void TfrmConfig::leaveEdit(QLineEdit* edit) {
  if (edit == EDirSub) {
    const std::string kept =
        config::leaveSubtitleDirectory(edit->text().toStdString(), services_.folderExists);
    if (q(kept) != edit->text()) edit->setText(q(kept));
    return;
  }
  if (edit == EPathSaveCapture) {
    const std::string kept = config::leaveCaptureFolder(
        edit->text().toStdString(), settings_.CaptureFolder, services_.writableFolder);
    if (q(kept) != edit->text()) edit->setText(q(kept));
    return;
  }
  int setting = 0;
  const config::Field field = fieldOf(edit, setting);
  if (setting < 0) return;
  const QString kept = q(config::leaveField(field, edit->text().toStdString(), setting));
  if (kept != edit->text()) {
    const int caret = edit->cursorPosition();
    edit->setText(kept);
    edit->setCursorPosition(std::min<int>(caret, kept.size()));
  }
}

void TfrmConfig::bossKeyToggled() {
  const bool on = cbBossKey->isChecked() && services_.globalHotKeys;
  hkHide->setEnabled(on);
  hkShow->setEnabled(on);
}

void TfrmConfig::OptionsChangeCheck() {
  if (!built_ || bulk_) return;
  const config::Pending p = config::firstDifference(controls(), settings_, liveState());
  if (p == config::Pending::SubtitleLook && services_.uncheckMovieMode)
    services_.uncheckMovieMode();
  const bool pending = p != config::Pending::None;
  if (apply_->enabled() != pending) {
    apply_->setEnabled(pending);
    apply_->paint();
  }
}

void TfrmConfig::setMarks(bool on) {
  ++bulk_;
  for (int i = 0; i < CBAssocFile->count(); ++i)
    CBAssocFile->item(i)->setCheckState(on ? Qt::Checked : Qt::Unchecked);
  --bulk_;
  OptionsChangeCheck();
}

void TfrmConfig::addExtension() {
  config::Controls c = controls();
  const std::optional<int> at = config::addExtension(c, EExtensionName->text().toStdString());
  if (!at) return;
  if (*at == CBAssocFile->count()) {
    ++bulk_;
    auto* item = new QListWidgetItem(q(c.extensions[*at]), CBAssocFile);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    item->setCheckState(Qt::Unchecked);
    --bulk_;
  }
  CBAssocFile->setCurrentRow(*at);
  OptionsChangeCheck();
}

void TfrmConfig::deleteExtension() {
  config::Controls c = controls();
  int selected = -1;
  const std::optional<std::string> removed =
      config::deleteExtension(c, CBAssocFile->currentRow(), selected);
  if (removed) {
    // An associated extension goes back to its previous program at once.
    if (services_.removeAssociation) services_.removeAssociation(*removed);
    ++bulk_;
    delete CBAssocFile->takeItem(CBAssocFile->currentRow());
    --bulk_;
    CBAssocFile->setCurrentRow(selected);
  }
  OptionsChangeCheck();
}

void TfrmConfig::subtitleFontClick() {
  const int size = config::fieldValue(config::Field::SubtitleSize,
                                      ESubtitleSize->text().toStdString(), settings_.SubtitleSize);
  int points = config::fontDialogPointSize(services_.screenWidth, size);
  config::SubtitleFont font = font_;
  if (!chooseFont || !chooseFont(this, font, points)) return;
  font_ = font;
  ESubtitleSize->setText(
      QString::number(config::subtitleSizeFromPoints(points, services_.screenWidth)));
  OptionsChangeCheck();
  paintSample();
}

void TfrmConfig::subtitleDirectoryClick() {
  if (!services_.chooseFolder) return;
  const std::string folder = services_.chooseFolder(this, EDirSub->text().toStdString());
  if (folder.empty()) return;
  EDirSub->setText(q(folder));
  OptionsChangeCheck();
}

void TfrmConfig::captureFolderClick() {
  if (!services_.chooseFolder) return;
  std::string folder = services_.chooseFolder(this, EPathSaveCapture->text().toStdString());
  if (folder.empty()) return;
  if (!services_.desktopFolder.empty() && folder == services_.desktopFolder) folder = "Desktop";
  EPathSaveCapture->setText(
      q(config::leaveCaptureFolder(folder, settings_.CaptureFolder, services_.writableFolder)));
  OptionsChangeCheck();
}

void TfrmConfig::osdColorClick() {
  int color = TPOsdColor->color();
  if (!services_.chooseColor || !services_.chooseColor(this, color)) return;
  TPOsdColor->setColor(color);
  OptionsChangeCheck();
}

void TfrmConfig::BtnDefaultClick() {
  config::Controls c = controls();
  config::applyDefaults(c, t_.Options[6]);
  setControls(c);
  paintSample();
  OptionsChangeCheck();
}

void TfrmConfig::BtnApplyClick() {
  if (auto* edit = qobject_cast<QLineEdit*>(QApplication::focusWidget()))
    if (edit->window() == this) leaveEdit(edit);
  const settings::Settings before = settings_;
  config::Controls c = controls();
  ++bulk_;
  std::vector<std::string> extensions;
  for (const std::string& e : c.extensions) extensions.push_back(lowerAscii(e));
  if (services_.applyFileTypes) {
    services_.applyFileTypes(extensions, c.marks, c.registerOnLoad);
  } else {
    settings_.ExtensionList = extensions;
    settings_.RegisterExtensionsOnLoad = c.registerOnLoad;
  }
  config::writeSettings(c, settings_);
  // The priority asked for may be refused (raising needs privileges, and
  // lowering is one-way): the list shows the level in force afterwards.
  if (services_.setPriorityLevel) services_.setPriorityLevel(c.priorityIndex);
  priorityLevel_ = services_.priorityLevel ? services_.priorityLevel() : c.priorityIndex;
  settings_.CpuPriority = config::cpuPriorityForLevel(priorityLevel_);
  CBPriority->setCurrentIndex(priorityLevel_);
  // The marks show the associations in effect.
  liveMarks_ = marksInEffect(settings_.ExtensionList);
  for (int i = 0; i < CBAssocFile->count() && i < static_cast<int>(liveMarks_.size()); ++i)
    CBAssocFile->item(i)->setCheckState(liveMarks_[i] ? Qt::Checked : Qt::Unchecked);
  if (!c.language.empty() && lowerAscii(c.language) != lowerAscii(settings_.LastUsedLanguage)) {
    const std::string oldNoChange = t_.Options[6];
    if (services_.loadLanguage && services_.loadLanguage(c.language))
      settings_.LastUsedLanguage = c.language;
    if (settings_.FullscreenModeSwitch == oldNoChange)
      settings_.FullscreenModeSwitch = t_.Options[6];
    const int node = page();
    applyTexts();
    layOutEdits(true);
    CBFullModeSwitch->setItemText(0, q(t_.Options[6]));
    selectPage(node);
    drawTitle();
  }
  --bulk_;
  if (services_.applied) services_.applied(before);
  apply_->setEnabled(false);
  apply_->paint();
  OptionsChangeCheck();
}

void TfrmConfig::widgetClicked(SkinWidget* widget) {
  if (widget == close_.get() || widget == closeText_.get())
    close();
  else if (widget == apply_.get() && apply_->enabled())
    BtnApplyClick();
  else if (widget == default_.get())
    BtnDefaultClick();
}

bool TfrmConfig::eventFilter(QObject* watched, QEvent* event) {
  // A press on the panel, a page or a tab page background moves the window.
  // (Views' viewports are plain widgets too: they keep their presses.)
  if (event->type() == QEvent::MouseButtonPress &&
      watched->metaObject() == &QWidget::staticMetaObject &&
      !qobject_cast<QAbstractScrollArea*>(watched->parent())) {
    auto* press = static_cast<QMouseEvent*>(event);
    if (press->button() == Qt::LeftButton) {
      StartWindowDrag(this, press->globalPosition().toPoint());
      return true;
    }
  }
  if (event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    const bool plain = !(key->modifiers() & ~Qt::KeypadModifier);
    if (plain && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
      if (apply_->enabled()) BtnApplyClick();
      close();
      return true;
    }
    if (plain && key->key() == Qt::Key_Escape) {
      close();
      return true;
    }
  }
  return SkinWindow::eventFilter(watched, event);
}

void TfrmConfig::closeEvent(QCloseEvent* event) {
  setPointer(PointerShape::Default);
  SkinWindow::closeEvent(event);
  emit closed();
}

void ShowConfigurationDialog(settings::Settings& settings, ConfigurationServices services,
                             QWidget* mainWindow, const std::function<void(TfrmConfig&)>& prepare) {
  if (!services.chooseFolder)
    services.chooseFolder = [](QWidget* owner, const std::string& start) {
      return QFileDialog::getExistingDirectory(owner, q(texts::currentTexts().Messages[43]),
                                               q(start), QFileDialog::ShowDirsOnly)
          .toStdString();
    };
  if (!services.chooseColor)
    services.chooseColor = [](QWidget* owner, int& bgr) {
      QColorDialog dialog(colorFromBgr(bgr), owner);
      dialog.setOption(QColorDialog::DontUseNativeDialog);
      // The colour's text field takes the focus, so the colour can be typed.
      QMetaObject::invokeMethod(
          &dialog,
          [&dialog] {
            for (QLineEdit* e : dialog.findChildren<QLineEdit*>())
              if (e->text().startsWith('#')) {
                e->setFocus();
                e->selectAll();
              }
          },
          Qt::QueuedConnection);
      if (dialog.exec() != QDialog::Accepted) return false;
      bgr = bgrFromColor(dialog.selectedColor());
      return true;
    };
  QPointer<TfrmConfig> window = new TfrmConfig(settings, std::move(services), mainWindow);
  window->chooseFont = [](QWidget* owner, config::SubtitleFont& font, int& points) {
    QFont initial(q(font.name));
    initial.setPointSize(std::max(1, points));
    initial.setBold(font.style == 1 || font.style == 2);
    initial.setItalic(font.style == 2 || font.style == 3);
    bool ok = false;
    const QFont chosen =
        QFontDialog::getFont(&ok, initial, owner, q(texts::currentTexts().Titles[14]));
    if (!ok) return false;
    font.name = chosen.family().toStdString();
    font.style = chosen.bold() ? (chosen.italic() ? 2 : 1) : (chosen.italic() ? 3 : 0);
    points = std::max(1, chosen.pointSize());
    // The font's colour is chosen right after it, under the same title.
    const QColor color = QColorDialog::getColor(colorFromBgr(font.color), owner,
                                                q(texts::currentTexts().Titles[14]));
    if (color.isValid()) font.color = bgrFromColor(color);
    return true;
  };
  if (prepare) prepare(*window);
  // Midway between the screen's centre and the main window's, inside the work area.
  QScreen* screen =
      mainWindow && mainWindow->screen() ? mainWindow->screen() : QGuiApplication::primaryScreen();
  const QRect fullScreen = window->fullScreenMonitor();
  if (!fullScreen.isEmpty()) {
    QRect at(QPoint(0, 0), window->size());
    at.moveCenter(fullScreen.center());
    window->move(at.topLeft());
  } else if (screen) {
    const QRect work = screen->availableGeometry();
    QPoint centre = work.center();
    if (mainWindow) centre = (centre + mainWindow->frameGeometry().center()) / 2;
    QRect at(QPoint(0, 0), window->size());
    at.moveCenter(centre);
    at.moveLeft(
        std::clamp(at.left(), work.left(), std::max(work.left(), work.right() - at.width())));
    at.moveTop(std::clamp(at.top(), work.top(), std::max(work.top(), work.bottom() - at.height())));
    window->move(at.topLeft());
  }
  window->setWindowModality(Qt::ApplicationModal);
  QEventLoop loop;
  QObject::connect(window, &TfrmConfig::closed, &loop, &QEventLoop::quit);
  QObject::connect(window, &QObject::destroyed, &loop, &QEventLoop::quit);
  window->show();
  window->raise();
  window->activateWindow();
  window->tree()->setFocus();
  loop.exec(QEventLoop::DialogExec);
  delete window.data();
}

}  // namespace ui
