#pragma once
// The eight thin resize grips on the video window's edges and corners. Each
// starts the window system's resize from its edge when pressed and shows the
// matching arrow cursor. They follow the window's size and hide in full
// screen. Interface thread only.
#include <QWidget>
#include <array>

namespace ui {

class ResizeGrips : public QObject {
  Q_OBJECT

 public:
  // Creates the grips as children of `window`.
  explicit ResizeGrips(QWidget* window);
  // Places the grips for the window's current size (call on every resize).
  void place();
  void setVisible(bool on);

 private:
  QWidget* window_;
  std::array<QWidget*, 8> grips_{};
};

}  // namespace ui
