#pragma once
// TfrmInfo: the movie information window, a skinned modal window listing the
// thirteen caption/value rows of a probed movie, and the command that opens
// it (MovieInfoLabelClick). Interface thread only.
#include <QWidget>

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "texts/interface_texts.h"
#include "info/movie_info.h"
#include "info/stream_info.h"
#include "ui/skin_window.h"

namespace ui {
class TVirtualButton;
}

namespace info {

class TfrmInfo : public ui::SkinWindow {
  Q_OBJECT
 public:
  TfrmInfo(const MovieInfoValues& values, const texts::InterfaceTexts& texts,
           QWidget* parent = nullptr);
  ~TfrmInfo() override;

  // The value texts in row order, as given (not elided).
  const std::array<QString, 13>& values() const { return values_; }
  // The value column: its left edge and width (153 to 201 px, and no wider
  // than 330 px minus the widest caption); values end at x = 425.
  int valueLeft() const { return valueLeft_; }
  int valueWidth() const { return valueWidth_; }
  QRect valueRect(int row) const;
  QRect closeRect() const;
  // Centres the window on anchor (inside its screen's work area) and shows it
  // modally; returns when it closes.
  void showModalOver(QWidget* anchor);

 signals:
  void closed();

 protected:
  void widgetClicked(ui::SkinWidget* widget) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  std::array<QString, 13> values_;
  std::array<bool, 13> elided_{};
  int valueLeft_ = 0;
  int valueWidth_ = 0;
  std::unique_ptr<ui::TVirtualButton> close_;
};

// Probes a movie on a worker thread while the interface keeps running; gives
// nothing when the probe fails or takes longer than timeLimitMs (a file on a
// stalled mount then never freezes the player).
std::optional<MediaInfo> probeWithTimeLimit(const std::string& path, int timeLimitMs = 12000);

struct MovieInfoRequest {
  std::string path;  // CurrentMovie
  bool openingBusy = false;
  bool movieOpen = false;
  QWidget* anchor = nullptr;  // the main window
  // The message window (the probe's failure message).
  std::function<void(const std::string&)> showMessage;
};

// MovieInfoLabelClick: nothing while a movie opens, without a movie, when the
// file is gone or while the window is open; otherwise probes and shows the
// window modally, or the failure message. Returns whether it was shown.
bool ShowMovieInfo(const MovieInfoRequest& request, const texts::InterfaceTexts& texts);

// True while the information window is open.
bool movieInfoOpen();

}  // namespace info
