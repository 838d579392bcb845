#pragma once
// TfrmLoadSavePreset: the skinned dialog that loads, saves and deletes
// equalizer presets. Row 0 of its list is the built-in flat entry, shown as
// "(" + "Default" + ")"; the user presets of "Presets.EQ" follow in file
// order. The list is read when the dialog is made and the file is written
// when it is destroyed (only when the list changed). Interface thread only.
#include <QLineEdit>
#include <QListWidget>

#include <memory>
#include <string>

#include "texts/interface_texts.h"
#include "audio/eq_presets.h"
#include "ui/skin_window.h"

namespace ui {
class TVirtualButton;
}

namespace eqwindow {

class TfrmLoadSavePreset : public ui::SkinWindow {
  Q_OBJECT
 public:
  enum class Mode { Load, Save };

  // current: the sliders now, saved under the typed name on OK in Save mode.
  TfrmLoadSavePreset(Mode mode, const std::string& presetFile, const audio::PresetValues& current,
                     const texts::InterfaceTexts& texts, QWidget* parent = nullptr);
  ~TfrmLoadSavePreset() override;

  Mode mode() const { return mode_; }
  QListWidget* list() const { return list_; }
  QLineEdit* nameField() const { return name_; }
  const audio::PresetStore& store() const { return store_; }
  QRect okRect() const;
  QRect cancelRect() const;
  QRect closeRect() const;

  // Places the dialog beside the equalizer window (left of it, else below
  // it, else centred on the screen), inside the work area.
  void placeBeside(const QRect& equalizer);

  // OK: in Save mode a non-empty name is saved; the dialog closes.
  void accept();
  // Cancel, the close button, Esc.
  void reject();

 signals:
  // Load mode: an entry was chosen (applied at once by the equalizer).
  void presetChosen(const audio::PresetValues& values);
  // The dialog closed; accepted is false for Cancel, close and Esc.
  void finished(bool accepted);

 protected:
  void widgetClicked(ui::SkinWidget* widget) override;
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void fillList();
  void rowChanged(int row);
  void deleteSelected();
  void finish(bool accepted);

  Mode mode_;
  audio::PresetStore store_;
  audio::PresetValues current_;
  QListWidget* list_ = nullptr;
  QLineEdit* name_ = nullptr;
  std::unique_ptr<ui::TVirtualButton> close_, ok_, cancel_;
  bool done_ = false;
};

}  // namespace eqwindow
