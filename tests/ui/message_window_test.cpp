#include "ui/message_window.h"
#include "texts/interface_texts.h"
#include "test_window.h"
#include "ui/skin_loader.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPainter>
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

TEST(MessageWrapTest, LongPathBreaksBetweenFoldersFirst) {
  const QFontMetrics metrics(messageFont());
  const struct {
    QString word;
    int width;
    bool atSeparators;  // every line but the last ends with a separator
  } rows[] = {
      {"/home/someone/Videos/Holidays/2019/summer-at-the-lake/clip-number-one.avi", 200, true},
      {"D:\\Video\\Collection\\Documentaries\\Nature-and-wildlife\\episode-12.avi", 150, true},
      {"/a/" + QString(60, 'x') + "/b.avi", 200, false},  // a name wider than the width
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.word.toStdString());
    const QStringList lines = ui::wrapMessageText(row.word, messageFont(), row.width);
    ASSERT_GT(lines.size(), 1);
    EXPECT_EQ(lines.join(QString()), row.word);
    for (const QString& line : lines) EXPECT_LE(metrics.horizontalAdvance(line), row.width);
    if (row.atSeparators) {
      for (int i = 0; i + 1 < lines.size(); ++i)
        EXPECT_TRUE(lines[i].endsWith('/') || lines[i].endsWith('\\')) << lines[i].toStdString();
    }
  }
}

TEST(MessageLayoutTest, WidensToTheSkinBeforeCuttingWords) {
  const QSize skin = ui::loadSkinImage("Message1").size();
  const QFontMetrics metrics(messageFont());
  const struct {
    const char* name;
    QString text;
    bool fullWidth;  // wrapped at the skin's whole text width
  } rows[] = {
      {"PathFitsTheSkin",
       "Can't open \"/home/someone/Videos/holidays/the-long-summer.avi\" for reading!", false},
      {"PathWiderThanTheSkin",
       "File \"/home/someone/Videos/holidays/2019/the-long-summer-at-the-lake/clip.avi\" "
       "doesn't exist!",
       true},
      {"PlainWords", "Invalid video file or\r\ncodec not found!", false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const ui::MessageLayout layout = ui::layoutMessage(row.text, messageFont(), skin, {}, 2000);
    EXPECT_EQ(layout.wrapWidth == skin.width() - 20, row.fullWidth) << layout.wrapWidth;
    // Every word that fits the skin's text width stays whole on one line.
    QString words = row.text;
    for (const QString& word : words.replace("\r\n", " ").split(' ', Qt::SkipEmptyParts)) {
      if (metrics.horizontalAdvance(word) > skin.width() - 20) continue;
      EXPECT_TRUE(std::any_of(layout.lines.begin(), layout.lines.end(),
                              [&](const QString& l) { return l.contains(word); }))
          << word.toStdString() << " in " << layout.lines.join('|').toStdString();
    }
    for (const QString& line : layout.lines)
      EXPECT_LE(metrics.horizontalAdvance(line), skin.width() - 20);
  }
}

// The lines drawn into the label rectangle, clipped to it as the window draws
// them, lose nothing against the same lines drawn unclipped.
TEST(MessageLayoutTest, LabelHoldsEveryLineItDraws) {
  const QSize skin = ui::loadSkinImage("Message1").size();
  for (const int pixels : {14, 16, 20}) {
    for (int count = 1; count <= 5; ++count) {
      SCOPED_TRACE(pixels * 100 + count);
      QFont font("Arial");
      font.setPixelSize(pixels);
      QStringList lines;
      for (int i = 0; i < count; ++i) lines << "Quickly jumping gypsy " + QString::number(i);
      const ui::MessageLayout layout = ui::layoutMessage(lines.join("\r\n"), font, skin, {}, 2000);
      ASSERT_GE(layout.lines.size(), count);
      const auto draw = [&](int flags) {
        QImage image(layout.picture, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setFont(font);
        painter.setPen(Qt::black);
        painter.drawText(layout.labelRect.adjusted(-2, 0, 2, 0),
                         Qt::AlignHCenter | Qt::AlignTop | flags, layout.lines.join('\n'));
        return image;
      };
      EXPECT_EQ(draw(0), draw(Qt::TextDontClip)) << "the last line is cut";
    }
  }
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
