#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>

#include <cstdlib>

#include "ui/about_window.h"

namespace ui {
namespace {

TEST(AboutWindowTest, LinksOpenAndKeysClose) {
  for (int key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
    TfrmAbout window(texts::builtInTexts());
    EXPECT_EQ(window.size(), QSize(320, 200));
    QSignalSpy closed(&window, &TfrmAbout::closed);
    window.show();
    QTest::keyClick(&window, Qt::Key(key));
    EXPECT_EQ(closed.count(), 1);
  }
  TfrmAbout window(texts::builtInTexts());
  EXPECT_FALSE(TfrmAbout::versionText().isEmpty());
  // Links are reported, not opened, when a receiver replaces the default.
  QObject::disconnect(&window, &TfrmAbout::linkActivated, nullptr, nullptr);
  QSignalSpy links(&window, &TfrmAbout::linkActivated);
  window.show();
  QTest::mouseClick(&window, Qt::LeftButton, {}, window.homeLinkRect().center());
  QTest::mouseClick(&window, Qt::LeftButton, {}, window.licenceLinkRect().center());
  ASSERT_EQ(links.count(), 2);
  EXPECT_EQ(links[0][0].toUrl(), TfrmAbout::homeUrl());
  EXPECT_EQ(links[1][0].toUrl(), TfrmAbout::licenceUrl());
  if (const char* dir = std::getenv("TARVELINO_SCREENSHOTS"))
    window.grab().save(QString(dir) + "/about.png");
}

}  // namespace
}  // namespace ui
