#include "ui/message_window.h"
#include "app/texts/interface_texts.h"
#include "test_window.h"
#include "ui/skin_loader.h"

#include <QApplication>
#include <QFontMetrics>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

QFont messageFont() {
  QFont font("Arial");
  font.setPixelSize(14);
  return font;
}

TEST(MessageWrapTest, BreaksOnlyBetweenWords) {
  const struct {
    const char* text;
    int width;
    const char* mustStayWhole;  // a piece that must appear whole on one line
    int minLines;
  } rows[] = {
      {"Can't open \"/home/user/my-movies/some-file.avi\" for reading!", 330,
       "\"/home/user/my-movies/some-file.avi\"", 2},
      {"Error opening C:\\Movies\\Part-one.avi now", 200, "C:\\Movies\\Part-one.avi", 2},
      {"Are you sure you really want this ?", 90, "this ?", 3},
      {"Stop that right now !", 60, "now !", 2},
      {"Two\r\n\r\nparagraphs", 300, "paragraphs", 2},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.text);
    const QStringList lines = ui::wrapMessageText(row.text, messageFont(), row.width);
    EXPECT_GE(lines.size(), row.minLines);
    EXPECT_TRUE(lines.contains(row.mustStayWhole) ||
                std::any_of(lines.begin(), lines.end(),
                            [&](const QString& l) { return l.contains(row.mustStayWhole); }))
        << lines.join('|').toStdString();
    for (const QString& line : lines)
      EXPECT_FALSE(line.isEmpty()) << "doubled line ends count once";
  }
}

TEST(MessageWrapTest, OverlongWordIsCutToTheWidth) {
  const QString word(120, 'x');
  const QStringList lines = ui::wrapMessageText(word, messageFont(), 200);
  ASSERT_GT(lines.size(), 1);
  const QFontMetrics metrics(messageFont());
  for (const QString& line : lines) EXPECT_LE(metrics.horizontalAdvance(line), 200);
  EXPECT_EQ(lines.join(QString()), word);
}

TEST(MessageLayoutTest, SizesTheWindowToTheText) {
  const QSize skin = ui::loadSkinImage("Message1").size();
  const QFontMetrics metrics(messageFont());
  const QSize box(250, 21);
  const struct {
    const char* name;
    QString text;
    bool withBox;
  } rows[] = {
      {"Empty", QString(), false},
      {"ShortOneLine", "Bad subtitle!", false},
      {"ShortWithBox", "Bad subtitle!", true},
      {"Medium", "Invalid video file or\r\ncodec not found! Please check the file and try again.",
       false},
      {"LongWords", QString("word ").repeated(200), false},
      {"NoSpaces", QString(300, 'y'), true},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const ui::MessageLayout layout =
        ui::layoutMessage(row.text, messageFont(), skin, row.withBox ? box : QSize(), 2000);
    const int lw = layout.label.width(), lh = layout.label.height();
    EXPECT_GE(layout.picture.width(), row.withBox ? box.width() + 13 : 200);
    EXPECT_LE(layout.picture.width(), skin.width());
    const int needed = std::max(lh + 20, (lw + 20) / 3) + (row.withBox ? box.height() + 75 : 62);
    EXPECT_EQ(layout.picture.height(), needed) << "never clipped: the window grows to the text";
    if (lw > 0) {
      EXPECT_TRUE(QRect(QPoint(), layout.picture).contains(layout.labelRect));
    }
    EXPECT_LE(layout.labelRect.bottom(), layout.okRect.top());
    EXPECT_LT(layout.okRect.bottom(), layout.picture.height());
    if (row.withBox) {
      EXPECT_LT(layout.okRect.bottom(), layout.checkTop + 6);
    }
  }
}

TEST(MessageLayoutTest, ShortTextGivesTheMinimumWidth) {
  const QSize skin = ui::loadSkinImage("Message1").size();
  const ui::MessageLayout layout =
      ui::layoutMessage("No movie found!", messageFont(), skin, {}, 2000);
  const QFontMetrics metrics(messageFont());
  const int w = metrics.horizontalAdvance("No movie found!");
  EXPECT_EQ(layout.lines.size(), 1);
  EXPECT_EQ(layout.picture.width(), 200);
  EXPECT_EQ(layout.picture.height(), std::max(metrics.height() + 20, (w + 20) / 3) + 62);
}

TEST(MessageLayoutTest, GrownPictureKeepsItsEdges) {
  const QImage skin = ui::loadSkinImage("Message1").convertToFormat(QImage::Format_ARGB32);
  for (const QSize size : {QSize(200, 100), QSize(300, 600), QSize(skin.size())}) {
    SCOPED_TRACE(size.height());
    const QImage out = ui::resizeMessagePicture(skin, size);
    ASSERT_EQ(out.size(), size);
    EXPECT_EQ(out.pixel(size.width() - 1, size.height() - 1),
              skin.pixel(skin.width() - 1, skin.height() - 1));
    EXPECT_EQ(out.pixel(0, size.height() - 2), skin.pixel(0, skin.height() - 2));
    EXPECT_EQ(out.pixel(size.width() - 2, 5), skin.pixel(skin.width() - 2, 5));
    EXPECT_EQ(out.pixel(10, 5), skin.pixel(10, 5));
  }
}

ui::TfrmMessage* openMessage() {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (auto* m = qobject_cast<ui::TfrmMessage*>(w); m && m->isVisible()) return m;
  return nullptr;
}

void clickAt(QWidget* w, QPoint p) {
  QTest::mouseMove(w, p);
  QTest::mouseClick(w, Qt::LeftButton, {}, p);
}

TEST(ShowMessageWindowTest, ReturnsTheCheckBoxStateAndDropsASecondMessage) {
  const struct {
    const char* name;
    bool withBox;
    int boxClicks;
    bool closeWithOk;
    bool expected;
  } rows[] = {
      {"CheckedThenOk", true, 1, true, true},
      {"CheckedTwiceThenClose", true, 2, false, false},
      {"NotCheckedEscape", true, 0, false, false},
      {"NoBoxAlwaysFalse", false, 1, true, false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    bool nestedResult = true;
    bool sawWindow = false;
    QTimer::singleShot(0, [&] {
      ui::TfrmMessage* m = openMessage();
      if (!m) return;
      sawWindow = true;
      if (const char* dir = std::getenv("TARVELINO_SCREENSHOTS"))
        m->grab().save(QString(dir) + "/message_" + row.name + ".png");
      EXPECT_TRUE(ui::messageWindowOpen());
      nestedResult = ui::ShowMessageWindow("Second message", nullptr, true);
      for (int i = 0; i < row.boxClicks; ++i) clickAt(m, m->checkRect().center());
      if (row.closeWithOk)
        clickAt(m, m->okRect().center());
      else if (row.boxClicks == 2)
        clickAt(m, m->closeRect().center());
      else
        QTest::keyClick(m, Qt::Key_Escape);
    });
    const bool result = ui::ShowMessageWindow("Can't write in \"/tmp/x.ini\"!", nullptr,
                                              row.withBox, texts::builtInTexts());
    EXPECT_TRUE(sawWindow);
    EXPECT_FALSE(nestedResult) << "a dropped message reads unchecked";
    EXPECT_EQ(result, row.expected);
    EXPECT_FALSE(ui::messageWindowOpen());
  }
}

TEST(ShowMessageWindowTest, OwnerDestroyedWhileShowingDoesNotHang) {
  auto* owner = new QWidget;
  owner->show();
  QTimer::singleShot(0, [owner] { delete owner; });
  EXPECT_FALSE(ui::ShowMessageWindow("Owner goes away", owner, true));
  EXPECT_FALSE(ui::messageWindowOpen());
}

}  // namespace
