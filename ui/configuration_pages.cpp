// The pages of the configuration dialog: their controls, texts and layout,
// the language list and the preview of the subtitle settings.
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPainterPath>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTreeWidget>

#include <algorithm>

#include "texts/language_file.h"
#include "ui/colors.h"
#include "ui/configuration_dialog.h"
#include "ui/configuration_dialog_parts.h"
#include "ui/configuration_widgets.h"

namespace ui {

using namespace configuration_parts;

namespace {

QLabel* label(QWidget* page, int x, int y) {
  auto* l = new QLabel(page);
  l->move(x, y);
  return l;
}

QLineEdit* edit(QWidget* page, int x, int y, int width) {
  auto* e = new QLineEdit(page);
  e->setGeometry(x, y, width, 21);
  return e;
}

QListWidget* checkList(QWidget* page, const QRect& r) {
  auto* l = new QListWidget(page);
  l->setGeometry(r);
  l->setSelectionMode(QAbstractItemView::SingleSelection);
  return l;
}

// Fills a check list with the items of an interface text (split at CR),
// keeping the marks of items that exist.
// A page of two tabs, their captions set with the language.
QTabWidget* twoTabs(QWidget*& one, QWidget*& two) {
  auto* tabs = new QTabWidget;
  one = new QWidget;
  two = new QWidget;
  tabs->addTab(one, QString());
  tabs->addTab(two, QString());
  return tabs;
}

void setItems(QListWidget* list, const std::string& option) {
  const QStringList items = q(option).split('\r');
  for (int i = 0; i < items.size(); ++i) {
    if (i < list->count()) {
      list->item(i)->setText(items[i]);
      continue;
    }
    auto* item = new QListWidgetItem(items[i], list);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    item->setCheckState(Qt::Unchecked);
  }
}

void fit(QLabel* l, const std::string& text) {
  l->setText(q(text));
  l->adjustSize();
}

}  // namespace

void TfrmConfig::buildPages() {
  labels_ = std::make_unique<Labels>();
  tree_ = new QTreeWidget(panel_);
  tree_->setGeometry(4, 4, kTreeWidth, panel_->height() - 8);
  tree_->setHeaderHidden(true);
  tree_->setRootIsDecorated(false);
  for (int i = 0; i < 5; ++i) new QTreeWidgetItem(tree_);
  pages_ = new QStackedWidget(panel_);
  pages_->setGeometry(kTreeWidth + 8, 4, panel_->width() - kTreeWidth - 12, panel_->height() - 8);
  pages_->addWidget(buildGeneralPage());
  pages_->addWidget(buildFileTypesPage());
  pages_->addWidget(buildSubtitlePage());
  pages_->addWidget(buildVideoPage());
  pages_->addWidget(buildLanguagePage());
}

QWidget* TfrmConfig::buildGeneralPage() {
  QWidget *one = nullptr, *two = nullptr;
  generalTabs_ = twoTabs(one, two);
  CBGeneral = checkList(one, QRect(6, 6, kTabWidth - 12, 154));
  labels_->playlistFontSize = label(one, 6, 168);
  EPlaylistFontSize = edit(one, 0, 165, 30);
  labels_->fullModeSwitch = label(one, 6, 196);
  CBFullModeSwitch = new QComboBox(one);
  CBFullModeSwitch->setGeometry(0, 192, 150, 22);
  labels_->priority = label(one, 6, 226);
  CBPriority = new QComboBox(one);
  CBPriority->setGeometry(0, 222, 120, 22);
  BtnProfiles = new PageButton(one, QPoint(27, 256), QString(), kPageColor);
  BtnProfiles->setButtonEnabled(static_cast<bool>(services_.openProfilesEditor));

  cbBossKey = new QCheckBox(two);
  cbBossKey->move(10, 12);
  labels_->hide = label(two, 30, 46);
  hkHide = new HotKeyEdit(two);
  hkHide->setGeometry(90, 42, 160, 21);
  labels_->show = label(two, 30, 76);
  hkShow = new HotKeyEdit(two);
  hkShow->setGeometry(90, 72, 160, 21);
  LBossKeyHint = label(two, 10, 110);
  LBossKeyHint->setWordWrap(true);
  LBossKeyHint->setFixedWidth(kTabWidth - 20);
  // Global key grabs exist on X11 only; elsewhere the boss key cannot work.
  if (!services_.globalHotKeys) {
    LBossKeyHint->setText("The boss key needs an X11 desktop: it is not available here.");
    LBossKeyHint->adjustSize();
  }
  LBossKeyHint->setVisible(!services_.globalHotKeys);
  return generalTabs_;
}

QWidget* TfrmConfig::buildFileTypesPage() {
  auto* page = new QWidget;
  labels_->associated = label(page, 6, 4);
  CBAssocFile = checkList(page, QRect(6, 22, 150, 262));
  CBAssocFile->setFlow(QListView::TopToBottom);
  CBAssocFile->setWrapping(true);
  CBAssocFile->setResizeMode(QListView::Adjust);
  CBAssocFile->setGridSize(QSize(70, 18));
  BtnSelectAll = new PageButton(page, QPoint(164, 37), QString(), kPageColor);
  BtnSelectNone = new PageButton(page, QPoint(164, 74), QString(), kPageColor);
  EExtensionName = edit(page, 164, 150, 100);
  QFont bold = EExtensionName->font();
  bold.setBold(true);
  EExtensionName->setFont(bold);
  BtnAddExtension = new PageButton(page, QPoint(164, 200), QString(), kPageColor);
  BtnDeleteExtension = new PageButton(page, QPoint(164, 237), QString(), kPageColor);
  CBRegExtension = new QCheckBox(page);
  CBRegExtension->move(6, 290);
  return page;
}

QWidget* TfrmConfig::buildSubtitlePage() {
  QWidget *one = nullptr, *two = nullptr;
  subtitleTabs_ = twoTabs(one, two);
  CBSubtitle1 = checkList(one, QRect(6, 6, kTabWidth - 12, 66));
  labels_->maxVZone = label(one, 6, 80);
  EMaxVZone = edit(one, 0, 84, 30);
  labels_->maxHZone = label(one, 6, 122);
  EMaxHZone = edit(one, 0, 118, 30);
  BtnSubtitleFont = new PageButton(one, QPoint(6, 152), QString(), kPageColor);
  labels_->subtitleSize = label(one, 0, 155);
  ESubtitleSize = edit(one, 0, 151, 40);
  PaintSample = new QLabel(one);
  PaintSample->setGeometry(6, kTabHeight - 77 - 6, kTabWidth - 12, 77);

  CBSubtitle2 = checkList(two, QRect(6, 6, kTabWidth - 12, 98));
  labels_->averageDisplayTime = label(two, 6, 112);
  EAverageDisplayTime = edit(two, 0, 116, 40);
  BtnSubtitleDirectory = new PageButton(two, QPoint(6, 160), QString(), kPageColor);
  EDirSub = edit(two, 0, 160, 100);
  CBSearchHereFirst = new QCheckBox(two);
  CBSearchHereFirst->move(6, 192);
  return subtitleTabs_;
}

QWidget* TfrmConfig::buildVideoPage() {
  auto* page = new QWidget;
  CBVideo = checkList(page, QRect(6, 6, kPageWidth - 12, 112));
  labels_->secJump = label(page, 6, 130);
  ESecJump = edit(page, 0, 126, 30);
  labels_->secFastJump = label(page, 6, 156);
  ESecFastJump = edit(page, 0, 152, 36);
  labels_->osdSize = label(page, 6, 182);
  EOsdSize = edit(page, 0, 178, 36);
  labels_->osdColor = label(page, 0, 182);
  TPOsdColor = new ColorSwatch(page);
  TPOsdColor->move(0, 178);
  labels_->captureFormat = label(page, 6, 212);
  cbChooseFormat = new QComboBox(page);
  cbChooseFormat->setGeometry(0, 208, 70, 22);
  cbChooseFormat->addItems({"BMP", "JPG", "PNG"});
  labels_->saveCapture = label(page, 6, 240);
  EPathSaveCapture = edit(page, 6, 258, 200);
  QFont bold = EPathSaveCapture->font();
  bold.setBold(true);
  EPathSaveCapture->setFont(bold);
  BtnBrowseCapture = new PageButton(page, QPoint(0, 258), "...", kPageColor);
  return page;
}

QWidget* TfrmConfig::buildLanguagePage() {
  auto* page = new QWidget;
  labels_->chooseLanguage = label(page, 6, 6);
  fit(labels_->chooseLanguage, "Choose language:");
  LanguageList = new QListWidget(page);
  LanguageList->setGeometry(6, 26, 220, 220);
  LTranslator = label(page, 6, 254);
  LTranslator->setFixedWidth(kPageWidth - 12);
  fillLanguageList();
  return page;
}

void TfrmConfig::fillLanguageList() {
  // Shown with a capital first letter, loaded by the file's real name.
  languageNames_ = texts::listLanguages(services_.programFolder);
  LanguageList->clear();
  for (const std::string& name : languageNames_)
    LanguageList->addItem(
        q(name == texts::kBuiltInLanguage ? name : texts::shownLanguageName(name)));
}

void TfrmConfig::applyTexts() {
  const texts::InterfaceTexts& t = t_;
  const char* nodes[] = {t.Pages[0].c_str(), t.Pages[1].c_str(), t.Pages[2].c_str(),
                         t.Pages[3].c_str(), "Language"};
  for (int i = 0; i < 5; ++i) tree_->topLevelItem(i)->setText(0, q(nodes[i]));
  generalTabs_->setTabText(0, q(t.Pages[0] + " 1"));
  generalTabs_->setTabText(1, q(t.Pages[0] + " 2"));
  subtitleTabs_->setTabText(0, q(t.Pages[2] + " 1"));
  subtitleTabs_->setTabText(1, q(t.Pages[2] + " 2"));
  setItems(CBGeneral, t.Options[1]);
  setItems(CBVideo, t.Options[2]);
  setItems(CBSubtitle1, t.Options[3]);
  setItems(CBSubtitle2, t.Options[4]);
  {
    const int index = std::max(0, CBPriority->currentIndex());
    CBPriority->clear();
    CBPriority->addItems(q(t.Options[7]).split('\r'));
    CBPriority->setCurrentIndex(index);
    // Wide enough for the longest item.
    int widest = 0;
    const QFontMetrics m(CBPriority->font());
    for (int i = 0; i < CBPriority->count(); ++i)
      widest = std::max(widest, m.horizontalAdvance(CBPriority->itemText(i)));
    CBPriority->view()->setMinimumWidth(std::max(CBPriority->width() - 10, widest) + 10);
  }
  CBRegExtension->setText(q(t.Options[0]));
  CBRegExtension->adjustSize();
  CBSearchHereFirst->setText(q(t.Options[5]));
  CBSearchHereFirst->adjustSize();
  cbBossKey->setText(q(t.Options[11]));
  cbBossKey->adjustSize();
  fit(labels_->playlistFontSize, t.Labels[7]);
  fit(labels_->fullModeSwitch, t.Labels[8]);
  fit(labels_->priority, t.Labels[9]);
  fit(labels_->secJump, t.Labels[10]);
  fit(labels_->secFastJump, t.Labels[11]);
  fit(labels_->maxVZone, t.Labels[12]);
  fit(labels_->maxHZone, t.Labels[13]);
  fit(labels_->averageDisplayTime, t.Labels[14]);
  fit(labels_->associated, t.Labels[6]);
  fit(labels_->subtitleSize, t.Labels[37]);
  fit(labels_->osdSize, t.Labels[38]);
  fit(labels_->osdColor, t.Labels[39]);
  fit(labels_->captureFormat, t.Labels[40]);
  fit(labels_->saveCapture, t.Labels[41]);
  fit(labels_->hide, t.Labels[42]);
  fit(labels_->show, t.Labels[43]);
  BtnSelectAll->setCaption(q(t.Buttons[0]));
  BtnSelectNone->setCaption(q(t.Buttons[1]));
  BtnAddExtension->setCaption(q(t.Buttons[2]));
  BtnDeleteExtension->setCaption(q(t.Buttons[3]));
  // The four file-type buttons share the widest one's width.
  int widest = 0;
  for (PageButton* b : {BtnSelectAll, BtnSelectNone, BtnAddExtension, BtnDeleteExtension})
    widest = std::max(widest, b->buttonWidth());
  for (PageButton* b : {BtnSelectAll, BtnSelectNone, BtnAddExtension, BtnDeleteExtension})
    b->setButtonWidth(widest);
  BtnSubtitleFont->setCaption(q(t.Buttons[4]));
  BtnSubtitleDirectory->setCaption(q(t.Buttons[5]));
  BtnProfiles->setCaption(q(t.Buttons[12]));
  BtnProfiles->setButtonEnabled(static_cast<bool>(services_.openProfilesEditor));
}

void TfrmConfig::layOutEdits(bool afterLanguageChange) {
  auto right = [](QWidget* w) { return w->x() + w->width(); };
  auto besides = [&](QWidget* e, QLabel* l, int gap) { e->move(right(l) + gap, e->y()); };
  besides(EPlaylistFontSize, labels_->playlistFontSize, 10);
  besides(CBFullModeSwitch, labels_->fullModeSwitch, 10);
  CBFullModeSwitch->resize(std::max(120, kTabWidth - CBFullModeSwitch->x() - 6),
                           CBFullModeSwitch->height());
  besides(CBPriority, labels_->priority, 10);
  besides(EOsdSize, labels_->osdSize, 10);
  besides(EAverageDisplayTime, labels_->averageDisplayTime, 10);
  const int e =
      std::max({labels_->secFastJump->width(),
                labels_->osdSize->width() + EOsdSize->width() + labels_->osdColor->width() + 30,
                labels_->secJump->width()});
  ESecJump->move(labels_->secJump->x() + e + 10, ESecJump->y());
  ESecFastJump->move(labels_->secFastJump->x() + e + 10, ESecFastJump->y());
  TPOsdColor->move(labels_->osdSize->x() + e + 10, TPOsdColor->y());
  labels_->osdColor->move(TPOsdColor->x() - 10 - labels_->osdColor->width(),
                          labels_->osdColor->y());
  besides(cbChooseFormat, labels_->captureFormat, 30);
  const int zone = labels_->maxHZone->x() +
                   std::max(labels_->maxVZone->width(), labels_->maxHZone->width()) + 10;
  EMaxVZone->move(zone, EMaxVZone->y());
  EMaxHZone->move(zone, EMaxHZone->y());
  // The size label sits in the middle of the room right of the font button.
  const int pageWidth = kTabWidth;
  const int buttonRight = BtnSubtitleFont->x() + BtnSubtitleFont->width();
  const int margin = afterLanguageChange ? 16 : 21;
  labels_->subtitleSize->move((pageWidth - BtnSubtitleFont->width() -
                               labels_->subtitleSize->width() - ESubtitleSize->width() - margin) /
                                      2 +
                                  buttonRight - BtnSubtitleFont->x(),
                              labels_->subtitleSize->y());
  besides(ESubtitleSize, labels_->subtitleSize, 10);
  // The capture folder field fills the row up to its browse button.
  const int captureWidth = kPageWidth - 2 * EPathSaveCapture->x() - BtnBrowseCapture->width() - 30;
  EPathSaveCapture->resize(std::max(60, captureWidth), EPathSaveCapture->height());
  BtnBrowseCapture->move(right(EPathSaveCapture) + 4, EPathSaveCapture->y());
  EDirSub->setGeometry(right(BtnSubtitleDirectory) + 8, BtnSubtitleDirectory->y() - 1,
                       kTabWidth - right(BtnSubtitleDirectory) - 16, 21);
}

void TfrmConfig::languageSelected() {
  const int row = LanguageList->currentRow();
  std::string credit;
  if (row >= 0 && row < static_cast<int>(languageNames_.size()))
    credit = texts::translatorCredit(services_.programFolder, languageNames_[row]);
  LTranslator->setText(q(credit));
  OptionsChangeCheck();
}

void TfrmConfig::paintSample() {
  if (!PaintSample) return;
  const config::Controls c = controls();
  QImage image(PaintSample->size(), QImage::Format_ARGB32_Premultiplied);
  image.fill(colorFromBgr(kPageColor));
  QPainter p(&image);
  p.setPen(QColor(0x80, 0x80, 0x80));
  p.drawRect(image.rect().adjusted(0, 0, -1, -1));
  const int size =
      config::previewFontPixels(services_.screenWidth, c.subtitleSize.c_str(), services_.dpi);
  QFont font(q(font_.name));
  font.setPointSize(std::max(1, size));
  font.setBold(font_.style == 1 || font_.style == 2);
  font.setItalic(font_.style == 2 || font_.style == 3);
  p.setFont(font);
  const QString text = "Sample text";
  const QFontMetrics m(font);
  const QRect box(0, 0, m.horizontalAdvance(text), m.height());
  QRect at = box;
  at.moveCenter(image.rect().center());
  const QColor color = colorFromBgr(font_.color);
  p.setRenderHint(QPainter::Antialiasing);
  if (!c.subtitle1[0]) {
    p.fillRect(at.adjusted(-4, 0, 4, 0), Qt::black);
    p.setPen(color);
    p.drawText(at, Qt::AlignCenter, text);
  } else if (c.subtitle1[1]) {
    // Outline (from 10 points) and shadow (from 16 points), moved 2 px right and down.
    at.translate(2, 2);
    QPainterPath path;
    path.addText(at.left(), at.top() + m.ascent(), font, text);
    if (c.subtitle1[2] && size >= 16) {
      p.setPen(QPen(Qt::black, 3));
      p.setBrush(Qt::black);
      p.drawPath(path.translated(3, 3));
    }
    if (size >= 10)
      p.strokePath(path, QPen(Qt::black, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.fillPath(path, color);
  } else {
    p.setPen(color);
    p.drawText(at, Qt::AlignCenter, text);
  }
  p.end();
  PaintSample->setPixmap(QPixmap::fromImage(image));
}

}  // namespace ui
