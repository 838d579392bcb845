#pragma once
// TfrmAbout: the About window, a skinned modal window with the program's
// picture, its name and version and two links (the project's home and its
// licence). Enter and Escape close it, like the other small windows.
// Interface thread only.
#include <QUrl>

#include <memory>

#include "texts/interface_texts.h"
#include "ui/skin_window.h"

namespace ui {

class TVirtualButton;

class TfrmAbout : public SkinWindow {
  Q_OBJECT
 public:
  explicit TfrmAbout(const texts::InterfaceTexts& texts, QWidget* parent = nullptr);
  ~TfrmAbout() override;

  QRect homeLinkRect() const { return homeRect_; }
  QRect licenceLinkRect() const { return licenceRect_; }
  static QUrl homeUrl();
  static QUrl licenceUrl();
  static QString versionText();

 signals:
  void closed();
  // A link was clicked; the window opens it in the user's browser.
  void linkActivated(const QUrl& url);

 protected:
  void widgetClicked(SkinWidget* widget) override;
  void facePressed(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  QRect homeRect_, licenceRect_;
  std::unique_ptr<TVirtualButton> close_;
};

// Shows the About window modally over anchor, once at a time.
void ShowAboutWindow(QWidget* anchor);
bool aboutWindowOpen();

}  // namespace ui
